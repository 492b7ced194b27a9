// Objects, items and metadata, the playlist's input, the clock and the log of the stand-in
// core.
#include "players/vlc/StandInCore.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>

#include "players/vlc/StandInState.h"

namespace standin {

State& Get() {
  static State* state = new State();  // never destroyed: the module's threads may outlive exit
  return *state;
}

}  // namespace standin

using standin::Get;

namespace {

int64_t Now() {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  return Get().realTime ? static_cast<int64_t>(GetTickCount64()) * 1000 : Get().clock;
}

// Runs the variable armed for this function's log line, once, on the calling thread.
void RunSetInLog(const char* function) {
  standin::SetInLog armed;
  {
    std::lock_guard<std::recursive_mutex> hold(Get().lock);
    standin::SetInLog& setInLog = Get().setInLog;
    if (setInLog.function.empty() || function == nullptr || setInLog.function != function) return;
    armed = setInLog;
    setInLog.function.clear();
  }
  const ULONGLONG start = GetTickCount64();
  StandIn_SetFloat(armed.object, armed.name.c_str(), armed.value);
  const auto took = static_cast<int64_t>(GetTickCount64() - start);
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Get().setInLog.thread = GetCurrentThreadId();
  Get().setInLog.tookMs = took;
}

}  // namespace

extern "C" {

vlc_object_t* StandIn_NewObject(const char* type, vlc_object_t* parent, size_t size) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  auto* object = static_cast<vlc_object_t*>(calloc(1, std::max(size, sizeof(vlc_object_t))));
  object->obj.object_type = strdup(type);
  object->obj.parent = parent;
  Get().objects.push_back(object);
  return object;
}

input_item_t* StandIn_NewItem(const char* name) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  auto* item = static_cast<input_item_t*>(calloc(1, sizeof(input_item_t)));
  item->psz_name = strdup(name);
  Get().items.push_back(item);
  return item;
}

void StandIn_SetMeta(input_item_t* item, int type, const char* text) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  if (item->p_meta == nullptr) item->p_meta = reinterpret_cast<vlc_meta_t*>(new standin::Meta());
  auto* meta = reinterpret_cast<standin::Meta*>(item->p_meta);
  if (text != nullptr) {
    meta->texts[type] = text;
  } else {
    meta->texts.erase(type);
  }
}

void StandIn_SetCurrentInput(vlc_object_t* input, input_item_t* item) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Get().currentInput = input;
  if (input != nullptr) Get().itemOfInput[input] = item;
}

int32_t StandIn_InputHolds(void) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  return Get().inputHolds;
}

void StandIn_SetClock(int64_t microseconds) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Get().clock = microseconds;
  Get().realTime = false;
}

void StandIn_FollowRealTime(void) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Get().realTime = true;
}

int32_t StandIn_ItemReadCount(void) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  return static_cast<int32_t>(Get().itemReads.size());
}

int64_t StandIn_ItemReadTime(int32_t index) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  const std::vector<int64_t>& reads = Get().itemReads;
  return index >= 0 && static_cast<size_t>(index) < reads.size() ? reads[size_t(index)] : -1;
}

void StandIn_SetFloatInLogOf(const char* function, vlc_object_t* object, const char* name,
                             float value) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Get().setInLog = standin::SetInLog{function, object, name, value, 0, -1};
}

uint32_t StandIn_SetInLogThread(void) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  return Get().setInLog.thread;
}

int64_t StandIn_SetInLogMs(void) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  return Get().setInLog.tookMs;
}

int32_t StandIn_LogCount(void) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  return static_cast<int32_t>(Get().log.size());
}

int32_t StandIn_LogLine(int32_t index, char* buffer, int32_t size) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  if (index < 0 || static_cast<size_t>(index) >= Get().log.size()) return -1;
  const std::string& line = Get().log[static_cast<size_t>(index)];
  if (buffer != nullptr && size > 0) {
    const size_t n = std::min(line.size(), static_cast<size_t>(size - 1));
    memcpy(buffer, line.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int32_t>(line.size());
}

void StandIn_Reset(void) {
  standin::State& state = Get();
  std::lock_guard<std::recursive_mutex> hold(state.lock);
  for (void* object : state.objects) {
    free(const_cast<char*>(static_cast<vlc_object_t*>(object)->obj.object_type));
    free(object);
  }
  for (input_item_t* item : state.items) {
    free(item->psz_name);
    delete reinterpret_cast<standin::Meta*>(item->p_meta);
    free(item);
  }
  state.objects.clear();
  state.items.clear();
  state.variables.clear();
  state.options.clear();
  state.currentInput = nullptr;
  state.itemOfInput.clear();
  state.inputHolds = 0;
  state.clock = 1000000;
  state.realTime = false;
  state.itemReads.clear();
  state.log.clear();
  state.setInLog = standin::SetInLog{};
}

// VLC's own functions.

input_thread_t* (playlist_CurrentInput)(playlist_t*) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  if (Get().currentInput != nullptr) ++Get().inputHolds;
  return reinterpret_cast<input_thread_t*>(Get().currentInput);
}

input_item_t* (input_GetItem)(input_thread_t* input) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  Get().itemReads.push_back(Now());
  auto found = Get().itemOfInput.find(VLC_OBJECT(input));
  return found != Get().itemOfInput.end() ? found->second : nullptr;
}

void (vlc_object_release)(vlc_object_t* object) {
  std::lock_guard<std::recursive_mutex> hold(Get().lock);
  if (object == Get().currentInput || Get().itemOfInput.count(object) != 0) --Get().inputHolds;
}

const char* (vlc_meta_Get)(const vlc_meta_t* meta, vlc_meta_type_t type) {
  if (meta == nullptr) return nullptr;
  const auto* texts = reinterpret_cast<const standin::Meta*>(meta);
  auto found = texts->texts.find(type);
  return found != texts->texts.end() ? found->second.c_str() : nullptr;
}

// Items have no lock of their own here: the one lock of the stand-in serves.
void (vlc_mutex_lock)(vlc_mutex_t*) { Get().lock.lock(); }
void (vlc_mutex_unlock)(vlc_mutex_t*) { Get().lock.unlock(); }

mtime_t (mdate)(void) { return Now(); }

void (vlc_Log)(vlc_object_t*, int priority, const char*, const char*, unsigned, const char* function,
             const char* format, ...) {
  char text[4096];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  {
    std::lock_guard<std::recursive_mutex> hold(Get().lock);
    Get().log.push_back(std::to_string(priority) + " " + (function != nullptr ? function : "") +
                        ": " + text);
  }
  RunSetInLog(function);
}

}  // extern "C"
