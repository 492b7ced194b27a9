#include "players/wmp/Player.h"

#include <objbase.h>

#include <string>

#include "players/shared/MessagePump.h"
#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInRun.h"
#include "players/wmp/EffectRegistry.h"
#include "players/wmp/WmpStandInControl.h"
#include "refengine/JournalLine.h"
#include "visualhost/host/WindowMessages.h"

namespace wmp_standin {
namespace {

using refengine::JournalLine;
using standin::WriteJournal;

// The window procedures reach the one player of the process through this.
Player* gPlayer = nullptr;

constexpr LPARAM kAltDown = LPARAM(1) << 29;

std::string Utf8(const std::wstring& text) {
  return refengine::WideToUtf8(reinterpret_cast<const char16_t*>(text.c_str()), text.size());
}

int64_t Result(HRESULT hr) {
  return int64_t(uint32_t(hr));
}

bool InMediaCenter() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length >= 12 && _wcsicmp(path + length - 12, L"\\ehshell.exe") == 0;
}

// The track the player's core plays: known attributes and an embedded picture.
wmpstandin::MediaSetup Track(int number) {
  wmpstandin::MediaSetup media;
  const std::wstring title = L"Stand-in Track " + std::to_wstring(number);
  media.attributes = {{L"Title", title},
                      {L"Artist", L"Stand-in Artist"},
                      {L"WM/AlbumTitle", L"Stand-in Album"},
                      {L"WM/Year", L"2024"}};
  media.sourceUrl = L"C:\\users\\Public\\Music\\Stand-in\\" + title + L".mp3";
  media.pictureUrl = L"C:\\users\\Public\\Music\\Stand-in\\cover.jpg";
  return media;
}

wmp::TimedLevel KnownLevels(int amplitude, int band) {
  wmp::TimedLevel levels = {};
  for (int channel = 0; channel < wmp::kLevelChannels; ++channel) {
    for (int i = 0; i < wmp::kLevelBins; ++i) {
      levels.waveform[channel][i] = uint8_t(128 + ((i / 4) % 2 == 0 ? amplitude : -amplitude));
      levels.frequency[channel][i] = uint8_t(band);
    }
  }
  return levels;
}

}  // namespace

Player::Player(const standin::StandInSetup& setup)
    : mSetup(setup),
      mLevels(KnownLevels(int(setup.Number("amplitude", 60)), int(setup.Number("band", 100)))) {}

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  gPlayer = this;
  mInstance = instance;
  mDeadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  mComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  MakeWindows();
  WriteJournal(JournalLine(call::kStarted)
                   .Address("main", mMain)
                   .Address("effectWindow", mEffectWindow)
                   .Number("mediaCenter", InMediaCenter() ? 1 : 0));
  const int code =
      standin::RunStandIn(*this, {mMain, mDeadline, kExitNoEffect, "no effect"}, mSetup.steps);
  gPlayer = nullptr;
  return code;
}

bool Player::MakeWindows() {
  WNDCLASSW main = {};
  main.lpfnWndProc = MainProc;
  main.hInstance = mInstance;
  main.lpszClassName = kMainClass;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  RegisterClassW(&main);
  WNDCLASSW effect = {};
  effect.lpfnWndProc = EffectProc;
  effect.hInstance = mInstance;
  effect.lpszClassName = kEffectClass;
  effect.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassW(&effect);
  WNDCLASSW bar = {};
  bar.lpfnWndProc = DefWindowProcW;
  bar.hInstance = mInstance;
  bar.lpszClassName = kBarClass;
  bar.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
  RegisterClassW(&bar);

  RECT outer = {0, 0, kEffectWidth + 2 * kEffectLeft, kEffectHeight + 2 * kEffectTop};
  AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
  mMain = CreateWindowExW(0, kMainClass, L"Media Player stand-in",
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40,
                          outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                          mInstance, nullptr);
  if (mMain == nullptr) return false;
  mEffectWindow = CreateWindowExW(0, kEffectClass, L"Effect", WS_CHILD | WS_VISIBLE, kEffectLeft,
                                  kEffectTop, kEffectWidth, kEffectHeight, mMain, nullptr,
                                  mInstance, nullptr);
  standin::PumpMessagesFor(20, mDeadline);
  return mEffectWindow != nullptr;
}

