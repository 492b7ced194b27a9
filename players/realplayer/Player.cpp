#include "players/realplayer/Player.h"

#include <string>

#include "players/realplayer/PlayerObjects.h"
#include "players/realplayer/RealPlayerStandInControl.h"
#include "players/shared/LoadedReferenceEngine.h"
#include "players/shared/PlayerWindow.h"
#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInPlugin.h"
#include "refengine/JournalLine.h"

namespace realplayer_standin {
namespace {

using realplayer::Visualization;
using refengine::JournalLine;
using standin::WriteJournal;

// Sent by the step thread to a player's window, which destroys itself on its own thread.
constexpr UINT kDestroyWindowMessage = WM_APP + 1;
// Posted by the step thread to the main thread, which then runs no messages for a while.
constexpr UINT kHangMessage = WM_APP + 2;  // wParam: milliseconds
// How long the steps wait for the windows' thread to answer (its first frames may take a while:
// the engine's first text drawing loads the system's fonts).
constexpr UINT kAnswerMs = 8000;
// Where the state reads a window's pixel: inside the part the engine draws (below the insets).
constexpr int kProbeX = 2;
constexpr int kProbeY = 12;

LRESULT CALLBACK PlayerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDestroyWindowMessage) {
    const BOOL destroyed = DestroyWindow(window);
    WriteJournal(
        JournalLine(call::kDestroyed).Address("window", window).Number("result", destroyed));
    return destroyed;
  }
  if (message == WM_PAINT) {
    ValidateRect(window, nullptr);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(HINSTANCE instance, int number) {
  const std::wstring title = L"RealPlayer stand-in " + std::to_wstring(number);
  const standin::WindowPlace place = {40 + 360 * (number - 1), 40, kClientWidth, kClientHeight};
  HWND window = standin::CreatePlayerWindow(instance, kWindowClass, title.c_str(),
                                            WS_OVERLAPPEDWINDOW, place);
  if (window != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, kWindowUserData);
  return window;
}

realplayer::AudioData KnownAudio(uint32_t time) {
  realplayer::AudioData data = {};
  data.time = time;
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < realplayer::kWaveformSamples; ++i)
      data.waveform[c][i] = WaveformValue(c, i);
    for (int i = 0; i < realplayer::kSpectrumValues; ++i) data.spectrum[c][i] = SpectrumValue(c, i);
  }
  return data;
}

}  // namespace

Player::Player(const standin::StandInSetup& setup) : mSetup(setup) {}

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  mDeadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  mMainThread = GetCurrentThreadId();
  standin::RegisterPlayerWindowClass(instance, kWindowClass, &PlayerWindowProcedure,
                                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  mWindows[0] = MakeWindow(instance, 1);
  mWindows[1] = MakeWindow(instance, 2);
  WriteJournal(JournalLine(call::kStarted)
                   .Address("window1", mWindows[0])
                   .Address("window2", mWindows[1])
                   .Number("thread", mMainThread));
  HANDLE stepThread = CreateThread(nullptr, 0, &StepThread, this, 0, nullptr);
  if (stepThread != nullptr) {
    RunWindows(stepThread);
    CloseHandle(stepThread);
  }
  WriteJournal(JournalLine(call::kExit).Text("reason", mReason).Number("code", mCode));
  standin::CloseJournal();
  for (HWND window : mWindows) {
    if (IsWindow(window)) DestroyWindow(window);
  }
  return mCode;
}

// The main thread runs the windows' messages, and the step thread's requests, until the steps
// are done. Past the deadline the player ends without waiting for a step thread that hangs.
void Player::RunWindows(HANDLE stepThread) {
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.hwnd == nullptr && message.message == kHangMessage) {
        WriteJournal(JournalLine(call::kHang).Number("ms", int64_t(message.wParam)));
        Sleep(DWORD(message.wParam));
      } else {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    if (GetTickCount64() >= mDeadline) {
      mReason = "time";
      return;
    }
    const DWORD waited = MsgWaitForMultipleObjects(1, &stepThread, FALSE, 50, QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) return;
  }
}

