// The session thread: started once per process by the first post, it owns the session
// manager, its window and engine instance, and handles what VLC's threads post, one message
// at a time, between the window messages of its own loop. It never ends.
#include <winsock2.h>
#include <windows.h>

#include <process.h>

#include <algorithm>
#include <atomic>
#include <new>

#include "NV_VLC/SessionLink.h"
#include "NV_VLC/SessionManager.h"
#include "NV_VLC/SessionQueue.h"
#include "NV_VLC/Tap.h"
#include "NV_VLC/EngineInstalled.h"
#include "NV_VLC/win/ModuleHandle.h"
#include "NV_VLC/win/WindowSessionDriver.h"

namespace {

constexpr DWORD kWaitLimitMs = 1000;
constexpr DWORD kWaitLimitDuringStartMs = 5000;
constexpr int kWindowMessagesPerRound = 16;

INIT_ONCE gStartOnce = INIT_ONCE_STATIC_INIT;
HANDLE gWake = nullptr;
std::atomic<DWORD> gThreadId{0};
SessionQueue gQueue;

void CloseCompletion(void* completion) { CloseHandle(static_cast<HANDLE>(completion)); }

// Handles every queued message in order, then signals and drops each.
void HandleQueued(SessionManager& manager) {
  for (SessionMessage* message = gQueue.TakeAll(); message != nullptr;) {
    SessionMessage* next = message->next;
    manager.HandleEvent(message->event);
    if (message->completion != nullptr) SetEvent(static_cast<HANDLE>(message->completion));
    ReleaseSessionMessage(message, &CloseCompletion);
    message = next;
  }
}

void PumpWindowMessages() {
  MSG message;
  for (int i = 0; i < kWindowMessagesPerRound && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
       ++i) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void ReportClose(WindowSessionDriver& driver, SessionManager& manager) {
  uint32_t serial = 0;
  if (driver.TakeCloseRequest(&serial)) manager.WindowClosedByUser(serial);
}

unsigned __stdcall SessionThreadMain(void*) {
  // Created here, on first use, and never destroyed: the module stays for the process.
  auto* driver = new WindowSessionDriver();
  auto* manager = new SessionManager(*driver);
  driver->SetManager(manager);
  for (;;) {
    PumpWindowMessages();
    ReportClose(*driver, *manager);
    HandleQueued(*manager);
    uint32_t generation = 0;
    if (driver->TakeExpiredTimer(GetTickCount64(), &generation)) manager->TimerExpired(generation);
    ReportClose(*driver, *manager);
    MsgWaitForMultipleObjectsEx(1, &gWake, driver->WaitLimit(GetTickCount64()), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

BOOL CALLBACK StartThread(PINIT_ONCE, PVOID, PVOID*) {
  gWake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (gWake == nullptr) return TRUE;
  PinModule();
  unsigned id = 0;
  const uintptr_t thread = _beginthreadex(nullptr, 0, &SessionThreadMain, nullptr, 0, &id);
  if (thread == 0) {
    OutputDebugStringA("[Glimmora VLC] could not start the visualizer thread\n");
    return TRUE;
  }
  CloseHandle(reinterpret_cast<HANDLE>(thread));
  gThreadId.store(id);
  return TRUE;
}

// The message, queued, or null when there is no session thread or no memory; a dropped
// detach still gives up the session thread's tap reference.
SessionMessage* Queue(const SessionEvent& event, HANDLE completion) {
  InitOnceExecuteOnce(&gStartOnce, &StartThread, nullptr, nullptr);
  SessionMessage* message = gThreadId.load() != 0 ? new (std::nothrow) SessionMessage() : nullptr;
  if (message == nullptr) {
    if (event.kind == SessionEventKind::kTapDetached && event.tap != nullptr) event.tap->Release();
    if (completion != nullptr) CloseHandle(completion);
    return nullptr;
  }
  message->event = event;
  message->completion = completion;
  message->references.store(completion != nullptr ? 2 : 1);
  gQueue.Append(message);
  SetEvent(gWake);
  return message;
}

void Post(const SessionEvent& event) { Queue(event, nullptr); }

// Waits for the message to be handled, letting through messages sent to this thread so that
// the session thread can finish window work that involves this thread's windows.
void WaitHandled(SessionMessage* message) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    const DWORD limit = WindowSessionDriver::sStartsInProgress.load() != 0
                            ? kWaitLimitDuringStartMs
                            : kWaitLimitMs;
    const ULONGLONG spent = GetTickCount64() - start;
    if (spent >= limit) return;
    HANDLE completion = static_cast<HANDLE>(message->completion);
    const DWORD result = MsgWaitForMultipleObjects(1, &completion, FALSE,
                                                   static_cast<DWORD>(limit - spent),
                                                   QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) return;
    MSG sent;
    PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void PostAndWait(SessionEventKind kind) {
  HANDLE completion = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (completion == nullptr) return Post({kind, nullptr, false});
  SessionMessage* message = Queue({kind, nullptr, false}, completion);
  if (message == nullptr) return;
  if (GetCurrentThreadId() != gThreadId.load()) WaitHandled(message);
  ReleaseSessionMessage(message, &CloseCompletion);
}

const SessionLinkCalls kWindowsLink = {&EngineInstalled, &Post, &PostAndWait};

}  // namespace

const SessionLinkCalls& DefaultSessionLink() { return kWindowsLink; }
