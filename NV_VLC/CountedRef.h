// CountedRef: holds one counted reference to a RefCountedObject and gives it up when it goes.
//
// Adopt takes over a reference the caller already owns (a new object's first one); Share
// takes one more. Moving hands the reference on; there is no copy, so every extra reference
// is taken visibly with Share.
#pragma once

#include <utility>

template <typename T>
class CountedRef {
 public:
  CountedRef() = default;
  static CountedRef Adopt(T* object) { return CountedRef(object); }
  static CountedRef Share(T* object) {
    if (object != nullptr) object->AddRef();
    return CountedRef(object);
  }
  CountedRef(CountedRef&& other) noexcept : mObject(std::exchange(other.mObject, nullptr)) {}
  CountedRef& operator=(CountedRef&& other) noexcept {
    if (this != &other) {
      Reset();
      mObject = std::exchange(other.mObject, nullptr);
    }
    return *this;
  }
  CountedRef(const CountedRef&) = delete;
  CountedRef& operator=(const CountedRef&) = delete;
  ~CountedRef() { Reset(); }

  T* get() const { return mObject; }
  T* operator->() const { return mObject; }
  T& operator*() const { return *mObject; }
  explicit operator bool() const { return mObject != nullptr; }

  void Reset() {
    if (T* object = std::exchange(mObject, nullptr)) object->Release();
  }

 private:
  explicit CountedRef(T* object) : mObject(object) {}
  T* mObject = nullptr;
};
