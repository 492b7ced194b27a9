#include "vis_Omnihost/tests/win/StandInPlayerRun.h"

#include <gtest/gtest.h>

#include <atomic>

#include "players/winamp/StandInControl.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/Waiting.h"
#include "testsupport/win/WideText.h"
#include "vis_Omnihost/tests/win/StandInJournal.h"

namespace {

using winamp_standin::StandInCommand;

constexpr wchar_t kPlayerProgram[] = L"WinampStandIn.exe";
constexpr wchar_t kPlugin[] = L"vis_Omnihost.dll";
// The player ends by itself after this long, whatever the test does.
constexpr int64_t kPlayerMaxMs = 30000;
constexpr DWORD kStartMs = 15000;
constexpr DWORD kSendMs = 5000;
constexpr DWORD kExitMs = 10000;

std::wstring NewRunFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"nvw" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++counter);
}

HWND WindowOf(const Journal& journal) {
  for (const auto& entry : journal) {
    if (entry.call == winamp_standin::call::kStarted) {
      return reinterpret_cast<HWND>(uintptr_t(entry.Number("window")));
    }
  }
  return nullptr;
}

}  // namespace

StandInPlayerRun::StandInPlayerRun(const PlayerSetup& setup) {
  mRoot = NewRunFolder();
  const std::wstring folder = mRoot + L"\\" + setup.playerFolder;
  if (!CopyPlayer(folder)) return;
  mPlayerJournal = NewTempFile(L"nvp");
  mPreferences = setup.preferences;
  if (mPreferences.empty()) {
    // A fresh name: the engine finds no preferences, as on a first start.
    mPreferences = NewTempFile(L"nvr");
    DeleteFileW(mPreferences.c_str());
    mOwnPreferences = true;
  }
  StandInCommand command;
  command.Text("journal", Utf8(mPlayerJournal)).Number("maxMs", kPlayerMaxMs).Add(setup.options);
  RunOptions options;
  options.arguments = Wide(command.str());
  options.environment = {std::string(REFENGINE_PREFERENCES_ENV) + "=" + Utf8(mPreferences)};
  options.folder = folder;
  mRun = std::make_unique<ProgramRun>(folder + L"\\" + kPlayerProgram, options);
  EXPECT_TRUE(mRun->started()) << "the stand-in player did not start";
  if (!mRun->started()) return;
  WaitForPlayer([&](const Journal& journal) { return (mWindow = WindowOf(journal)) != nullptr; },
                kStartMs);
  EXPECT_NE(mWindow, nullptr) << "the stand-in player made no main window";
}

StandInPlayerRun::~StandInPlayerRun() {
  if (Running()) {
    Send(StandInCommand("Exit"));
    mRun->WaitForExit(kExitMs);
  }
  mRun.reset();  // ends a player that did not exit and removes the engine's journal
  // Whatever the test asserted, a player that saw a call it did not expect fails it.
  EXPECT_EQ(UnexpectedLines(PlayerJournal()), "") << "the stand-in player's Unexpected lines";
  DeleteFileW(mPlayerJournal.c_str());
  if (mOwnPreferences) DeleteFileW(mPreferences.c_str());
  for (auto file = mMadeFiles.rbegin(); file != mMadeFiles.rend(); ++file) {
    DeleteFileW(file->c_str());
  }
  for (auto made = mMadeFolders.rbegin(); made != mMadeFolders.rend(); ++made) {
    RemoveDirectoryW(made->c_str());
  }
}

bool StandInPlayerRun::CopyPlayer(const std::wstring& folder) {
  for (const std::wstring& made : {mRoot, folder, folder + L"\\Plugins"}) {
    if (!CreateDirectoryW(made.c_str(), nullptr)) {
      ADD_FAILURE() << "cannot make " << Utf8(made);
      return false;
    }
    mMadeFolders.push_back(made);
  }
  const std::pair<std::wstring, std::wstring> copies[] = {
      {InProgramFolder(kPlayerProgram), folder + L"\\" + kPlayerProgram},
      {InProgramFolder(kPlugin), folder + L"\\Plugins\\" + kPlugin},
  };
  for (const auto& [from, to] : copies) {
    if (!CopyFileW(from.c_str(), to.c_str(), TRUE)) {
      ADD_FAILURE() << "cannot copy " << Utf8(from) << " to " << Utf8(to);
      return false;
    }
    mMadeFiles.push_back(to);
  }
  return true;
}

bool StandInPlayerRun::Send(const StandInCommand& command) {
  if (!mWindow) return false;
  std::string text = command.str();
  COPYDATASTRUCT data = {winamp_standin::kCommandTag, DWORD(text.size()), text.data()};
  DWORD_PTR taken = 0;
  const LRESULT sent = SendMessageTimeoutW(mWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                           SMTO_ABORTIFHUNG, kSendMs, &taken);
  return sent != 0 && taken == TRUE;
}

long StandInPlayerRun::Exit() {
  if (!mRun) return -1;
  if (Running()) Send(StandInCommand("Exit"));
  return mRun->WaitForExit(kExitMs);
}

Journal StandInPlayerRun::PlayerJournal() const {
  return refengine_journal::ReadJournalFile(Utf8(mPlayerJournal));
}

Journal StandInPlayerRun::EngineJournal() const {
  return mRun ? mRun->Journal() : Journal();
}

bool StandInPlayerRun::WaitForPlayer(const std::function<bool(const Journal&)>& check,
                                     DWORD ms) const {
  return WaitUntil([&] { return check(PlayerJournal()); }, ms);
}

bool StandInPlayerRun::WaitForEngine(const std::function<bool(const Journal&)>& check,
                                     DWORD ms) const {
  return WaitUntil([&] { return check(EngineJournal()); }, ms);
}
