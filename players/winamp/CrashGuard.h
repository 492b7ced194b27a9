// What the player does when a thread of it crashes (in the plug-in, most likely): it journals
// the exception as Unexpected and ends at once with kExitCrashed, so that no debugger or error
// box is left waiting and the test sees the crash in the journal.
#pragma once

namespace winamp_standin {

constexpr int kExitCrashed = 4;

void InstallCrashGuard();

}  // namespace winamp_standin