bool Player::CreateEffect() {
  const std::vector<RegisteredEffect> effects = FindRegisteredEffects();
  for (const RegisteredEffect& effect : effects) {
    WriteJournal(JournalLine(call::kEffectFound)
                     .Text("key", Utf8(effect.key))
                     .Text("classid", Utf8(effect.classid)));
  }
  const size_t chosen = size_t(mSetup.Number("effect", 0));
  if (chosen >= effects.size()) {
    WriteJournal(JournalLine(call::kCreated).Number("result", Result(REGDB_E_CLASSNOTREG)));
    return false;
  }
  const RegisteredEffect& effect = effects[chosen];
  mModulePath = ServerPath(effect.classid);
  IUnknown* object = nullptr;
  const HRESULT created = CoCreateInstance(effect.clsid, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IUnknown, reinterpret_cast<void**>(&object));
  HRESULT asked = E_NOINTERFACE;
  if (SUCCEEDED(created) && object != nullptr) {
    asked = object->QueryInterface(wmp::kIidEffects2, reinterpret_cast<void**>(&mEffect));
    object->Release();
    if (FAILED(asked)) mEffect = nullptr;
  }
  WriteJournal(JournalLine(call::kCreated)
                   .Text("key", Utf8(effect.key))
                   .Text("classid", Utf8(effect.classid))
                   .Text("module", Utf8(mModulePath))
                   .Number("result", Result(created))
                   .Number("effects2", Result(asked)));
  return mEffect != nullptr;
}

void Player::RunStep(const standin::Step& step) {
  const std::string& verb = step.verb;
  if (verb == "wait") {
    standin::PumpMessagesFor(step.numbers[0], mDeadline);
    WriteJournal(JournalLine(call::kWaited).Number("ms", step.numbers[0]).Number("pumps", mPumps));
    return;
  }
  if (mEffect == nullptr) {
    standin::WriteUnexpected(("step " + verb + " after the effect was released").c_str());
    return;
  }
  if (verb == "core") {
    SetCore(true);
  } else if (verb == "uncore") {
    SetCore(false);
  } else if (verb == "window") {
    mGivenWindow = EffectTarget();
    const HRESULT hr = mEffect->table->Create(mEffect, mGivenWindow);
    mWindowGiven = true;
    WriteJournal(JournalLine(call::kCreate).Address("window", EffectTarget()).Number("result",
                                                                                     Result(hr)));
  } else if (verb == "render") {
    RenderFrames(step.numbers[0]);
  } else if (verb == "bars") {
    MakeBars();
  } else if (verb == "altenter") {
    // The keystroke as the user gives it, through the main window's queue.
    PostMessageW(mMain, WM_SYSKEYDOWN, VK_RETURN, kAltDown);
    standin::PumpMessagesFor(0, mDeadline);
  } else if (verb == "key") {
    SendKey(step.numbers[0]);
  } else if (verb == "notify") {
    IWMPMedia* media = mCore != nullptr ? static_cast<IWMPMedia3*>(mCore->Media()) : nullptr;
    const HRESULT hr = mEffect->table->NotifyNewMedia(mEffect, media);
    WriteJournal(JournalLine(call::kNotify).Number("result", Result(hr)));
  } else if (verb == "destroy") {
    Destroy();
  } else if (verb == "release") {
    ReleaseEffect();
  } else {
    SendEvent(verb.c_str());
  }
}

