// Reading the host descriptor: one line of name=value settings separated by blanks, values
// bare or in double quotes.
#pragma once

#include <string>
#include <string_view>

namespace refengine {

// The value of the named setting (quotes removed), or empty when it is absent.
std::string DescriptorSetting(std::string_view descriptor, std::string_view name);

}  // namespace refengine
