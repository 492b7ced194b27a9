// Names and defaults of the module's VLC options, shared by the descriptor that declares them
// and the filter that reads them.
#pragma once

#include <cstdint>

namespace ModuleOptions {
constexpr const char* kModuleName = "glimmora";
constexpr const char* kWidth = "glimmora-width";
constexpr const char* kHeight = "glimmora-height";
constexpr const char* kAudioOnly = "glimmora-audio-only";
constexpr int64_t kDefaultWidth = 1280;
constexpr int64_t kDefaultHeight = 720;
constexpr bool kDefaultAudioOnly = true;
}  // namespace ModuleOptions
