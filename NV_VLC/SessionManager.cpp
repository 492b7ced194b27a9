#include "NV_VLC/SessionManager.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "NV_VLC/Tap.h"
#include "NV_VLC/VlcVisualHost.h"

namespace {

constexpr size_t kSessionLineBytes = 512;

}  // namespace

SessionManager::SessionManager(SessionDriver& driver) : mDriver(driver) {}

SessionManager::~SessionManager() {
  // The process-wide manager is never destroyed; tests' managers give back what they hold.
  if (mHost != nullptr) mDriver.Stop("manager gone");
  for (Tap* tap : mTaps) tap->Release();
  for (Deferred& item : mDeferred) {
    if (item.kind == Deferred::kEvent && item.event.kind == SessionEventKind::kTapAttached &&
        item.event.tap != nullptr) {
      item.event.tap->Release();
    }
  }
}

void SessionManager::HandleEvent(const SessionEvent& event) {
  Dispatch({Deferred::kEvent, event, 0});
}

void SessionManager::TimerExpired(uint32_t generation) {
  Dispatch({Deferred::kTimer, {}, generation});
}

void SessionManager::WindowClosedByUser(uint32_t sessionSerial) {
  Dispatch({Deferred::kWindowClosed, {}, sessionSerial});
}

void SessionManager::Dispatch(const Deferred& item) {
  if (mBusy > 0) {
    mDeferred.push_back(item);
    return;
  }
  Handle(item);
  Drain();
}

void SessionManager::Drain() {
  while (mBusy == 0 && !mDeferred.empty()) {
    const Deferred item = mDeferred.front();
    mDeferred.pop_front();
    Handle(item);
  }
}

void SessionManager::Handle(const Deferred& item) {
  ++mBusy;
  switch (item.kind) {
    case Deferred::kTimer:
      OnTimerExpired(item.number);
      break;
    case Deferred::kWindowClosed:
      OnWindowClosed(item.number);
      break;
    case Deferred::kEvent:
      switch (item.event.kind) {
        case SessionEventKind::kTapAttached:
          OnTapAttached(item.event.tap);
          break;
        case SessionEventKind::kTapDetached:
          OnTapDetached(item.event.tap, item.event.deselected);
          break;
        case SessionEventKind::kNextInputHasVideo:
          EndIfNotPlainIdle("the next input has video");
          break;
        case SessionEventKind::kInputSet:
          OnInputChanged(true);
          break;
        case SessionEventKind::kInputCleared:
          OnInputChanged(false);
          break;
        case SessionEventKind::kChosenAgain:
          OnChosenAgain();
          break;
        case SessionEventKind::kAoutClosing:
          EndIfNotPlainIdle("audio output closing");
          break;
      }
      break;
  }
  --mBusy;
}

void SessionManager::OnTapAttached(Tap* tap) {
  if (tap == nullptr) return;
  // Its filter is gone already: the TapDetached that follows finds it unlisted and drops the
  // session thread's reference.
  if (tap->IsClosed()) return;
  mTaps.push_back(tap);  // the session thread's reference moves to the list
  const char* word = (mLingering || mState != State::kIdle) ? "joined" : "started a session";
  ++mLingerGeneration;  // a pending linger timer no longer counts
  mLingering = false;
  if (mState == State::kIdle) {
    StartSession();
  } else if (mState == State::kRunning && mHost != nullptr) {
    mHost->AddFeed(tap->Feed());
  }
  Log(false, "session: tap #%d %s (%d attached)", tap->Feed()->Number(), word,
      static_cast<int>(mTaps.size()));
}

void SessionManager::OnTapDetached(Tap* tap, bool deselected) {
  if (tap == nullptr) return;
  auto listed = std::find(mTaps.begin(), mTaps.end(), tap);
  if (listed != mTaps.end()) {
    mTaps.erase(listed);
    if (mHost != nullptr) {
      if (mHost->ActiveFeed() == tap->Feed()) {
        mHost->MarkActiveDetached();
      } else {
        mHost->RemoveWaitingFeed(tap->Feed());
      }
    }
    if (mTaps.empty()) {
      if (mHost != nullptr && mHost->Instance() != 0 && mHost->Table() != nullptr &&
          mHost->Table()->Request != nullptr) {
        mHost->Table()->Request(mHost->Instance(), HostRequest::kWritePreferences, nullptr,
                                nullptr);
      }
      if (deselected) {
        EndSession("playback stopped or turned off");
      } else {
        mLingering = true;
        ArmLinger(mNoInput ? kLingerWithoutInputMs : kLingerWithInputMs);
      }
    }
  }
  tap->Release();  // the session thread's reference, listed or not
}

void SessionManager::OnInputChanged(bool hasInput) {
  mNoInput = !hasInput;
  if (mLingering) ArmLinger(hasInput ? kLingerWithInputMs : kLingerWithoutInputMs);
}

void SessionManager::OnChosenAgain() {
  if (mState != State::kClosedByUser) return;
  mState = State::kIdle;
  if (!mTaps.empty()) StartSession();
}

void SessionManager::EndIfNotPlainIdle(const char* reason) {
  if (mTaps.empty() && !IsPlainIdle()) EndSession(reason);
}

void SessionManager::OnTimerExpired(uint32_t generation) {
  if (generation != mLingerGeneration || !mLingering || !mTaps.empty()) return;
  EndSession(mNoInput ? "playback stopped" : "linger elapsed");
}

void SessionManager::OnWindowClosed(uint32_t serial) {
  if (serial != mSessionSerial || mState != State::kRunning) return;
  if (mHost != nullptr) mHost->SetLogSink(nullptr, nullptr);
  mDriver.Stop("window closed by the user");
  mHost = nullptr;
  mState = State::kClosedByUser;
  Log(false, "session: window closed by the user -- off until playback stops");
}

void SessionManager::ArmLinger(int32_t milliseconds) {
  ++mLingerGeneration;
  mDriver.ArmTimer(milliseconds, mLingerGeneration);
}

void SessionManager::StartSession() {
  ++mSessionSerial;
  const int32_t width = mTaps.empty() ? 0 : mTaps.front()->Width();
  const int32_t height = mTaps.empty() ? 0 : mTaps.front()->Height();
  int32_t status = 0;
  int32_t secondStatus = 0;
  mHost = mDriver.Start(width, height, &status, &secondStatus);
  if (mHost == nullptr) {
    mState = State::kStartFailed;
    Log(true, "engine failed to start (status %d, session %d) -- no window until playback stops",
        status, secondStatus);
    return;
  }
  mState = State::kRunning;
  mHost->SetLogSink(&SessionManager::LogFromHost, this);
  for (Tap* tap : mTaps) mHost->AddFeed(tap->Feed());
}

void SessionManager::EndSession(const char* reason) {
  if (mState == State::kRunning && mHost != nullptr) {
    mHost->SetLogSink(nullptr, nullptr);
    mDriver.Stop(reason);
    mHost = nullptr;
  }
  ++mLingerGeneration;
  mState = State::kIdle;
  mLingering = false;
  Log(false, "session: ended (%s)", reason);
}

void SessionManager::LogFromHost(void* manager, const char* text) {
  static_cast<SessionManager*>(manager)->Log(false, "%s", text);
}

void SessionManager::Log(bool error, const char* format, ...) {
  char line[kSessionLineBytes];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  for (auto it = mTaps.rbegin(); it != mTaps.rend(); ++it) {
    if ((*it)->TryLog(error, line)) return;
  }
  mDriver.Log(error, line);
}
