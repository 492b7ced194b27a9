// A session driver for the native tests: hosts without engine or window, a timer the test
// fires by hand, and a journal of everything the manager asked for.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "NV_VLC/SessionDriver.h"
#include "NV_VLC/VlcVisualHost.h"

class FakeSessionDriver : public SessionDriver {
 public:
  ~FakeSessionDriver() override;

  VlcVisualHost* Start(int32_t width, int32_t height, int32_t* status,
                       int32_t* secondStatus) override;
  void Stop(const char* reason) override;
  void ArmTimer(int32_t milliseconds, uint32_t generation) override;
  void Log(bool error, const char* text) override;

  // "start 1280x720", "stop <reason>", "timer 4000", "log <text>", "error <text>".
  std::vector<std::string> journal;
  bool failStart = false;
  // Runs inside Start, as window messages may run while a session starts.
  std::function<void()> duringStart;
  VlcVisualHost* host = nullptr;
  uint32_t timerGeneration = 0;
  int32_t timerMs = -1;
};
