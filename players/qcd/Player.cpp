#include "players/qcd/Player.h"

#include <algorithm>
#include <string>

#include "players/qcd/QcdStandInControl.h"
#include "players/shared/BufferWindow.h"
#include "players/shared/LoadedReferenceEngine.h"
#include "players/shared/MessagePump.h"
#include "players/shared/PlayerWindow.h"
#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInPlugin.h"
#include "players/shared/StandInRun.h"
#include "refengine/JournalLine.h"

namespace qcd_standin {
namespace {

using refengine::JournalLine;
using standin::PlayerBuffer;
using standin::WriteJournal;

// What the service answers for opcode 31: the window in window mode, else null.
HWND gServiceWindow = nullptr;

const void* Entry(auto function) {
  return reinterpret_cast<const void*>(function);
}

void FillAudio(qcd::Module* module) {
  for (int i = 0; i < 2 * qcd::kFramesFilled; ++i) module->samples[i] = SampleValue(i);
  for (int i = 0; i < qcd::kSpectrumWanted; ++i) module->spectrum[i] = SpectrumValue(i);
}

// Every field the plug-in is to clear starts non-zero, so the journal shows that it did.
void MarkClearedFields(qcd::Module* module) {
  for (void*& field : module->cleared) field = reinterpret_cast<void*>(uintptr_t(0x5A5A));
  module->cleared2[0] = module->cleared2[1] = 0x5A5A;
  module->cleared3[0] = module->cleared3[1] = 0x5A5A;
}

bool FieldsCleared(const qcd::Module& module) {
  bool cleared = module.cleared2[0] == 0 && module.cleared2[1] == 0 && module.cleared3[0] == 0 &&
                 module.cleared3[1] == 0;
  for (void* field : module.cleared) cleared = cleared && field == nullptr;
  return cleared;
}

void JournalModule(bool haveExport, int32_t result, void* output, const qcd::Module* module) {
  JournalLine line(call::kModule);
  line.Number("export", haveExport ? 1 : 0)
      .Number("result", result)
      .Address("output", output)
      .Number("structure", module != nullptr ? 1 : 0);
  if (module != nullptr) {
    line.Number("size", module->size)
        .Number("one", module->one)
        .Number("spectrumSize", module->spectrumSize)
        .Address("init", Entry(module->init))
        .Address("render", Entry(module->render))
        .Address("event", Entry(module->event))
        .Address("shutdown", Entry(module->shutdown))
        .Number("cleared", FieldsCleared(*module) ? 1 : 0);
  }
  WriteJournal(line);
}

}  // namespace

Player::Player(const standin::StandInSetup& setup)
    : mSetup(setup), mWindowMode(setup.Number("window", 1) != 0) {}

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  mDeadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  MakeBuffer(kFirstWidth, kFirstHeight);
  mWindow = standin::CreateBufferWindow(instance, kWindowClass, L"QCD stand-in", &mShown);
  if (mWindowMode) {
    Resize(kFirstWidth, kFirstHeight);
    gServiceWindow = mWindow;
  }
  WriteJournal(JournalLine(call::kStarted)
                   .Address("window", mWindow)
                   .Text("mode", mWindowMode ? "window" : "buffer"));
  return standin::RunStandIn(*this, {mWindow, mDeadline, kExitNoModule, "no module"}, mSetup.steps);
}

bool Player::LoadPlugin() {
  mLibrary = standin::LoadPluginJournaled(mSetup.PluginPath());
  if (mLibrary == nullptr) return false;
  // Through void* first: the export's real type is only known by name.
  auto describe = reinterpret_cast<qcd::QVisualModuleFn>(
      reinterpret_cast<void*>(GetProcAddress(mLibrary, qcd::kQVisualModuleName)));
  mModule = std::make_unique<qcd::Module>();
  *mModule = {};
  mModule->service = &Service;
  mModule->videoBuffer = &mVideo;
  MarkClearedFields(mModule.get());
  FillAudio(mModule.get());
  qcd::Module* given = mSetup.Number("structure", 1) != 0 ? mModule.get() : nullptr;
  void* output = reinterpret_cast<void*>(uintptr_t(0x5A5A));
  const int32_t result = describe != nullptr ? describe(given, &output) : 0;
  JournalModule(describe != nullptr, result, output, given);
  if (const int64_t period = mSetup.Number("enginePeriod", 0); period > 0) FixEnginePeriod(period);
  return result != 0 && given != nullptr && mModule->init && mModule->render && mModule->event &&
         mModule->shutdown;
}

