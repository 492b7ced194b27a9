#include "NV_VLC/tests/FakeVlcCore.h"

#include <gtest/gtest.h>

#include <cstring>

FakeVlcCore* FakeVlcCore::sCurrent = nullptr;

// The table's entries, forwarding to the installed fake.
struct FakeVlcCoreCalls {
  static FakeVlcCore& Fake() { return *FakeVlcCore::sCurrent; }

  static int VarCreate(vlc_object_t* object, const char* name, int type) {
    Fake().CreateVariable(object, name, type);
    return VLC_SUCCESS;
  }
  static int VarType(vlc_object_t* object, const char* name) {
    const FakeVlcCore::Variable* variable = Fake().Find(object, name);
    return variable != nullptr ? variable->type : 0;
  }
  static int ReadValue(const FakeVlcCore::Variable& variable, int type, vlc_value_t* value) {
    if ((variable.type & VLC_VAR_CLASS) != (type & VLC_VAR_CLASS)) {
      ADD_FAILURE() << "variable read as another type";
      return VLC_EGENERIC;
    }
    *value = variable.value;
    if ((type & VLC_VAR_CLASS) == VLC_VAR_STRING) value->psz_string = strdup(variable.text.c_str());
    return VLC_SUCCESS;
  }
  static int VarGetChecked(vlc_object_t* object, const char* name, int type, vlc_value_t* value) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    const FakeVlcCore::Variable* variable = Fake().Find(object, name);
    if (variable == nullptr) return VLC_ENOVAR;
    return ReadValue(*variable, type, value);
  }
  static int VarInherit(vlc_object_t* object, const char* name, int type, vlc_value_t* value) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    for (vlc_object_t* current = object; current != nullptr; current = current->obj.parent) {
      if (const FakeVlcCore::Variable* variable = Fake().Find(current, name)) {
        return ReadValue(*variable, type, value);
      }
    }
    auto option = Fake().mOptions.find(name);
    if (option == Fake().mOptions.end()) return VLC_ENOOBJ;
    return ReadValue(option->second, type, value);
  }
  static void VarAddCallback(vlc_object_t* object, const char* name, vlc_callback_t callback,
                             void* data) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    auto found = Fake().mVariables.find({object, name});
    if (found == Fake().mVariables.end()) {
      ADD_FAILURE() << "callback added to a missing variable " << name;
      return;
    }
    found->second.callbacks.push_back({callback, data});
  }
  static void VarDelCallback(vlc_object_t* object, const char* name, vlc_callback_t callback,
                             void* data) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    auto found = Fake().mVariables.find({object, name});
    if (found != Fake().mVariables.end()) {
      auto& list = found->second.callbacks;
      for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->function == callback && it->data == data) {
          list.erase(it);
          return;
        }
      }
    }
    ADD_FAILURE() << "removed a callback that was not added: " << name;
  }
  static input_thread_t* CurrentInput(playlist_t*) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    if (Fake().mCurrentInput != nullptr) ++Fake().mInputHolds;
    return Fake().mCurrentInput;
  }
  static input_item_t* GetItem(input_thread_t* input) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    auto found = Fake().mItems.find(input);
    if (found == Fake().mItems.end()) {
      ADD_FAILURE() << "item of an unknown input";
      return nullptr;
    }
    return found->second;
  }
  static const char* MetaGet(const vlc_meta_t* meta, vlc_meta_type_t type) {
    EXPECT_GT(Fake().mItemLocks, 0) << "metadata read without the item's lock";
    const auto* texts = reinterpret_cast<const FakeVlcCore::Meta*>(meta);
    auto found = texts->texts.find(type);
    return found != texts->texts.end() ? found->second.c_str() : nullptr;
  }
  static void Lock(vlc_mutex_t*) { ++Fake().mItemLocks; }
  static void Unlock(vlc_mutex_t*) { --Fake().mItemLocks; }
  static void Release(vlc_object_t* object) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    EXPECT_EQ(object, VLC_OBJECT(Fake().mCurrentInput)) << "released an object never held";
    --Fake().mInputHolds;
  }
  static mtime_t Clock() { return Fake().now; }
  static void Log(vlc_object_t* object, int priority, const char* function, const char* text) {
    std::lock_guard<std::recursive_mutex> hold(Fake().mLock);
    Fake().log.push_back({object, priority, function, text});
  }
};

const VlcCoreCalls FakeVlcCore::kCalls = {
    &FakeVlcCoreCalls::VarCreate,     &FakeVlcCoreCalls::VarType,
    &FakeVlcCoreCalls::VarGetChecked, &FakeVlcCoreCalls::VarInherit,
    &FakeVlcCoreCalls::VarAddCallback, &FakeVlcCoreCalls::VarDelCallback,
    &FakeVlcCoreCalls::CurrentInput,  &FakeVlcCoreCalls::GetItem,
    &FakeVlcCoreCalls::MetaGet,       &FakeVlcCoreCalls::Lock,
    &FakeVlcCoreCalls::Unlock,        &FakeVlcCoreCalls::Release,
    &FakeVlcCoreCalls::Clock,         &FakeVlcCoreCalls::Log,
};