void Player::SetCore(bool given) {
  if (given && mCore == nullptr) mCore = new wmpstandin::StandInCore(wmpstandin::CoreSetup{
      wmppsPlaying, true, true, true, Track(1)});
  const HRESULT hr = mEffect->table->SetCore(mEffect, given ? mCore : nullptr);
  mCoreGiven = given;
  WriteJournal(JournalLine(call::kSetCore).Number("core", given ? 1 : 0).Number("result",
                                                                                Result(hr)));
}

void Player::RenderFrames(int count) {
  for (int i = 0; i < count && GetTickCount64() < mDeadline; ++i) {
    wmp::TimedLevel levels = mLevels;
    levels.state = mCore != nullptr ? 3 : 0;
    levels.timeStamp = int64_t(mFrames) * kFrameMs * 10000;
    const HRESULT hr = mFullscreen ? mEffect->table->RenderFullScreen(mEffect, &levels)
                                   : mEffect->table->RenderWindowed(mEffect, &levels, FALSE);
    ++mFrames;
    WriteJournal(JournalLine(call::kFrame)
                     .Number("index", mFrames)
                     .Number("fullscreen", mFullscreen ? 1 : 0)
                     .Number("result", Result(hr))
                     .Number("pumps", mPumps));
    standin::PumpMessagesFor(kFrameMs, mDeadline);
  }
}

// The player's translucent control bar along the bottom of the effect window.
void Player::MakeBars() {
  RECT effect = {};
  GetWindowRect(mEffectWindow, &effect);
  if (mBar != nullptr) DestroyWindow(mBar);
  mBar = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBarClass, L"",
                         WS_POPUP | WS_VISIBLE, effect.left, effect.bottom - kBarHeight,
                         effect.right - effect.left, kBarHeight, mMain, nullptr, mInstance,
                         nullptr);
  if (mBar != nullptr) SetLayeredWindowAttributes(mBar, 0, 160, LWA_ALPHA);
  RECT bar = {};
  if (mBar != nullptr) GetWindowRect(mBar, &bar);
  WriteJournal(JournalLine(call::kBars)
                   .Address("window", mBar)
                   .Number("left", bar.left)
                   .Number("top", bar.top)
                   .Number("right", bar.right)
                   .Number("bottom", bar.bottom));
}

// The player's fullscreen toggle: the effect hears of it through GoFullscreen and gets the
// fullscreen window (or its own child window back) through Create.
void Player::ToggleFullscreen(const char* via) {
  if (mEffect == nullptr) return;
  const bool on = !mFullscreen;
  HWND previous = mFullscreenWindow;
  if (on) {
    mFullscreenWindow = CreateWindowExW(WS_EX_TOPMOST, kEffectClass, L"Fullscreen",
                                        WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN), mMain, nullptr, mInstance,
                                        nullptr);
  } else {
    mFullscreenWindow = nullptr;
  }
  mFullscreen = on;
  const HRESULT go = mEffect->table->GoFullscreen(mEffect, on ? TRUE : FALSE);
  mGivenWindow = EffectTarget();
  const HRESULT create = mEffect->table->Create(mEffect, mGivenWindow);
  if (previous != nullptr) DestroyWindow(previous);
  WriteJournal(JournalLine(call::kFullscreen)
                   .Number("on", on ? 1 : 0)
                   .Text("via", via)
                   .Number("go", Result(go))
                   .Number("create", Result(create))
                   .Address("window", EffectTarget()));
}

void Player::SendEvent(const char* name) {
  bool sent = false;
  const std::string event = name;
  if (mCore == nullptr) {
    standin::WriteUnexpected(("event " + event + " without a core").c_str());
    return;
  }
  if (event == "play") {
    mCore->SetPlayState(wmppsPlaying);
    sent = mCore->SendPlayStateChange(wmppsPlaying);
  } else if (event == "pause") {
    mCore->SetPlayState(wmppsPaused);
    sent = mCore->SendPlayStateChange(wmppsPaused);
  } else if (event == "stop") {
    mCore->SetPlayState(wmppsStopped);
    sent = mCore->SendPlayStateChange(wmppsStopped);
  } else if (event == "seek") {
    sent = mCore->SendPositionChange(1.0, 30.0);
  } else if (event == "media") {
    mCore->SetMedia(Track(++mTrack));
    sent = mCore->SendMediaChange();
  }
  WriteJournal(JournalLine(call::kEvent).Text("name", name).Number("sent", sent ? 1 : 0));
}

