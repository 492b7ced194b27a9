#include "players/winamp/Player.h"

#include "players/shared/StandInSetup.h"
#include "players/winamp/CrashGuard.h"
#include "players/winamp/EmbedFrame.h"
#include "players/winamp/MainWindow.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {
namespace {

constexpr UINT_PTR kHousekeepingTimer = 1;
constexpr UINT kHousekeepingMs = 20;
// Sent to the main window to carry out the commands taken since.
constexpr UINT kRunCommandsMessage = WM_APP + 1;
// How long the visualization thread gets to quit the module and end.
constexpr DWORD kStopWaitMs = 5000;
// A command larger than this is no command of the player's.
constexpr DWORD kMaxCommandBytes = 1 << 20;

void JournalExit(const char* reason, int code) {
  refengine::JournalLine line(call::kExit);
  WriteJournal(line.Text("reason", reason).Number("code", code));
}

}  // namespace

Player::Player(const StandInOptions& options)
    : mOptions(options), mServices(mOptions.artService), mAnswers(mOptions, &mServices) {}

int Player::Run(HINSTANCE instance) {
  if (!OpenJournal(mOptions.journal)) return kExitBadSetup;
  InstallCrashGuard();
  mDeadline = GetTickCount64() + ULONGLONG(mOptions.maxMs > 0 ? mOptions.maxMs : 0);
  mWindow = CreateMainWindow(instance, this, mOptions.embed);
  if (!mWindow || !SetUpEmbedding(instance, mWindow, mOptions.embed)) {
    WriteUnexpected("no main window");
    return kExitBadSetup;
  }
  refengine::JournalLine started(call::kStarted);
  WriteJournal(started.Address("window", mWindow)
                   .Text("mode", ModeName(mOptions.mode))
                   .Text("embed", EmbedName(mOptions.embed))
                   .Number("process", GetCurrentProcessId())
                   .Number("maxMs", mOptions.maxMs));
  SetTimer(mWindow, kHousekeepingTimer, kHousekeepingMs, nullptr);
  const std::wstring path =
      mOptions.plugin.empty() ? standin::DefaultPluginPath() : mOptions.plugin;
  if (LoadPlugin(path, mWindow, &mPlugin)) {
    mVis = std::make_unique<VisThread>(mOptions, mPlugin, mWindow, mAnswers.PluginWindowSlot());
    if (!mVis->Start()) {
      WriteUnexpected("no visualization thread");
      mVis.reset();
    }
  }
  MSG message = {};
  // No TranslateMessage: key messages the plug-in posts here are journaled as they come.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  CloseJournal();
  return message.message == WM_QUIT ? int(message.wParam) : kExitNormal;
}

LRESULT Player::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_USER:
      return mAnswers.Answer(wParam, lParam);
    case WM_COPYDATA:
      return TakeCommand(reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case kRunCommandsMessage:
      RunPendingCommands();
      return 0;
    case WM_TIMER:
      if (wParam != kHousekeepingTimer) break;
      Housekeeping();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR: {
      // Keys the plug-in passes on to the player's shortcuts.
      refengine::JournalLine line(call::kPostedKey);
      WriteJournal(line.Number("message", message)
                       .Number("wparam", int64_t(wParam))
                       .Number("lparam", int64_t(uint32_t(lParam))));
      return 0;
    }
    case WM_CLOSE:
      Finish("closed", kExitNormal);
      return 0;
    default:
      if (message > WM_USER && message < WM_APP) {
        refengine::JournalLine line(call::kUnexpected);
        WriteJournal(line.Text("what", "window message")
                         .Number("message", message)
                         .Number("wparam", int64_t(wParam))
                         .Number("lparam", int64_t(lParam)));
        return 0;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Player::TakeCommand(const COPYDATASTRUCT* data) {
  if (!data || data->dwData != kCommandTag || !data->lpData || data->cbData > kMaxCommandBytes) {
    WriteUnexpected("WM_COPYDATA that is no command");
    return false;
  }
  // The data lives only while the message is handled; the command runs after it returns, so
  // the sender never waits for the plug-in.
  mPendingCommands.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
  PostMessageW(mWindow, kRunCommandsMessage, 0, 0);
  return true;
}

void Player::RunPendingCommands() {
  while (!mPendingCommands.empty() && !mFinished) {
    const std::string text = std::move(mPendingCommands.front());
    mPendingCommands.pop_front();
    RunCommand(text);
  }
}

void Player::Housekeeping() {
  mKeys.PostDue();
  mAnswers.Bitmaps().Poll();
  if (GetTickCount64() >= mDeadline) Finish("maxTime", kExitMaxTime);
}

void Player::Finish(const char* reason, int code) {
  if (mFinished) return;
  mFinished = true;
  KillTimer(mWindow, kHousekeepingTimer);
  if (mVis && !mVis->Stop(kStopWaitMs)) {
    WriteUnexpected("the visualization thread did not end");
    JournalExit(reason, kExitHung);
    CloseJournal();
    // The thread may hold anything, the loader lock included: no clean exit can be trusted.
    TerminateProcess(GetCurrentProcess(), kExitHung);
  }
  mVis.reset();
  UnloadPlugin(&mPlugin);
  mAnswers.Bitmaps().Report();
  mServices.Report();
  JournalExit(reason, code);
  // The main window goes with the process: destroying a top-level window the display's window
  // manager knows makes Wine wait up to two seconds for it to be unmapped.
  PostQuitMessage(code);
}

}  // namespace winamp_standin