FakeVlcCore::FakeVlcCore() {
  sCurrent = this;
  mPrevious = SetVlcCore(&kCalls);
}

FakeVlcCore::~FakeVlcCore() {
  EXPECT_EQ(mInputHolds, 0) << "inputs held and never released";
  EXPECT_EQ(mItemLocks, 0) << "item locks left locked";
  SetVlcCore(mPrevious == &DefaultVlcCore() ? nullptr : mPrevious);
  sCurrent = nullptr;
  for (OwnedObject& owned : mObjects) owned.destroy(owned.object);
}

void FakeVlcCore::CreateVariable(vlc_object_t* object, const char* name, int type) {
  std::lock_guard<std::recursive_mutex> hold(mLock);
  Variable& variable = mVariables[{object, name}];
  variable.type = type;
}

const FakeVlcCore::Variable* FakeVlcCore::Find(vlc_object_t* object, const char* name) const {
  std::lock_guard<std::recursive_mutex> hold(mLock);
  auto found = mVariables.find({object, name});
  return found != mVariables.end() ? &found->second : nullptr;
}

void FakeVlcCore::Set(vlc_object_t* object, const char* name, int type, vlc_value_t value) {
  std::vector<Callback> callbacks;
  vlc_value_t old{};
  {
    std::lock_guard<std::recursive_mutex> hold(mLock);
    Variable& variable = mVariables[{object, name}];
    if (variable.type == 0) variable.type = type;
    old = variable.value;
    variable.value = value;
    if ((type & VLC_VAR_CLASS) == VLC_VAR_STRING) {
      variable.text = value.psz_string != nullptr ? value.psz_string : "";
      variable.value.psz_string = nullptr;
    }
    callbacks = variable.callbacks;
  }
  // Outside the lock, as VLC runs them, with the new value as given.
  for (const Callback& callback : callbacks) callback.function(object, name, old, value, callback.data);
}

void FakeVlcCore::SetInteger(vlc_object_t* object, const char* name, int64_t number) {
  vlc_value_t value{};
  value.i_int = number;
  Set(object, name, VLC_VAR_INTEGER, value);
}

void FakeVlcCore::SetBool(vlc_object_t* object, const char* name, bool flag) {
  vlc_value_t value{};
  value.b_bool = flag;
  Set(object, name, VLC_VAR_BOOL, value);
}

void FakeVlcCore::SetString(vlc_object_t* object, const char* name, const char* text) {
  vlc_value_t value{};
  value.psz_string = const_cast<char*>(text);
  Set(object, name, VLC_VAR_STRING, value);
}

void FakeVlcCore::SetAddress(vlc_object_t* object, const char* name, void* address) {
  vlc_value_t value{};
  value.p_address = address;
  Set(object, name, VLC_VAR_ADDRESS, value);
}

void FakeVlcCore::SetOption(const char* name, int type, int64_t number) {
  std::lock_guard<std::recursive_mutex> hold(mLock);
  Variable& option = mOptions[name];
  option.type = type;
  if ((type & VLC_VAR_CLASS) == VLC_VAR_BOOL) {
    option.value.b_bool = number != 0;
  } else {
    option.value.i_int = number;
  }
}

void FakeVlcCore::SetCurrentInput(input_thread_t* input, input_item_t* item) {
  std::lock_guard<std::recursive_mutex> hold(mLock);
  mCurrentInput = input;
  if (input != nullptr) mItems[input] = item;
}

input_item_t* FakeVlcCore::MakeItem(const char* name, Meta* meta) {
  auto* item = new input_item_t{};
  item->psz_name = const_cast<char*>(name);
  item->p_meta = reinterpret_cast<vlc_meta_t*>(meta);
  mObjects.push_back({item, [](void* o) { delete static_cast<input_item_t*>(o); }});
  return item;
}

std::vector<std::string> FakeVlcCore::LinesOf(const char* function) const {
  std::lock_guard<std::recursive_mutex> hold(mLock);
  std::vector<std::string> lines;
  for (const LogLine& line : log) {
    if (line.function == function) lines.push_back(line.text);
  }
  return lines;
}

void FakeVlcCore::SetFloat(vlc_object_t* object, const char* name, float number) {
  vlc_value_t value{};
  value.f_float = number;
  Set(object, name, VLC_VAR_FLOAT, value);
}

size_t FakeVlcCore::CallbackCount(vlc_object_t* object, const char* name) const {
  const Variable* variable = Find(object, name);
  return variable != nullptr ? variable->callbacks.size() : 0;
}
