// The native session thread: started once per process by the first post, it owns the session
// manager and its pixel-buffer session, and handles what VLC's threads post, one message at a
// time, between the frames it runs. It never ends, so the module is kept loaded for it.
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

#include "NV_VLC/EngineInstalled.h"
#include "NV_VLC/SessionLink.h"
#include "NV_VLC/SessionManager.h"
#include "NV_VLC/SessionQueue.h"
#include "NV_VLC/Tap.h"
#include "NV_VLC/posix/PixelBufferSessionDriver.h"

namespace {

using Clock = PixelBufferSessionDriver::Clock;

constexpr std::chrono::milliseconds kWaitLimit{1000};
constexpr std::chrono::milliseconds kWaitLimitDuringStart{5000};

// The completion signal of a post that waits.
struct Completion {
  std::mutex lock;
  std::condition_variable handled;
  bool done = false;
};

// What the session thread shares with VLC's threads. Made at the first post and never
// destroyed: the thread outlives static destruction at the process's end, and a condition
// variable destroyed under a waiter would block the exit.
struct Shared {
  std::thread::id threadId;
  std::mutex wakeLock;
  std::condition_variable wake;
  bool woken = false;
  SessionQueue queue;
};

std::once_flag gStartOnce;
std::atomic<Shared*> gShared{nullptr};

void CloseCompletion(void* completion) {
  delete static_cast<Completion*>(completion);
}

void Signal(Completion* completion) {
  std::lock_guard<std::mutex> hold(completion->lock);
  completion->done = true;
  completion->handled.notify_all();
}

// Keeps this module's code loaded for the rest of the process: VLC unloads its plug-ins when
// its last instance goes, and the session thread runs here.
void PinModule() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&PinModule), &info) != 0 && info.dli_fname != nullptr) {
    dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

void HandleQueued(Shared& shared, SessionManager& manager) {
  for (SessionMessage* message = shared.queue.TakeAll(); message != nullptr;) {
    SessionMessage* next = message->next;
    manager.HandleEvent(message->event);
    if (message->completion != nullptr) Signal(static_cast<Completion*>(message->completion));
    ReleaseSessionMessage(message, &CloseCompletion);
    message = next;
  }
}

void WaitForWork(Shared& shared, Clock::time_point until) {
  std::unique_lock<std::mutex> hold(shared.wakeLock);
  const auto woken = [&shared] { return shared.woken; };
  if (until == Clock::time_point::max()) {
    shared.wake.wait(hold, woken);
  } else {
    shared.wake.wait_until(hold, until, woken);
  }
  shared.woken = false;
}

void SessionThreadMain(Shared* shared) {
  // Made here, on first use, and never destroyed: the module stays for the process.
  auto* driver = new PixelBufferSessionDriver();
  auto* manager = new SessionManager(*driver);
  driver->SetManager(manager);
  for (;;) {
    HandleQueued(*shared, *manager);
    uint32_t generation = 0;
    if (driver->TakeExpiredTimer(Clock::now(), &generation)) manager->TimerExpired(generation);
    driver->RunDueFrame(Clock::now());
    WaitForWork(*shared, driver->NextWake());
  }
}

void StartThread() {
  PinModule();
  try {
    auto* shared = new Shared();
    std::thread thread(&SessionThreadMain, shared);
    shared->threadId = thread.get_id();
    thread.detach();
    gShared.store(shared);
  } catch (...) {
    PixelBufferSessionDriver().Log(true, "could not start the visualizer thread");
  }
}

// The message, queued, or null when there is no session thread or no memory; a dropped
// detach still gives up the session thread's tap reference.
SessionMessage* Queue(const SessionEvent& event, Completion* completion) {
  std::call_once(gStartOnce, &StartThread);
  Shared* shared = gShared.load();
  SessionMessage* message = shared != nullptr ? new (std::nothrow) SessionMessage() : nullptr;
  if (message == nullptr) {
    if (event.kind == SessionEventKind::kTapDetached && event.tap != nullptr) event.tap->Release();
    delete completion;
    return nullptr;
  }
  message->event = event;
  message->completion = completion;
  message->references.store(completion != nullptr ? 2 : 1);
  shared->queue.Append(message);
  {
    std::lock_guard<std::mutex> hold(shared->wakeLock);
    shared->woken = true;
  }
  shared->wake.notify_one();
  return message;
}

void Post(const SessionEvent& event) {
  Queue(event, nullptr);
}

// Waits at most the limit, longer while a session start creates its engine instance.
void WaitHandled(Completion& completion) {
  const Clock::time_point start = Clock::now();
  std::unique_lock<std::mutex> hold(completion.lock);
  while (!completion.done) {
    const auto limit = PixelBufferSessionDriver::sStartsInProgress.load() != 0
                           ? kWaitLimitDuringStart
                           : kWaitLimit;
    const Clock::time_point until = start + limit;
    if (Clock::now() >= until) return;
    // Woken at the latest at the shorter limit, to see whether a start began meanwhile.
    completion.handled.wait_until(hold, std::min(until, Clock::now() + kWaitLimit / 10));
  }
}

void PostAndWait(SessionEventKind kind) {
  auto* completion = new (std::nothrow) Completion();
  if (completion == nullptr) return Post({kind, nullptr, false});
  SessionMessage* message = Queue({kind, nullptr, false}, completion);
  if (message == nullptr) return;
  if (std::this_thread::get_id() != gShared.load()->threadId) WaitHandled(*completion);
  ReleaseSessionMessage(message, &CloseCompletion);
}

const SessionLinkCalls kNativeLink = {&EngineInstalled, &Post, &PostAndWait};

}  // namespace

const SessionLinkCalls& DefaultSessionLink() {
  return kNativeLink;
}
