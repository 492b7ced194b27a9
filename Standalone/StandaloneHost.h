// StandaloneHost: the stand-alone program's host. It owns the program's top-level window and
// gives it up when the host goes.
#pragma once

#include "visualhost/host/VisualHost.h"

class StandaloneHost : public VisualHost {
 public:
  // Makes the process's engine registry when needed, sets the stand-alone descriptor and
  // attaches the engine library of the product.
  explicit StandaloneHost(const char* productName);

  // Stops the instance and drops the engine library, then destroys the window if it is still
  // there.
  void Dispose() override;

  HostWindow Window() const { return mWindow; }
  void SetWindow(HostWindow window) { mWindow = window; }

 protected:
  ~StandaloneHost() override = default;

 private:
  HostWindow mWindow = nullptr;
};
