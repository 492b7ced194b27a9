// SessionDriver: the platform side of a session, driven by the SessionManager on the session
// thread: the engine instance with its window, the one linger timer, and the log line of last
// resort. The Windows driver makes a top-level window; tests use fakes.
#pragma once

#include <cstdint>

class VlcVisualHost;

class SessionDriver {
 public:
  virtual ~SessionDriver() = default;
  // Starts an engine instance in a window of the client size (sizes below 1: 1280 × 720).
  // Returns the running host, which the driver keeps until Stop, or null with the two status
  // values of the failure (the host's and the engine library's, or a system error and 0).
  virtual VlcVisualHost* Start(int32_t width, int32_t height, int32_t* status,
                               int32_t* secondStatus) = 0;
  // Ends rendering, destroys the window and releases the host (ending its engine instance).
  virtual void Stop(const char* reason) = 0;
  // Arms the one timer (replacing any running one); when it expires the manager hears of it
  // with this generation.
  virtual void ArmTimer(int32_t milliseconds, uint32_t generation) = 0;
  // A session line that no filter could take.
  virtual void Log(bool error, const char* text) = 0;
};
