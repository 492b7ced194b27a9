// Conversions between the UTF-16 texts of Windows calls and the UTF-8 texts of this system's
// interfaces and of GoogleTest's messages, for test code.
#pragma once

#include <string>

std::string Utf8(const std::wstring& wide);
std::wstring Wide(const std::string& utf8);
