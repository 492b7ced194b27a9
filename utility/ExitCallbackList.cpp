// The fixed-size list of exit calls.
#include "utility/ExitCallbackList.h"

namespace {

// Constant-initialised, so that static objects of any module may add to it while they are built.
constinit ExitCallbackList gProcessList;

}  // namespace

ExitCallbackList& ExitCallbackList::Process() {
  return gProcessList;
}

void ExitCallbackList::Add(Callback callback, uint64_t argument, int32_t priority) {
  gProcessList.AddEntry(callback, argument, priority);
}

void ExitCallbackList::Run() {
  gProcessList.RunEntries();
}

void ExitCallbackList::AddEntry(Callback callback, uint64_t argument, int32_t priority) {
  if (callback == nullptr) return;
  // Claim an index with a compare-and-swap, so that two threads adding at the last free place
  // cannot both pass the capacity test and write past the end.
  int32_t index = mCount.load();
  do {
    if (index >= kCapacity) return;
  } while (!mCount.compare_exchange_weak(index, index + 1));
  Entry& entry = mEntries[index];
  entry.argument = argument;
  entry.priority = priority;
  entry.callback.store(callback);
}

bool ExitCallbackList::RunHighestPriority() {
  const int32_t count = mCount.load() < kCapacity ? mCount.load() : kCapacity;
  bool found = false;
  int32_t highest = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (mEntries[i].callback.load() == nullptr) continue;
    if (!found || mEntries[i].priority > highest) highest = mEntries[i].priority;
    found = true;
  }
  if (!found) return false;
  for (int32_t i = count - 1; i >= 0; --i) {
    Entry& entry = mEntries[i];
    if (entry.priority != highest) continue;
    // Cleared before the call, so a call that runs the list again does not repeat itself.
    const Callback callback = entry.callback.exchange(nullptr);
    if (callback != nullptr) callback(entry.argument);
  }
  return true;
}

void ExitCallbackList::RunEntries() {
  while (RunHighestPriority()) {
  }
  mCount.store(0);
}