HMODULE Player::LibraryToUnload() {
  return mModuleEnded ? mLibrary : nullptr;
}

// QVisualModule0 has loaded the engine: it is the reference engine, in this process.
void Player::FixEnginePeriod(int64_t milliseconds) {
  const RefEngineControlApi* engine = standin::LoadedReferenceEngine();
  if (engine == nullptr) {
    standin::WriteUnexpected("enginePeriod without the reference engine loaded");
    return;
  }
  engine->SetRunFramePeriod(int32_t(milliseconds));
}

void Player::RunStep(const standin::Step& step) {
  const auto& n = step.numbers;
  if (step.verb == "init") {
    mModuleEnded = false;
    const int32_t result = mModule->init();
    WriteJournal(JournalLine(call::kInit).Number("result", result));
  } else if (step.verb == "render") {
    Render();
  } else if (step.verb == "size") {
    if (mWindowMode) {
      Resize(n[0], n[1]);
    } else {
      MakeBuffer(n[0], n[1]);
    }
  } else if (step.verb == "nopixels") {
    mVideo.pixels = nullptr;
  } else if (step.verb == "event") {
    const int32_t result = mModule->event(n[0], n[1], n[2]);
    WriteJournal(JournalLine(call::kEvent)
                     .Number("type", n[0])
                     .Number("x", n[1])
                     .Number("y", n[2])
                     .Number("result", result));
  } else if (step.verb == "shutdown") {
    mModule->shutdown();
    mModuleEnded = true;
    WriteJournal(JournalLine(call::kShutdown));
  } else if (step.verb == "wait") {
    PumpFor(n[0]);
  }
}

void Player::MakeBuffer(int32_t width, int32_t height) {
  // The description says what the step gave; the memory always has room for it.
  mBuffer = std::make_unique<PlayerBuffer>(width, height, width);
  mVideo.pixels = mBuffer->Pixels();
  mVideo.width = width;
  mVideo.height = height;
  mVideo.rect = {0, 0, width, height};
  if (!mWindowMode) mShown = mBuffer.get();
}

void Player::Resize(int32_t width, int32_t height) {
  RECT outer = {0, 0, width, height};
  AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
  SetWindowPos(mWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Player::Render() {
  mModuleEnded = false;
  mBuffer->Fill();
  const int32_t result = mModule->render();
  RECT client = {};
  if (mWindowMode) GetClientRect(mWindow, &client);
  WriteJournal(JournalLine(call::kRender)
                   .Number("result", result)
                   .Number("drawn", mBuffer->ChangedInside())
                   .Number("outside", mBuffer->ChangedOutside())
                   .Number("corner", mBuffer->Colour(1, 1))
                   .Number("windowCorner", mWindowMode ? standin::WindowPixel(mWindow, 1, 1) : -1)
                   .Number("width", mWindowMode ? client.right : mVideo.width)
                   .Number("height", mWindowMode ? client.bottom : mVideo.height));
  if (!mWindowMode && result == 1) InvalidateRect(mWindow, nullptr, FALSE);
}

void Player::PumpFor(int64_t milliseconds) {
  standin::PumpMessagesFor(milliseconds, mDeadline);
}

intptr_t QCD_CALL Player::Service(int32_t opcode, void* buffer, intptr_t value1, intptr_t value2) {
  intptr_t answer = 0;
  if (opcode == qcd::kServiceVisualWindow) {
    answer = reinterpret_cast<intptr_t>(gServiceWindow);
  } else {
    standin::WriteUnexpected("service opcode");
  }
  WriteJournal(JournalLine(call::kService)
                   .Number("opcode", opcode)
                   .Address("buffer", buffer)
                   .Number("value1", value1)
                   .Number("value2", value2)
                   .Address("answer", reinterpret_cast<void*>(answer)));
  return answer;
}

}  // namespace qcd_standin