DWORD WINAPI Player::StepThread(void* player) {
  static_cast<Player*>(player)->RunSteps();
  return 0;
}

void Player::RunSteps() {
  if (!LoadPlugin()) {
    mCode = kExitNoPlugin;
    mReason = "no plug-in";
    return;
  }
  for (const standin::Step& step : mSetup.steps) {
    if (GetTickCount64() >= mDeadline) return;
    RunStep(step);
  }
}

bool Player::LoadPlugin() {
  mLibrary = standin::LoadPluginJournaled(mSetup.PluginPath());
  if (mLibrary == nullptr) return false;
  // Through void* first: the export's real type is only known by name.
  mCreate = reinterpret_cast<realplayer::CreateVisualizationFn>(
      reinterpret_cast<void*>(GetProcAddress(mLibrary, realplayer::kCreateVisualizationName)));
  return mCreate != nullptr;
}

HWND Player::WindowNumber(int32_t which) const {
  return which == 1 || which == 2 ? mWindows[which - 1] : nullptr;
}

void Player::RunStep(const standin::Step& step) {
  const auto& n = step.numbers;
  const std::string& verb = step.verb;
  if (verb == "create") {
    Create();
    return;
  }
  if (verb == "destroy") {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(WindowNumber(n[0]), kDestroyWindowMessage, 0, 0, SMTO_NORMAL, kAnswerMs,
                        &answer);
    return;
  }
  if (verb == "hang") {
    PostThreadMessageW(mMainThread, kHangMessage, WPARAM(n[0]), 0);
    Sleep(50);  // the main thread takes it up before the next step
    return;
  }
  if (verb == "framehang") {
    HoldNextFrame(n[0]);
    return;
  }
  if (verb == "wait") {
    Sleep(DWORD(n[0] > 0 ? n[0] : 0));
    return;
  }
  if (verb == "state") {
    JournalState(1);
    JournalState(2);
    return;
  }
  if (mObject == nullptr) {
    standin::WriteUnexpected("a step before create");
    return;
  }
  const realplayer::VisualizationTable& table = *mObject->table;
  if (verb == "query") {
    Query();
  } else if (verb == "init") {
    const realplayer::Result result =
        table.initialise(mObject, PlayerContext(mSetup.Number("context", 1) != 0));
    WriteJournal(JournalLine(call::kInitialise).Number("result", result));
  } else if (verb == "describe") {
    char product[kTextRoom] = {}, maker[kTextRoom] = {}, address[kTextRoom] = {};
    const realplayer::Result result = table.describe(mObject, product, maker, address);
    WriteJournal(JournalLine(call::kDescribe)
                     .Number("result", result)
                     .Text("product", product)
                     .Text("maker", maker)
                     .Text("address", address));
  } else if (verb == "caps") {
    int32_t value = -1;
    uint8_t flag = 0xEE;
    const realplayer::Result result =
        table.capabilities(mObject, &value, &flag, PlayerProperties());
    WriteJournal(JournalLine(call::kCapabilities)
                     .Number("result", result)
                     .Number("value", value)
                     .Number("flag", flag));
  } else if (verb == "others") {
    const struct {
      int index;
      realplayer::Result(REALPLAYER_CALL* operation)(Visualization*, void*);
    } others[] = {{6, table.operation6},
                  {7, table.operation7},
                  {9, table.operation9},
                  {10, table.operation10}};
    for (const auto& other : others) {
      WriteJournal(JournalLine(call::kOperation)
                       .Number("index", other.index)
                       .Number("result", other.operation(mObject, nullptr)));
    }
  } else if (verb == "activate") {
    const realplayer::Result result = table.activate(mObject, n[0]);
    WriteJournal(JournalLine(call::kActivate).Number("on", n[0]).Number("result", result));
  } else if (verb == "window") {
    const realplayer::Window window = WindowNumber(n[0]);
    SetWindow(n[0], &window);
  } else if (verb == "badwindow") {
    const realplayer::Window notAWindow = reinterpret_cast<realplayer::Window>(uintptr_t(0x5A5A0));
    SetWindow(-1, &notAWindow);
  } else if (verb == "nullwindow") {
    SetWindow(-2, nullptr);
  } else if (verb == "audio") {
    Audio(n[0]);
  } else if (verb == "nullaudio") {
    const realplayer::Result result = table.audio(mObject, nullptr);
    WriteJournal(JournalLine(call::kAudio).Number("count", 0).Number("result", result));
  } else if (verb == "release") {
    const uint32_t left = table.release(mObject);
    mObject = nullptr;
    WriteJournal(JournalLine(call::kRelease).Number("left", left));
  }
}

