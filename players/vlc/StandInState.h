// The stand-in core's state, shared by its parts: one lock for everything, as the calls come
// from the module's threads (VLC's audio thread, the session thread) and the scenario's.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "NV_VLC/VlcHeaders.h"

namespace standin {

struct Callback {
  vlc_callback_t function;
  void* data;
};

struct Variable {
  int type = 0;
  vlc_value_t value{};
  std::string text;  // a string variable's value
  std::vector<Callback> callbacks;
};

struct Meta {
  std::map<int, std::string> texts;
};

// A variable to set from inside the module's next log line of one function: VLC runs a
// variable's callbacks on whatever thread sets it, so this is how a callback comes to run on
// the module's own session thread.
struct SetInLog {
  std::string function;  // empty: none armed
  vlc_object_t* object = nullptr;
  std::string name;
  float value = 0.0f;
  // What happened when it ran.
  uint32_t thread = 0;
  int64_t tookMs = -1;
};

struct State {
  std::recursive_mutex lock;
  std::map<std::pair<vlc_object_t*, std::string>, Variable> variables;
  std::map<std::string, Variable> options;
  std::vector<void*> objects;  // freed at reset
  std::vector<input_item_t*> items;
  vlc_object_t* currentInput = nullptr;
  std::map<vlc_object_t*, input_item_t*> itemOfInput;
  int32_t inputHolds = 0;
  int64_t clock = 1000000;
  bool realTime = false;  // mdate() follows the system's tick count instead
  std::vector<int64_t> itemReads;  // the clock at each input_GetItem
  std::vector<std::string> log;
  SetInLog setInLog;
};

State& Get();

}  // namespace standin
