#include "NV_VLC/SessionQueue.h"

namespace {

std::atomic<int32_t> gLiveMessages{0};

}  // namespace

void SessionQueue::Append(SessionMessage* message) {
  gLiveMessages.fetch_add(1, std::memory_order_relaxed);
  message->next = nullptr;
  std::lock_guard<std::mutex> hold(mLock);
  if (mTail != nullptr) {
    mTail->next = message;
  } else {
    mHead = message;
  }
  mTail = message;
}

SessionMessage* SessionQueue::TakeAll() {
  std::lock_guard<std::mutex> hold(mLock);
  SessionMessage* head = mHead;
  mHead = nullptr;
  mTail = nullptr;
  return head;
}

bool ReleaseSessionMessage(SessionMessage* message, void (*closeCompletion)(void*)) {
  if (message->references.fetch_sub(1, std::memory_order_acq_rel) != 1) return false;
  if (message->completion != nullptr && closeCompletion != nullptr) {
    closeCompletion(message->completion);
  }
  delete message;
  gLiveMessages.fetch_sub(1, std::memory_order_relaxed);
  return true;
}

int32_t LiveSessionMessages() { return gLiveMessages.load(std::memory_order_relaxed); }
