// The engine's preference store, shared by its instances: hosts read it with 'GPrf' and
// write it with 'SPrf'; tests fill it through RefEngineControl. It survives the process in the
// preference file: read at the first use, written on 'WPrf' and, when something changed, when
// the last instance goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "visualhost/engine/EngineRecords.h"

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

// Writes the preference file: 0 or a status.
int32_t WritePreferences();
// Writes the preference file when the store changed since it was read or written.
void WritePreferencesIfChanged();

// Empties the store without writing; the next use reads the file again.
void ForgetPreferences();
// Uses this file from now on (empty: the default one) and forgets the store.
void ChoosePreferenceFile(const std::wstring& path);
// The file in use.
std::wstring PreferenceFilePath();

// Back to the default file and an empty store that the next use reads from it.
void ResetPreferences();

}  // namespace refengine
