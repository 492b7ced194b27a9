#include "refengine/HostDescriptor.h"

namespace refengine {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string DescriptorSetting(std::string_view descriptor, std::string_view name) {
  size_t at = 0;
  while (at < descriptor.size()) {
    while (at < descriptor.size() && IsBlank(descriptor[at])) ++at;
    const size_t nameStart = at;
    while (at < descriptor.size() && descriptor[at] != '=' && !IsBlank(descriptor[at])) ++at;
    const std::string_view settingName = descriptor.substr(nameStart, at - nameStart);
    if (at >= descriptor.size() || descriptor[at] != '=') continue;
    ++at;
    std::string value;
    if (at < descriptor.size() && descriptor[at] == '"') {
      const size_t close = descriptor.find('"', at + 1);
      const size_t end = close == std::string_view::npos ? descriptor.size() : close;
      value = descriptor.substr(at + 1, end - at - 1);
      at = end + 1;
    } else {
      const size_t valueStart = at;
      while (at < descriptor.size() && !IsBlank(descriptor[at])) ++at;
      value = descriptor.substr(valueStart, at - valueStart);
    }
    if (settingName == name) return value;
  }
  return {};
}

}  // namespace refengine
