// Calls made once when a deliverable ends: releasing the engine libraries, restoring the system
// timer resolution.
//
// The list has room for 64 calls; further additions are ignored. Run calls the entries of the
// highest priority first and, within one priority, the newest first; a call may add entries,
// which the same Run picks up. Running an empty list does nothing, so a deliverable may run it
// both when its host shuts it down and again at process exit.
#pragma once

#include <atomic>
#include <cstdint>

class ExitCallbackList {
 public:
  using Callback = void (*)(uint64_t argument);
  static constexpr int32_t kCapacity = 64;

  constexpr ExitCallbackList() = default;
  ExitCallbackList(const ExitCallbackList&) = delete;
  ExitCallbackList& operator=(const ExitCallbackList&) = delete;

  // The process's list.
  static ExitCallbackList& Process();
  // Add and Run on the process's list.
  static void Add(Callback callback, uint64_t argument, int32_t priority);
  static void Run();

  // Stores the call unless the list is full. Safe from several threads at once.
  void AddEntry(Callback callback, uint64_t argument, int32_t priority);
  // Makes every stored call and empties the list. Meant for exit, when no other thread adds.
  void RunEntries();
  int32_t Count() const { return mCount.load(); }

 private:
  struct Entry {
    std::atomic<Callback> callback{nullptr};
    uint64_t argument = 0;
    int32_t priority = 0;
  };

  // True when some entry still had a call; makes the calls of the highest priority among them.
  bool RunHighestPriority();

  std::atomic<int32_t> mCount{0};
  Entry mEntries[kCapacity];
};