void Player::SendKey(int virtualKey) {
  // As the player routes the effect window's keys: to the effect first.
  LRESULT result = 0;
  const HRESULT handled =
      mEffect->table->OnWindowMessage(mEffect, WM_KEYDOWN, WPARAM(virtualKey), 1, &result);
  WriteJournal(JournalLine(call::kKey).Number("vk", virtualKey).Number("handled",
                                                                       handled == S_OK ? 1 : 0));
}

void Player::Destroy() {
  const HRESULT hr = mEffect->table->Destroy(mEffect);
  mWindowGiven = false;
  WriteJournal(JournalLine(call::kDestroy).Number("result", Result(hr)));
}

void Player::ReleaseEffect() {
  wmp::Effects* effect = mEffect;
  mEffect = nullptr;  // no window message reaches it from here on
  const ULONG left = effect->table->Release(effect);
  WriteJournal(JournalLine(call::kReleased).Number("left", int64_t(left)));
}

bool Player::LoadPlugin() {
  return CreateEffect();
}

// The player unloads nothing itself: COM frees the effect's module once everything is back.
HMODULE Player::LibraryToUnload() {
  GiveEverythingBack();
  return nullptr;
}

void Player::GiveEverythingBack() {
  if (mEffect != nullptr) {
    if (mWindowGiven) Destroy();
    if (mCoreGiven) SetCore(false);
    ReleaseEffect();
  }
  if (mCore != nullptr) {
    wmpstandin::CoreJournal& journal = mCore->Journal();
    for (const std::string& line : journal.Unexpected()) standin::WriteUnexpected(line.c_str());
    WriteJournal(JournalLine(call::kCore)
                     .Number("outstanding", mCore->Outstanding())
                     .Number("playState", journal.Count("Core.get_playState"))
                     .Number("currentMedia", journal.Count("Core.get_currentMedia"))
                     .Number("advise", journal.Count("ConnectionPoint.Advise"))
                     .Number("unadvise", journal.Count("ConnectionPoint.Unadvise 1")));
    mCore->ReleaseOwner();
    mCore = nullptr;
  }
  if (mFullscreenWindow != nullptr) DestroyWindow(mFullscreenWindow);
  mFullscreenWindow = nullptr;
  if (mBar != nullptr) DestroyWindow(mBar);
  mBar = nullptr;
  if (mComStarted) {
    CoFreeUnusedLibraries();
    CoUninitialize();
    mComStarted = false;
    const bool loaded = !mModulePath.empty() && GetModuleHandleW(mModulePath.c_str()) != nullptr;
    WriteJournal(JournalLine(call::kUninitialized).Number("moduleLoaded", loaded ? 1 : 0));
  }
}

LRESULT CALLBACK Player::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_RETURN && gPlayer != nullptr) {
    gPlayer->ToggleFullscreen((lParam & kAltDown) != 0 ? "user" : "effect");
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The player hands the effect window's messages to the effect first.
LRESULT CALLBACK Player::EffectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Player* player = gPlayer;
  // Only the window last given to the effect has its messages routed, as in the player.
  if (player != nullptr && player->mEffect != nullptr && window == player->mGivenWindow) {
    LRESULT result = 0;
    const HRESULT handled =
        player->mEffect->table->OnWindowMessage(player->mEffect, message, wParam, lParam, &result);
    if (handled == S_OK) {
      if (message == kPumpMessage && uint32_t(lParam) == kPumpMessageMark) ++player->mPumps;
      return result;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace wmp_standin
