// Object variables of the stand-in core: created, typed, read, inherited through the parents
// and then the options, and set with their callbacks run outside the lock as VLC runs them.
#include <cstring>

#include "players/vlc/StandInCore.h"
#include "players/vlc/StandInState.h"

namespace {

using standin::Get;
using standin::Variable;

Variable* Find(vlc_object_t* object, const char* name) {
  auto found = Get().variables.find({object, name});
  return found != Get().variables.end() ? &found->second : nullptr;
}

int Read(const Variable& variable, int type, vlc_value_t* value) {
  if ((variable.type & VLC_VAR_CLASS) != (type & VLC_VAR_CLASS)) return VLC_EBADVAR;
  *value = variable.value;
  if ((type & VLC_VAR_CLASS) == VLC_VAR_STRING) value->psz_string = strdup(variable.text.c_str());
  return VLC_SUCCESS;
}

void Set(vlc_object_t* object, const char* name, int type, vlc_value_t value) {
  std::vector<standin::Callback> callbacks;
  vlc_value_t previous{};
  {
    std::lock_guard<std::recursive_mutex> hold(Get().lock);
    Variable& variable = Get().variables[{object, name}];
    if (variable.type == 0) variable.type = type;
    previous = variable.value;
    variable.value = value;
    if ((type & VLC_VAR_CLASS) == VLC_VAR_STRING) {
      variable.text = value.psz_string != nullptr ? value.psz_string : "";
      variable.value.psz_string = nullptr;
    }
    callbacks = variable.callbacks;
  }
  for (const standin::Callback& callback : callbacks) {
    callback.function(object, name, previous, value, callback.data);
  }
}

}  // namespace

extern "C" {

int (var_Create)(vlc_object_t* object, const char* name, int type) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Variable& variable = Get().variables[{object, name}];
  if (variable.type == 0) variable.type = type;
  return VLC_SUCCESS;
}

int (var_Type)(vlc_object_t* object, const char* name) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  const Variable* variable = Find(object, name);
  return variable != nullptr ? variable->type : 0;
}

int (var_GetChecked)(vlc_object_t* object, const char* name, int type, vlc_value_t* value) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  const Variable* variable = Find(object, name);
  return variable != nullptr ? Read(*variable, type, value) : VLC_ENOVAR;
}

int (var_Inherit)(vlc_object_t* object, const char* name, int type, vlc_value_t* value) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  for (vlc_object_t* current = object; current != nullptr; current = current->obj.parent) {
    if (const Variable* variable = Find(current, name)) return Read(*variable, type, value);
  }
  auto option = Get().options.find(name);
  return option != Get().options.end() ? Read(option->second, type, value) : VLC_ENOOBJ;
}

void (var_AddCallback)(vlc_object_t* object, const char* name, vlc_callback_t callback, void* data) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  if (Variable* variable = Find(object, name)) variable->callbacks.push_back({callback, data});
}

void (var_DelCallback)(vlc_object_t* object, const char* name, vlc_callback_t callback, void* data) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Variable* variable = Find(object, name);
  if (variable == nullptr) return;
  auto& list = variable->callbacks;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->function == callback && it->data == data) {
      list.erase(it);
      return;
    }
  }
}

void StandIn_CreateVariable(vlc_object_t* object, const char* name, int type) {
  (var_Create)(object, name, type);
}

void StandIn_SetInteger(vlc_object_t* object, const char* name, int64_t number) {
  vlc_value_t value{};
  value.i_int = number;
  Set(object, name, VLC_VAR_INTEGER, value);
}

void StandIn_SetFloat(vlc_object_t* object, const char* name, float number) {
  vlc_value_t value{};
  value.f_float = number;
  Set(object, name, VLC_VAR_FLOAT, value);
}

void StandIn_SetString(vlc_object_t* object, const char* name, const char* text) {
  vlc_value_t value{};
  value.psz_string = const_cast<char*>(text);
  Set(object, name, VLC_VAR_STRING, value);
}

void StandIn_SetAddress(vlc_object_t* object, const char* name, void* address) {
  vlc_value_t value{};
  value.p_address = address;
  Set(object, name, VLC_VAR_ADDRESS, value);
}

void StandIn_SetOption(const char* name, int type, int64_t number) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Variable& option = Get().options[name];
  option.type = type;
  if ((type & VLC_VAR_CLASS) == VLC_VAR_BOOL) {
    option.value.b_bool = number != 0;
  } else {
    option.value.i_int = number;
  }
}

int32_t StandIn_CallbackCount(vlc_object_t* object, const char* name) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  const Variable* variable = Find(object, name);
  return variable != nullptr ? static_cast<int32_t>(variable->callbacks.size()) : 0;
}

}  // extern "C"
