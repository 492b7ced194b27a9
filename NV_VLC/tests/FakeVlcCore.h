// A stand-in for VLC's core in the native tests: a small world of objects, variables with
// callbacks, a playlist input with its item and metadata, a clock and a log, installed as the
// module's table of core calls for the life of the fixture.
//
// Calls that the world cannot answer (a variable of a type it was not created with, an item
// that was never set up) fail the test, and so does anything the test left unbalanced (holds
// of inputs not released, item locks not unlocked).
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "NV_VLC/VlcCore.h"
#include "NV_VLC/VlcHeaders.h"

class FakeVlcCore {
 public:
  struct Callback {
    vlc_callback_t function;
    void* data;
  };
  struct Variable {
    int type = 0;
    vlc_value_t value{};
    std::string text;  // the value of a string variable
    std::vector<Callback> callbacks;
  };
  struct LogLine {
    vlc_object_t* object;
    int priority;
    std::string function;
    std::string text;
  };
  // The metadata of one item: vlc_meta_t is opaque to plug-ins, so the fake's items point at
  // one of these.
  struct Meta {
    std::map<int, std::string> texts;
  };

  FakeVlcCore();
  ~FakeVlcCore();
  FakeVlcCore(const FakeVlcCore&) = delete;
  FakeVlcCore& operator=(const FakeVlcCore&) = delete;

  // Makes an object of the type with the parent (objects live as long as the fake).
  template <typename T>
  T* MakeObject(const char* type, vlc_object_t* parent) {
    auto* object = new T{};
    object->obj.object_type = type;
    object->obj.parent = parent;
    mObjects.push_back({object, [](void* o) { delete static_cast<T*>(o); }});
    return object;
  }

  // Variables, as VLC keeps them; Set runs the callbacks like var_Set does.
  void CreateVariable(vlc_object_t* object, const char* name, int type);
  void SetInteger(vlc_object_t* object, const char* name, int64_t value);
  void SetBool(vlc_object_t* object, const char* name, bool value);
  void SetString(vlc_object_t* object, const char* name, const char* value);
  void SetAddress(vlc_object_t* object, const char* name, void* value);
  void SetFloat(vlc_object_t* object, const char* name, float value);
  size_t CallbackCount(vlc_object_t* object, const char* name) const;
  const Variable* Find(vlc_object_t* object, const char* name) const;
  // An option var_Inherit finds when no object on the way up has the variable.
  void SetOption(const char* name, int type, int64_t value);

  // The playlist's current input (null: none) and its item.
  void SetCurrentInput(input_thread_t* input, input_item_t* item);
  input_item_t* MakeItem(const char* name, Meta* meta);

  mtime_t now = 1000000;
  std::vector<LogLine> log;
  // Lines for one function, texts only.
  std::vector<std::string> LinesOf(const char* function) const;

 private:
  struct OwnedObject {
    void* object;
    void (*destroy)(void*);
  };

  void Set(vlc_object_t* object, const char* name, int type, vlc_value_t value);

  static FakeVlcCore* sCurrent;
  static const VlcCoreCalls kCalls;

  mutable std::recursive_mutex mLock;  // the filter side may run on other threads
  std::map<std::pair<vlc_object_t*, std::string>, Variable> mVariables;
  std::map<std::string, Variable> mOptions;
  input_thread_t* mCurrentInput = nullptr;
  std::map<input_thread_t*, input_item_t*> mItems;
  std::vector<OwnedObject> mObjects;
  int mInputHolds = 0;
  int mItemLocks = 0;
  const VlcCoreCalls* mPrevious = nullptr;

  friend struct FakeVlcCoreCalls;
};
