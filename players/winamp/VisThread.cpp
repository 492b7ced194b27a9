#include "players/winamp/VisThread.h"

#include <algorithm>

#include "players/winamp/AudioData.h"
#include "players/winamp/EmbedFrame.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"
#include "players/winamp/WindowProbe.h"

namespace winamp_standin {
namespace {

// Longest wait between two looks at the queue when nothing is due.
constexpr DWORD kIdleWaitMs = 100;
constexpr uint64_t kSamplesPerSecond = 44100;

const char* VerbName(VisVerb verb) {
  switch (verb) {
    case VisVerb::kInit:
      return "Init";
    case VisVerb::kRender:
      return "Render";
    case VisVerb::kRenderOnce:
      return "RenderOnce";
    case VisVerb::kConfig:
      return "Config";
    case VisVerb::kQuit:
      return "Quit";
    case VisVerb::kMoveFrame:
      return "MoveFrame";
    case VisVerb::kClose:
      return "Close";
    default:
      return "Probe";
  }
}

}  // namespace

VisThread::VisThread(const StandInOptions& options, const PluginLibrary& plugin, HWND player,
                     const std::atomic<HWND>& pluginWindow)
    : mOptions(options),
      mModule(plugin.module),
      mInstance(plugin.library),
      mPlayer(player),
      mPluginWindow(pluginWindow) {}

VisThread::~VisThread() {
  if (mThread) CloseHandle(mThread);
  if (mWake) CloseHandle(mWake);
}

bool VisThread::Start() {
  mWake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!mWake || !mModule) return false;
  mThread = CreateThread(nullptr, 0, &VisThread::ThreadMain, this, 0, nullptr);
  return mThread != nullptr;
}

void VisThread::Post(const VisCommand& command) {
  {
    std::lock_guard<std::mutex> guard(mLock);
    mCommands.push_back(command);
  }
  SetEvent(mWake);
}

bool VisThread::Stop(DWORD milliseconds) {
  if (!mThread) return true;
  mStopping = true;
  SetEvent(mWake);
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return WaitForSingleObject(mThread, 0) == WAIT_OBJECT_0;
    const DWORD result =
        MsgWaitForMultipleObjects(1, &mThread, FALSE, DWORD(deadline - now), QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
  }
}

DWORD WINAPI VisThread::ThreadMain(void* self) {
  static_cast<VisThread*>(self)->Run();
  return 0;
}

void VisThread::Run() {
  mStartTime = GetTickCount64();
  FillModule();
  if (mOptions.autoInit) Init();
  while (!mStopping) {
    PumpMessages();
    RunCommands();
    if (mRendering && GetTickCount64() >= mNextRender) Render();
    MsgWaitForMultipleObjects(1, &mWake, FALSE, NextWait(), QS_ALLINPUT);
  }
  if (mStarted) Quit();
  PumpMessages();
}

DWORD VisThread::NextWait() const {
  if (!mRendering) return kIdleWaitMs;
  const ULONGLONG now = GetTickCount64();
  return mNextRender > now ? DWORD(std::min<ULONGLONG>(mNextRender - now, kIdleWaitMs)) : 0;
}

bool VisThread::PumpMessages() {
  // A module timer whose frames take longer than its period is due again at every look, so the
  // queue never runs dry: after a while the commands and the Render calls get their turn.
  const ULONGLONG until = GetTickCount64() + kIdleWaitMs;
  MSG message;
  while (GetTickCount64() < until && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The plug-in's window went: the visualization stops, as in Winamp.
      refengine::JournalLine line(call::kQuitMessage);
      WriteJournal(line.Number("code", int64_t(message.wParam)).Number("started", mStarted));
      if (mStarted) Quit();
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void VisThread::RunCommands() {
  for (;;) {
    VisCommand command;
    {
      std::lock_guard<std::mutex> guard(mLock);
      if (mCommands.empty()) return;
      command = mCommands.front();
      mCommands.pop_front();
    }
    RunCommand(command);
    PumpMessages();
  }
}

void VisThread::RunCommand(const VisCommand& command) {
  refengine::JournalLine line(call::kCommand);
  WriteJournal(line.Text("do", VerbName(command.verb)).Text("thread", "visualization"));
  switch (command.verb) {
    case VisVerb::kInit:
      Init();
      break;
    case VisVerb::kRender:
      mRendering = command.on;
      mNextRender = GetTickCount64();
      break;
    case VisVerb::kRenderOnce:
      Render();
      break;
    case VisVerb::kConfig:
      Config();
      break;
    case VisVerb::kQuit:
      Quit();
      break;
    case VisVerb::kMoveFrame: {
      const RECT& r = command.rect;
      SetWindowPos(FrameOrPluginWindow(), nullptr, r.left, r.top, r.right - r.left,
                   r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case VisVerb::kClose:
      // As the user's close button does: the window hears WM_CLOSE.
      SendMessageW(FrameOrPluginWindow(), WM_CLOSE, 0, 0);
      break;
    case VisVerb::kProbe:
      ProbeWindow(mPluginWindow.load());
      break;
  }
}

HWND VisThread::FrameOrPluginWindow() const {
  HWND frame = LiveFrame();
  return frame ? frame : mPluginWindow.load();
}

// Players fill these as soon as they have the module, so Config before Init has its parent.
void VisThread::FillModule() {
  mModule->parent = mPlayer;
  mModule->instance = mInstance;  // players give the plug-in its own library's handle
  mModule->sampleRate = int32_t(kSamplesPerSecond);
  mModule->channels = 2;
}

void VisThread::Init() {
  if (!mModule->init) return WriteUnexpected("module without Init");
  FillModule();
  const int32_t result = mModule->init(mModule);
  mStarted = true;
  mRendering = result == 0;
  mNextRender = GetTickCount64();
  refengine::JournalLine line(call::kInit);
  WriteJournal(line.Address("module", mModule)
                   .Number("result", result)
                   .Address("userData", mModule->userData));
}

void VisThread::Render() {
  if (!mModule->render) return WriteUnexpected("module without Render");
  const ULONGLONG now = GetTickCount64();
  FillAudio(mOptions.audio, (now - mStartTime) * kSamplesPerSecond / 1000, mModule);
  const int32_t result = mModule->render(mModule);
  ++mRenderCount;
  const int32_t period = mOptions.renderMs > 0 ? mOptions.renderMs : mModule->delayMs;
  mNextRender = now + ULONGLONG(std::max(period, 1));
  refengine::JournalLine line(call::kRender);
  WriteJournal(line.Number("count", mRenderCount).Number("result", result));
}

void VisThread::Config() {
  if (!mModule->config) return WriteUnexpected("module without Config");
  mModule->config(mModule);
  refengine::JournalLine line(call::kConfig);
  WriteJournal(line.Address("module", mModule));
}

void VisThread::Quit() {
  if (!mModule->quit) return WriteUnexpected("module without Quit");
  mModule->quit(mModule);
  mStarted = false;
  mRendering = false;
  refengine::JournalLine line(call::kQuit);
  WriteJournal(line.Address("module", mModule).Address("userData", mModule->userData));
  DestroyLeftoverFrames();
}

}  // namespace winamp_standin