// The engine the plug-in loaded is the reference engine, in this process: its next frame, run
// by the plug-in on the windows' thread, pauses there.
void Player::HoldNextFrame(int32_t milliseconds) {
  const RefEngineControlApi* engine = standin::LoadedReferenceEngine();
  if (engine == nullptr) {
    standin::WriteUnexpected("framehang without the reference engine loaded");
    return;
  }
  engine->DelayNextRunFrame(milliseconds);
  WriteJournal(JournalLine(call::kFrameHang).Number("ms", milliseconds));
}

void Player::Create() {
  Visualization* object = nullptr;
  const realplayer::Result result = mCreate(&object);
  mObject = result == realplayer::result::kOk ? object : nullptr;
  WriteJournal(JournalLine(call::kCreate)
                   .Number("result", result)
                   .Address("object", object)
                   .Number("thread", GetCurrentThreadId()));
}

void Player::Query() {
  static constexpr realplayer::Guid kOther = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
  const struct {
    const char* name;
    const realplayer::Guid* iid;
  } interfaces[] = {{"unknown", &realplayer::kUnknownIid},
                    {"visualization", &realplayer::kVisualizationIid},
                    {"other", &kOther}};
  for (const auto& entry : interfaces) {
    void* answer = reinterpret_cast<void*>(uintptr_t(0x5A5A));
    const realplayer::Result result = mObject->table->queryInterface(mObject, entry.iid, &answer);
    WriteJournal(JournalLine(call::kQuery)
                     .Text("interface", entry.name)
                     .Number("result", result)
                     .Number("same", answer == mObject ? 1 : 0)
                     .Address("answer", answer));
    if (result == realplayer::result::kOk) mObject->table->release(mObject);
  }
}

void Player::SetWindow(int32_t which, const realplayer::Window* address) {
  const ULONGLONG start = GetTickCount64();
  const realplayer::Result result = mObject->table->setWindow(mObject, address);
  WriteJournal(JournalLine(call::kSetWindow)
                   .Number("which", which)
                   .Number("result", result)
                   .Number("ms", int64_t(GetTickCount64() - start)));
}

void Player::Audio(int32_t count) {
  realplayer::Result result = realplayer::result::kOk;
  for (int32_t i = 0; i < count; ++i) {
    const realplayer::AudioData data = KnownAudio(uint32_t(i * 20));
    result = mObject->table->audio(mObject, &data);
    Sleep(20);
  }
  WriteJournal(JournalLine(call::kAudio).Number("count", count).Number("result", result));
}

void Player::JournalState(int which) const {
  HWND window = WindowNumber(which);
  JournalLine line(call::kState);
  line.Number("which", which).Number("exists", IsWindow(window) ? 1 : 0);
  if (IsWindow(window)) {
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    DWORD_PTR answer = 0;
    const bool responsive =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &answer) != 0;
    line.Number("responsive", responsive ? 1 : 0)
        .Number("own", procedure == &PlayerWindowProcedure ? 1 : 0)
        .Number("userData", GetWindowLongPtrW(window, GWLP_USERDATA))
        .Number("pixel", standin::WindowPixel(window, kProbeX, kProbeY));
  }
  WriteJournal(line);
}

}  // namespace realplayer_standin
