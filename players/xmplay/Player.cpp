#include "players/xmplay/Player.h"

#include <string>

#include "players/shared/BufferWindow.h"
#include "players/shared/MessagePump.h"
#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInPlugin.h"
#include "players/shared/StandInRun.h"
#include "players/xmplay/XmplayStandInControl.h"
#include "refengine/JournalLine.h"

namespace xmplay_standin {
namespace {

using refengine::JournalLine;
using standin::PlayerBuffer;
using standin::WriteJournal;

const void* Entry(auto function) {
  return reinterpret_cast<const void*>(function);
}

void JournalInfo(bool haveExport, const xmplay::VisInfo* info) {
  JournalLine line(call::kInfo);
  line.Number("export", haveExport ? 1 : 0).Address("info", info);
  if (info != nullptr) {
    line.Number("version", info->version)
        .Text("name", info->name != nullptr ? info->name : "")
        .Number("required", info->required)
        .Address("initialize", Entry(info->initialize))
        .Address("render", Entry(info->render))
        .Address("saveSettings", Entry(info->saveSettings))
        .Address("openSettings", Entry(info->openSettings))
        .Address("deinitialize", Entry(info->deinitialize))
        .Address("clicked", Entry(info->clicked))
        .Address("receiver", Entry(info->receiveQueryInterface));
  }
  WriteJournal(line);
}

// The data record every render gets: known values the tests can recompute.
void FillData(xmplay::VisData* data) {
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < xmplay::kWaveformSamples; ++i) data->waveform[c][i] = WaveformValue(c, i);
    for (int i = 0; i < xmplay::kSpectrumValues; ++i) data->spectrum[c][i] = SpectrumValue(c, i);
  }
}

}  // namespace

Player::Player(const standin::StandInSetup& setup) : mSetup(setup) {
  FillData(&mData);
}

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  mDeadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  mWindow = standin::CreateBufferWindow(instance, kWindowClass, L"XMPlay stand-in", &mShown);
  WriteJournal(JournalLine(call::kStarted).Address("window", mWindow));
  return standin::RunStandIn(*this, {mWindow, mDeadline, kExitNoPlugin, "no plug-in"},
                             mSetup.steps);
}

bool Player::LoadPlugin() {
  mLibrary = standin::LoadPluginJournaled(mSetup.PluginPath());
  if (mLibrary == nullptr) return false;
  // Through void* first: the export's real type is only known by name.
  auto query = reinterpret_cast<xmplay::QueryModuleFn>(
      reinterpret_cast<void*>(GetProcAddress(mLibrary, xmplay::kQueryModuleName)));
  mInfo = query != nullptr ? query() : nullptr;
  JournalInfo(query != nullptr, mInfo);
  return mInfo != nullptr && mInfo->initialize && mInfo->render && mInfo->saveSettings &&
         mInfo->openSettings && mInfo->deinitialize && mInfo->clicked;
}

HMODULE Player::LibraryToUnload() {
  return mModuleEnded ? mLibrary : nullptr;
}

void Player::RunStep(const standin::Step& step) {
  const auto& n = step.numbers;
  if (step.verb == "init") {
    mModuleEnded = false;
    mInfo->initialize();
    WriteJournal(JournalLine(call::kInitialize));
  } else if (step.verb == "render") {
    Render(n[0], n[1], n.size() > 2 ? n[2] : n[0], true);
  } else if (step.verb == "nopixels") {
    Render(n[0], n[1], n[0], false);
  } else if (step.verb == "moved") {
    mMoveNext = true;
  } else if (step.verb == "nodata") {
    mNoDataNext = true;
  } else if (step.verb == "click") {
    const xmplay::Bool result = mInfo->clicked(n[0], n[1], 1);
    WriteJournal(
        JournalLine(call::kClicked).Number("x", n[0]).Number("y", n[1]).Number("result", result));
  } else if (step.verb == "save" || step.verb == "open") {
    Settings(step.verb == "save");
  } else if (step.verb == "deinit") {
    Deinitialize();
  } else if (step.verb == "wait") {
    PumpFor(n[0]);
  }
}

void Player::PrepareBuffer(int32_t width, int32_t height, int32_t pitch) {
  const bool sameSize = mBuffer && mBuffer->Width() == width && mBuffer->Height() == height &&
                        mBuffer->Pitch() == pitch;
  if (mMoveNext && mBuffer) {
    // The old buffer stays allocated, so the new one lies elsewhere and the old one can be
    // checked for drawing that should have gone to the new one.
    mPrevious = std::move(mBuffer);
    mPrevious->Fill();
  } else if (!sameSize) {
    mPrevious.reset();
  }
  if (!mBuffer || !sameSize) mBuffer = std::make_unique<PlayerBuffer>(width, height, pitch);
  mMoveNext = false;
  mBuffer->Fill();
}

void Player::Render(int32_t width, int32_t height, int32_t pitch, bool withPixels) {
  mModuleEnded = false;
  PrepareBuffer(width, height, pitch);
  uint32_t* pixels = withPixels ? mBuffer->Pixels() : nullptr;
  xmplay::VisData* data = mNoDataNext ? nullptr : &mData;
  mNoDataNext = false;
  const xmplay::Bool result = mInfo->render(pixels, width, height, pitch, data);
  const PlayerBuffer& buffer = *mBuffer;
  WriteJournal(
      JournalLine(call::kRender)
          .Number("width", width)
          .Number("height", height)
          .Number("pitch", pitch)
          .Address("pixels", pixels)
          .Number("data", data != nullptr ? 1 : 0)
          .Number("result", result)
          .Number("drawn", buffer.ChangedInside())
          .Number("outside", buffer.ChangedOutside())
          .Number("corner", buffer.Colour(1, 1))
          .Number("centre", buffer.Colour(width / 2, height / 2))
          .Number("previous",
                  mPrevious ? mPrevious->ChangedInside() + mPrevious->ChangedOutside() : -1));
  mShown = mBuffer.get();
  InvalidateRect(mWindow, nullptr, FALSE);
}

void Player::Settings(bool save) {
  char file[] = "xmplay.ini";
  mModuleEnded = false;
  const xmplay::Bool result = save ? mInfo->saveSettings(file) : mInfo->openSettings(file);
  WriteJournal(
      JournalLine(save ? call::kSaveSettings : call::kOpenSettings).Number("result", result));
}

void Player::Deinitialize() {
  const xmplay::Bool result = mInfo->deinitialize();
  mModuleEnded = true;
  WriteJournal(JournalLine(call::kDeinitialize).Number("result", result));
}

void Player::PumpFor(int64_t milliseconds) {
  standin::PumpMessagesFor(milliseconds, mDeadline);
}

}  // namespace xmplay_standin
