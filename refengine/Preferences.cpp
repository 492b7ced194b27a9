#include "refengine/Preferences.h"

#include <cstring>
#include <mutex>

#include "refengine/PreferenceFile.h"
#include "refengine/PreferenceText.h"
#include "utility/MapSystemError.h"

namespace refengine {
namespace {

struct PreferenceState {
  PreferenceMap store;
  bool loaded = false;
  bool changed = false;
  std::wstring chosenFile;  // empty: the default file
};

std::mutex gLock;
PreferenceState& State() {
  static auto* state = new PreferenceState;
  return *state;
}

bool IsIntegerType(uint32_t type) {
  return type == 'C' || type == 'I' || type == 'c' || type == 'i' || type == 'b' || type == '*';
}

std::wstring FileInUse(const PreferenceState& state) {
  return state.chosenFile.empty() ? DefaultPreferenceFile() : state.chosenFile;
}

// Reads the file at the first use after start or Forget. A missing or malformed file leaves
// the defaults (an empty store). Call with the lock held.
PreferenceMap& Loaded() {
  PreferenceState& state = State();
  if (state.loaded) return state.store;
  state.loaded = true;
  state.changed = false;
  state.store.clear();
  const std::optional<std::string> text = ReadPreferenceFile(FileInUse(state));
  std::optional<PreferenceMap> read = text ? ParsePreferenceText(*text) : std::nullopt;
  if (read) state.store = std::move(*read);
  return state.store;
}

void Put(const std::string& name, StoredPreference stored) {
  std::lock_guard<std::mutex> guard(gLock);
  Loaded()[name] = std::move(stored);
  State().changed = true;
}

std::optional<StoredPreference> Copy(const PreferenceAnswer& value) {
  StoredPreference stored;
  stored.type = value.type;
  if (value.type == '*') {
    stored.integer = int64_t(reinterpret_cast<uintptr_t>(value.value.pointer));
  } else if (IsIntegerType(value.type)) {
    stored.integer = value.value.integer;
  } else if (value.type == 'F') {
    stored.number = value.value.real;
  } else if (value.type == 'f') {
    stored.number = value.value.single;
  } else if (value.type == 's') {
    const char* text = static_cast<const char*>(value.value.pointer);
    if (text)
      stored.bytes = value.length < 0 ? std::string(text) : std::string(text, size_t(value.length));
  } else if (value.type == 'W') {
    const char* bytes = static_cast<const char*>(value.value.pointer);
    if (bytes && value.length > 0) stored.bytes.assign(bytes, size_t(value.length & ~1));
  } else {
    return std::nullopt;
  }
  return stored;
}

void Answer(const StoredPreference& stored, PreferenceAnswer* answer) {
  std::memset(answer, 0, sizeof *answer);
  answer->type = stored.type;
  if (stored.type == '*') {
    answer->value.pointer = reinterpret_cast<const void*>(uintptr_t(stored.integer));
  } else if (IsIntegerType(stored.type)) {
    answer->value.integer = stored.integer;
  } else if (stored.type == 'F') {
    answer->value.real = stored.number;
  } else if (stored.type == 'f') {
    answer->value.single = float(stored.number);
  } else {
    answer->value.pointer = stored.bytes.c_str();
    answer->length = int32_t(stored.bytes.size());
  }
}

// Call with the lock held.
int32_t WriteLocked() {
  PreferenceState& state = State();
  const std::string text = FormatPreferenceText(Loaded());
  const int32_t status = MapSystemError(WritePreferenceFile(FileInUse(state), text));
  if (status == 0) state.changed = false;
  return status;
}

}  // namespace

bool StorePreference(const std::string& name, const PreferenceAnswer& value) {
  std::optional<StoredPreference> stored = Copy(value);
  if (!stored) return false;
  Put(name, std::move(*stored));
  return true;
}

void StoreNumberPreference(const std::string& name, uint32_t type, int64_t integer, double number) {
  StoredPreference stored;
  stored.type = type;
  stored.integer = integer;
  stored.number = number;
  Put(name, std::move(stored));
}

void StoreTextPreference(const std::string& name, const std::string& utf8Text) {
  StoredPreference stored;
  stored.type = 's';
  stored.bytes = utf8Text;
  Put(name, std::move(stored));
}

bool AnswerPreference(const std::string& name, PreferenceAnswer* answer) {
  std::lock_guard<std::mutex> guard(gLock);
  const PreferenceMap& store = Loaded();
  const auto found = store.find(name);
  if (found == store.end()) return false;
  Answer(found->second, answer);
  return true;
}

std::optional<int64_t> IntegerPreference(const std::string& name) {
  std::lock_guard<std::mutex> guard(gLock);
  const PreferenceMap& store = Loaded();
  const auto found = store.find(name);
  if (found == store.end() || !IsIntegerType(found->second.type)) return std::nullopt;
  return found->second.integer;
}

int32_t WritePreferences() {
  std::lock_guard<std::mutex> guard(gLock);
  return WriteLocked();
}

void WritePreferencesIfChanged() {
  std::lock_guard<std::mutex> guard(gLock);
  if (State().loaded && State().changed) WriteLocked();
}

void ForgetPreferences() {
  std::lock_guard<std::mutex> guard(gLock);
  State().store.clear();
  State().loaded = false;
  State().changed = false;
}

void ChoosePreferenceFile(const std::wstring& path) {
  std::lock_guard<std::mutex> guard(gLock);
  State().chosenFile = path;
  State().store.clear();
  State().loaded = false;
  State().changed = false;
}

std::wstring PreferenceFilePath() {
  std::lock_guard<std::mutex> guard(gLock);
  return FileInUse(State());
}

void ResetPreferences() {
  ChoosePreferenceFile(L"");
}

}  // namespace refengine
