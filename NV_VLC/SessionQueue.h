// SessionQueue: the messages VLC's threads post to the session thread, in order.
//
// Any thread appends; the session thread takes the whole list at once and handles it outside
// the lock. A message is shared by reference count between the queue side and, for a post
// that waits, the waiting thread; whichever drops the last reference frees it (and its
// completion signal, which the platform side owns).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "NV_VLC/SessionEvent.h"

struct SessionMessage {
  SessionEvent event;
  SessionMessage* next = nullptr;
  // The platform's completion signal of a post that waits, or null.
  void* completion = nullptr;
  std::atomic<int32_t> references{1};
};

class SessionQueue {
 public:
  SessionQueue() = default;
  SessionQueue(const SessionQueue&) = delete;
  SessionQueue& operator=(const SessionQueue&) = delete;

  void Append(SessionMessage* message);
  // The queued messages, oldest first (linked by next); the queue is left empty.
  SessionMessage* TakeAll();

 private:
  std::mutex mLock;
  SessionMessage* mHead = nullptr;
  SessionMessage* mTail = nullptr;
};

// Drops one reference; at the last one, closeCompletion (if any) gets the completion signal
// and the message is freed. Returns whether the message is gone.
bool ReleaseSessionMessage(SessionMessage* message, void (*closeCompletion)(void* completion));

// Messages alive in the process, for tests that check nothing is left behind.
int32_t LiveSessionMessages();
