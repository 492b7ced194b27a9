// The folders tests need to know: where the running program lies (the build tree's bin folder,
// beside the DLLs and programs the tests load and start), the current directory, a fresh file
// name in the temporary folder, and the support folders the hosts search, as a process of
// either width sees them.
#pragma once

#include <string>

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();
// A file name of the running program's folder as a full path.
std::wstring InProgramFolder(const std::wstring& name);
std::wstring CurrentDirectory();
// A new, empty file in the temporary folder whose name starts with the prefix (up to three
// characters are used); the caller deletes it.
std::wstring NewTempFile(const wchar_t* prefix);

// Whose view of the standard folders is meant: this process's, or that of a 64-bit or a 32-bit
// process. A 32-bit process sees "Program Files (x86)" as its Program Files folder (and its
// common files inside it), so a 64-bit test that starts a 32-bit program installs for it there.
enum class ProcessWidth { kThis, k64, k32 };

// The width of the running process.
ProcessWidth ThisProcessWidth();

// The standard folder of the kind (SpecialFolderKind::kProgramFiles, kCommonFiles or
// kProgramFiles32) as a process of that width finds it; empty when the system has none.
std::wstring SupportFolderOf(int kind, ProcessWidth width = ProcessWidth::kThis);
