// The engine's preference store, shared by its instances: hosts read it with 'GPrf' and
// write it with 'SPrf'; tests fill it through RefEngineControl.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "visualhost/EngineRecords.h"

namespace refengine {

// Stores a copy of the value (texts included). False for an unknown type letter.
bool StorePreference(const std::string& name, const PreferenceAnswer& value);
void StoreNumberPreference(const std::string& name, uint32_t type, int64_t integer, double number);
void StoreTextPreference(const std::string& name, const std::string& utf8Text);

// Fills the answer; a text answer points into the store and stays valid until that
// preference changes. False (answer untouched) when the name is unknown.
bool AnswerPreference(const std::string& name, PreferenceAnswer* answer);
// The value of an integer preference.
std::optional<int64_t> IntegerPreference(const std::string& name);

void ResetPreferences();

}  // namespace refengine
