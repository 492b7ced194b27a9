// A table of host system calls that records what the host base asked for the frame timer, the
// pump thread and its message, and forwards every call to the system's own.
//
// Entries of the table are plain functions, so the record lives in one process-wide object;
// the pump thread writes to it too, hence the lock. Install one RecordingHostSystem at a time.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "visualhost/tests/ScopedHostSystem.h"

struct TimerCall {
  HostWindow window;
  VisualHost* host;
  uint32_t periodMs;  // 0 for a kill
};

struct PumpSend {
  HostWindow window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  uint32_t timeoutMs;
  bool succeeded;
  intptr_t result;
  uint32_t threadId;  // the thread that sent it
};

// How a pump thread ended: whether it had returned by itself within the host's wait, before
// anything could terminate it.
struct PumpThreadEnd {
  HostThread thread;
  uint32_t timeoutMs;
  bool endedByItself;
  uint32_t exitCode;
};

struct SystemRecord {
  std::vector<TimerCall> timersSet;
  std::vector<TimerCall> timersKilled;
  std::vector<HostThread> threadsCreated;
  std::vector<PumpThreadEnd> threadsEnded;
  std::vector<PumpSend> sends;
  std::vector<uint32_t> sleeps;  // milliseconds, in call order
};

class RecordingHostSystem {
 public:
  RecordingHostSystem();
  ~RecordingHostSystem();
  RecordingHostSystem(const RecordingHostSystem&) = delete;
  RecordingHostSystem& operator=(const RecordingHostSystem&) = delete;

  // A copy taken under the lock, safe to read while the pump thread runs.
  SystemRecord Snapshot() const;
  void Clear();

  // Counts in the current record.
  size_t TimersSet() const { return Snapshot().timersSet.size(); }
  size_t TimersKilled() const { return Snapshot().timersKilled.size(); }
  size_t Sends() const { return Snapshot().sends.size(); }
  size_t SleepsOf(uint32_t milliseconds) const;

 private:
  ScopedHostSystem mScope;
};
