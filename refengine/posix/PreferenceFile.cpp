// The native preference file: only where the environment names one (there is no application
// data folder to default to). Paths hold their UTF-8 bytes one to a character.
#include "refengine/PreferenceFile.h"

#include <cstdio>
#include <cstdlib>

#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

constexpr long kMaxFileBytes = 1024 * 1024;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kWriteFault = 29;

class File {
 public:
  File(const std::string& path, const char* mode) : mFile(std::fopen(path.c_str(), mode)) {}
  ~File() {
    if (mFile) std::fclose(mFile);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::FILE* get() const { return mFile; }
  // Closes now; false when the last writes did not reach the file.
  bool Close() {
    const bool ok = std::fclose(mFile) == 0;
    mFile = nullptr;
    return ok;
  }

 private:
  std::FILE* mFile;
};

}  // namespace

std::wstring DefaultPreferenceFile() {
  return PreferencePathFromUtf8(std::getenv(REFENGINE_PREFERENCES_ENV));
}

std::optional<std::string> ReadPreferenceFile(const std::wstring& path) {
  if (path.empty()) return std::nullopt;
  File file(PreferencePathToUtf8(path), "rb");
  if (!file.get() || std::fseek(file.get(), 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(file.get());
  if (size < 0 || size > kMaxFileBytes || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return std::nullopt;
  }
  std::string bytes(size_t(size), '\0');
  if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return std::nullopt;
  return bytes;
}

uint32_t WritePreferenceFile(const std::wstring& path, const std::string& text) {
  if (path.empty()) return kPathNotFound;
  const std::string target = PreferencePathToUtf8(path);
  const std::string temporary = target + ".new";
  File file(temporary, "wb");
  if (!file.get()) return kPathNotFound;
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  if (!file.Close() || !written || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return kWriteFault;
  }
  return 0;
}

std::wstring PreferencePathFromUtf8(const char* utf8) {
  std::wstring path;
  for (const char* c = utf8; c && *c; ++c) path.push_back(wchar_t(static_cast<unsigned char>(*c)));
  return path;
}

std::string PreferencePathToUtf8(const std::wstring& path) {
  std::string bytes;
  for (wchar_t c : path) bytes.push_back(char(c));
  return bytes;
}

}  // namespace refengine
