#include "visualhost/tests/win/RecordingHostSystem.h"

#include <windows.h>

#include <algorithm>

namespace {

std::mutex gLock;
SystemRecord gRecord;

void RecordSetTimer(HostWindow window, VisualHost* host, uint32_t periodMs) {
  {
    std::lock_guard<std::mutex> guard(gLock);
    gRecord.timersSet.push_back({window, host, periodMs});
  }
  DefaultHostSystem().setTimer(window, host, periodMs);
}

void RecordKillTimer(HostWindow window, VisualHost* host) {
  {
    std::lock_guard<std::mutex> guard(gLock);
    gRecord.timersKilled.push_back({window, host, 0});
  }
  DefaultHostSystem().killTimer(window, host);
}

HostThread RecordCreatePumpThread(VisualHost* host) {
  HostThread thread = DefaultHostSystem().createPumpThread(host);
  std::lock_guard<std::mutex> guard(gLock);
  gRecord.threadsCreated.push_back(thread);
  return thread;
}

void RecordEndPumpThread(HostThread thread, uint32_t timeoutMs) {
  PumpThreadEnd end = {thread, timeoutMs, false, 0};
  if (thread != nullptr) {
    end.endedByItself = WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeThread(thread, &exitCode);
    end.exitCode = exitCode;
  }
  {
    std::lock_guard<std::mutex> guard(gLock);
    gRecord.threadsEnded.push_back(end);
  }
  DefaultHostSystem().endPumpThread(thread, timeoutMs);
}

bool RecordSendMessageTimeout(HostWindow window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam, uint32_t timeoutMs, intptr_t* result) {
  intptr_t answer = 0;
  const bool succeeded =
      DefaultHostSystem().sendMessageTimeout(window, message, wParam, lParam, timeoutMs, &answer);
  if (result != nullptr) *result = answer;
  std::lock_guard<std::mutex> guard(gLock);
  gRecord.sends.push_back(
      {window, message, wParam, lParam, timeoutMs, succeeded, answer, GetCurrentThreadId()});
  return succeeded;
}

void RecordSleep(uint32_t milliseconds) {
  {
    std::lock_guard<std::mutex> guard(gLock);
    gRecord.sleeps.push_back(milliseconds);
  }
  DefaultHostSystem().sleep(milliseconds);
}

}  // namespace

RecordingHostSystem::RecordingHostSystem() {
  Clear();
  mScope.calls.setTimer = &RecordSetTimer;
  mScope.calls.killTimer = &RecordKillTimer;
  mScope.calls.createPumpThread = &RecordCreatePumpThread;
  mScope.calls.endPumpThread = &RecordEndPumpThread;
  mScope.calls.sendMessageTimeout = &RecordSendMessageTimeout;
  mScope.calls.sleep = &RecordSleep;
}

RecordingHostSystem::~RecordingHostSystem() = default;

SystemRecord RecordingHostSystem::Snapshot() const {
  std::lock_guard<std::mutex> guard(gLock);
  return gRecord;
}

void RecordingHostSystem::Clear() {
  std::lock_guard<std::mutex> guard(gLock);
  gRecord = SystemRecord();
}

size_t RecordingHostSystem::SleepsOf(uint32_t milliseconds) const {
  const SystemRecord record = Snapshot();
  return size_t(std::count(record.sleeps.begin(), record.sleeps.end(), milliseconds));
}
