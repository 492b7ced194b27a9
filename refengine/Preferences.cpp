#include "refengine/Preferences.h"

#include <cstring>
#include <map>
#include <mutex>

namespace refengine {
namespace {

struct StoredPreference {
  uint32_t type = 0;
  int64_t integer = 0;
  double number = 0;
  std::string bytes;  // texts; 'W' keeps UTF-16 bytes
};

std::mutex gLock;
std::map<std::string, StoredPreference>& Store() {
  static auto* store = new std::map<std::string, StoredPreference>;
  return *store;
}

bool IsIntegerType(uint32_t type) {
  return type == 'C' || type == 'I' || type == 'c' || type == 'i' || type == 'b' || type == '*';
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

}  // namespace

bool StorePreference(const std::string& name, const PreferenceAnswer& value) {
  std::optional<StoredPreference> stored = Copy(value);
  if (!stored) return false;
  std::lock_guard<std::mutex> guard(gLock);
  Store()[name] = std::move(*stored);
  return true;
}

void StoreNumberPreference(const std::string& name, uint32_t type, int64_t integer, double number) {
  StoredPreference stored;
  stored.type = type;
  stored.integer = integer;
  stored.number = number;
  std::lock_guard<std::mutex> guard(gLock);
  Store()[name] = stored;
}

void StoreTextPreference(const std::string& name, const std::string& utf8Text) {
  StoredPreference stored;
  stored.type = 's';
  stored.bytes = utf8Text;
  std::lock_guard<std::mutex> guard(gLock);
  Store()[name] = stored;
}

bool AnswerPreference(const std::string& name, PreferenceAnswer* answer) {
  std::lock_guard<std::mutex> guard(gLock);
  const auto found = Store().find(name);
  if (found == Store().end()) return false;
  Answer(found->second, answer);
  return true;
}

std::optional<int64_t> IntegerPreference(const std::string& name) {
  std::lock_guard<std::mutex> guard(gLock);
  const auto found = Store().find(name);
  if (found == Store().end() || !IsIntegerType(found->second.type)) return std::nullopt;
  return found->second.integer;
}

void ResetPreferences() {
  std::lock_guard<std::mutex> guard(gLock);
  Store().clear();
}

}  // namespace refengine
