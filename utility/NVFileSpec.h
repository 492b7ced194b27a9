// NVFileSpec: the name of a file or folder, kept as normalized UTF-8 text.
//
// Normalized means: no leading long-path prefix ("\\?\" is dropped, "\\?\UNC\" becomes "\\"),
// and no trailing "/" or backslash unless the path is a drive root such as "C:\". The
// long-path prefix is added back only when the path is converted to UTF-16 for a system call
// (ToWide), and never to network paths (starting with two backslashes) or URL texts.
//
// The path-text operations are portable. Everything that asks the operating system (kinds,
// deletion, the working folder, the executable, the standard folders, opening and reading
// files) is Windows-only.
#pragma once

#include <cstdint>

#include "utility/NVObject.h"
#include "utility/UtilStr.h"

// A Windows file handle, kept as a plain pointer so that this header needs no system headers.
using NVFileHandle = void*;

class NVFileSpec : public NVObject {
 public:
  // Units of the wide buffers the system calls convert into: kinds, deletion and the
  // working-folder test use the larger one, file opening the smaller one.
  static constexpr int32_t kWideCapacity = 2048;
  static constexpr int32_t kOpenWideCapacity = 1024;

  // Answers of GetKind.
  static constexpr int kNothing = 0;
  static constexpr int kFile = 1;
  static constexpr int kFolder = 2;

  NVFileSpec() = default;
  NVFileSpec(const NVFileSpec&) = default;
  NVFileSpec& operator=(const NVFileSpec&) = default;
  ~NVFileSpec() override = default;

  const UtilStr& Path() const { return mPathName; }
  const char* Text() const { return mPathName.Text(); }
  bool IsEmpty() const { return mPathName.IsEmpty(); }
  // Index where the last component begins (one past the last separator, or the length).
  int32_t NameStart() const { return mNameStart; }

  void Clear();
  // Shares the text, then normalizes it.
  void SetPath(const UtilStr& path);
  // The parent's path, one backslash and the name (a leading backslash of the name is
  // dropped). An empty parent gives an empty spec; an empty name gives the parent itself.
  // A negative length means the name is zero-terminated. The parent may be this spec.
  void SetChild(const char* name, int32_t length, const NVFileSpec& parent);
  // The folder that holds the other spec's path (which may be this spec's); a path without a
  // backslash gives an empty spec, an empty one changes nothing.
  void SetParent(const NVFileSpec& other);
  // Replaces the last component; an empty spec stays empty.
  void SetName(const UtilStr& name);
  void Normalize();

  // The length of the URL scheme the text starts with ("http" in "http://host"), else 0.
  // A negative length means the text is zero-terminated.
  static int32_t HasUrlScheme(const char* bytes, int32_t length);

  // Writes the zero-terminated UTF-16 form for system calls: the long-path prefix unless the
  // path is a network path or a URL, then the converted path. Returns the units written before
  // the terminator; a path that does not fit (with room to spare for the terminator) gives the
  // empty text, and a null buffer or a capacity below 1 writes nothing and gives 0.
  int32_t ToWide(char16_t* buffer, int32_t capacity) const;

  // --- Windows only ---

  // kNothing, kFile or kFolder.
  int GetKind() const;
  // Deletes a file or an empty folder.
  int32_t Delete() const;
  // A text with a backslash is a path (SetPath); a bare name is placed in the working folder,
  // or, when that folder no longer exists, next to the executable. An empty text gives an
  // empty spec.
  void SetFromText(const UtilStr& text);
  int32_t SetToExecutable();
  // Empty on failure.
  void SetToExecutableFolder();
  // One of the fifteen standard folders (kinds in SpecialFolderKind).
  int32_t SetToSpecialFolder(int kind);
  // Opens a handle in one of the UtilFile modes (1 to 4); *handle is set only on success and
  // null otherwise.
  int32_t OpenHandle(int mode, NVFileHandle* handle) const;
  // Reads the file into text, at most maximum bytes (negative: the whole file). Returns 0 when
  // maximum bytes were read, FileStatus::kShorterThanMaximum when the file is shorter (then it
  // was read whole); on any other status the text is empty.
  int32_t ReadAll(int32_t maximum, UtilStr& text) const;

  // NVObject
  UtilStr* toString() override { return &mPathName; }
  void Print() override;

 private:
  // AssignUtf16 of the system's answer, then Normalize.
  void SetPathUtf16(const char16_t* wide, int32_t count);

  int32_t mNameStart = 0;
  UtilStr mPathName;
};

// The kinds of SetToSpecialFolder.
namespace SpecialFolderKind {
constexpr int kProgramFiles = 1;
constexpr int kProgramFiles64 = 2;  // from the ProgramW6432 variable
constexpr int kProgramFiles32 = 3;  // from ProgramFiles(x86), else ProgramFiles
constexpr int kCommonAppData = 4;
constexpr int kCommonFiles = 5;
constexpr int kCommonAppDataParent = 6;
constexpr int kDesktop = 7;
constexpr int kStartMenuPrograms = 8;
constexpr int kAppData = 9;
constexpr int kAppDataToo = 10;
constexpr int kLocalAppData = 11;
constexpr int kSystemDriveRoot = 12;
constexpr int kWindows = 13;
constexpr int kUserProfile = 14;
constexpr int kExecutable = 15;
}  // namespace SpecialFolderKind
