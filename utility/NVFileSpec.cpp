#include "utility/NVFileSpec.h"

#include <cstdint>
#include <cstring>

#include "utility/LogMessage.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"

namespace {

constexpr char kLongPrefix[] = "\\\\?\\";
constexpr int32_t kLongPrefixLength = 4;
constexpr char kLongUncPrefix[] = "\\\\?\\UNC\\";
constexpr int32_t kLongUncPrefixLength = 8;
constexpr char kNetworkStart[] = "\\\\";
// "C:\" is the longest path that keeps its trailing separator.
constexpr int32_t kDriveRootLength = 3;

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool StartsWith(const UtilStr& text, const char* prefix, int32_t prefixLength, bool caseSensitive) {
  return text.Length() >= prefixLength &&
         CompareText(text.Text(), prefixLength, prefix, prefixLength, caseSensitive) == 0;
}

// Index of the last backslash, or -1. Only backslashes count when walking up or renaming.
int32_t LastBackslash(const UtilStr& text) {
  for (int32_t i = text.Length() - 1; i >= 0; --i) {
    if (text.Text()[i] == '\\') return i;
  }
  return -1;
}

}  // namespace

void NVFileSpec::Clear() {
  mPathName.Assign(nullptr, 0);
  mNameStart = 0;
}

void NVFileSpec::SetPath(const UtilStr& path) {
  mPathName = path;
  Normalize();
}

void NVFileSpec::SetPathUtf16(const char16_t* wide, int32_t count) {
  mPathName.AssignUtf16(wide, count);
  Normalize();
}

void NVFileSpec::Normalize() {
  if (StartsWith(mPathName, kLongUncPrefix, kLongUncPrefixLength, false)) {
    mPathName.Replace(0, kLongUncPrefixLength, kNetworkStart, 2);
  } else if (StartsWith(mPathName, kLongPrefix, kLongPrefixLength, true)) {
    mPathName.Replace(0, kLongPrefixLength, "", 0);
  }
  const int32_t length = mPathName.Length();
  if (length > kDriveRootLength && IsSeparator(mPathName.Text()[length - 1])) {
    mPathName.RemoveLast(1);
  }
  mNameStart = mPathName.Length();
  for (int32_t i = mPathName.Length() - 1; i >= 0; --i) {
    if (IsSeparator(mPathName.Text()[i])) {
      mNameStart = i + 1;
      break;
    }
  }
}

void NVFileSpec::SetChild(const char* name, int32_t length, const NVFileSpec& parent) {
  if (parent.IsEmpty()) {
    Clear();
    return;
  }
  length = text_rules::MeasuredLength(name, length);
  if (length > 0 && name[0] == '\\') {
    ++name;
    --length;
  }
  UtilStr path = parent.mPathName;
  if (length > 0) {
    if (path.Text()[path.Length() - 1] != '\\') path.AppendChar('\\');
    path.Append(name, length);
  }
  mPathName = path;
  Normalize();
}

void NVFileSpec::SetParent(const NVFileSpec& other) {
  if (other.IsEmpty()) return;
  UtilStr path = other.mPathName;
  if (path.Text()[path.Length() - 1] == '\\') path.RemoveLast(1);
  const int32_t cut = LastBackslash(path);
  if (cut < 0) {
    Clear();
    return;
  }
  // The parent of a top-level item is the drive root "C:\", not the drive-relative "C:".
  const bool driveRoot = cut == 2 && path.Text()[1] == ':';
  const int32_t keep = driveRoot ? cut + 1 : cut;
  path.RemoveLast(path.Length() - keep);
  mPathName = path;
  Normalize();
}

void NVFileSpec::SetName(const UtilStr& name) {
  if (IsEmpty()) return;
  const int32_t keep = LastBackslash(mPathName) + 1;
  if (keep == 0) {
    mPathName = name;
  } else {
    mPathName.RemoveLast(mPathName.Length() - keep);
    mPathName.Append(name);
  }
  Normalize();
}

void NVFileSpec::Print() {
  LogMessage(LogFlags::kDebug, "NVFileSpec (0x%X): mPathName = '%s'",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)), mPathName.Text());
}
