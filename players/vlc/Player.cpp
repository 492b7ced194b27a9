#include "players/vlc/Player.h"

#include <cmath>
#include <string>
#include <vector>

#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInPlugin.h"
#include "players/vlc/StandInCore.h"
#include "players/vlc/VlcStandInControl.h"
#include "refengine/JournalLine.h"

namespace vlc_standin {
namespace {

using refengine::JournalLine;
using standin::WriteJournal;

// The module's session window, which lives while its session runs.
constexpr char kSessionWindowClass[] = "Novalume Glimmora VLC";
constexpr ULONGLONG kSessionEndMs = 5000;
constexpr double kToneHz = 440.0;

std::wstring DefaultModulePath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"plugins\\visualization\\libglimmora_plugin.dll";
}

const void* Entry(auto function) {
  return reinterpret_cast<const void*>(function);
}

}  // namespace

int Player::Run() {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  const ULONGLONG deadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  WriteJournal(JournalLine(call::kStarted));
  StandIn_FollowRealTime();
  int code = kExitNormal;
  const char* reason = "steps done";
  if (!LoadModule()) {
    code = kExitNoModule;
    reason = "no module";
  } else {
    for (const standin::Step& step : mSetup.steps) {
      if (GetTickCount64() >= deadline) {
        reason = "maxTime";
        break;
      }
      RunStep(step);
    }
  }
  JournalLog();
  WriteJournal(JournalLine(call::kExit).Text("reason", reason).Number("code", code));
  standin::CloseJournal();
  return code;
}

bool Player::LoadModule() {
  const std::wstring path = mSetup.plugin.empty() ? DefaultModulePath() : mSetup.plugin;
  HMODULE library = standin::LoadPluginJournaled(path);
  if (library == nullptr) return false;
  mDescriptor = vlcstandin::ReadDescriptor(library);
  WriteJournal(JournalLine(call::kDescriptor)
                   .Number("entry", mDescriptor.hasEntry ? 1 : 0)
                   .Number("result", mDescriptor.entryResult)
                   .Text("name", mDescriptor.name)
                   .Text("capability", mDescriptor.capability)
                   .Number("noUnload", mDescriptor.noUnload ? 1 : 0)
                   .Address("open", Entry(mDescriptor.open))
                   .Address("close", Entry(mDescriptor.close)));
  // VLC offers a module only when its entry succeeded and named both callbacks.
  return mDescriptor.hasEntry && mDescriptor.entryResult == 0 && mDescriptor.open != nullptr &&
         mDescriptor.close != nullptr;
}

void Player::RunStep(const standin::Step& step) {
  if (step.verb == "open") {
    Open();
  } else if (step.verb == "play") {
    Play(step.numbers[0]);
  } else if (step.verb == "wait") {
    Sleep(DWORD(step.numbers[0]));
  } else if (step.verb == "close") {
    Close();
  }
}

void Player::Open() {
  if (mOpen) {
    standin::WriteUnexpected("open while the filter is open");
    return;
  }
  vlc_object_t* playlist = StandIn_NewObject("playlist", nullptr, sizeof(playlist_t));
  mOutput = StandIn_NewObject("audio output", playlist, sizeof(audio_output_t));
  StandIn_CreateVariable(mOutput, "audio-visual", VLC_VAR_STRING);
  StandIn_CreateVariable(mOutput, "volume", VLC_VAR_FLOAT);
  StandIn_CreateVariable(playlist, "input-current", VLC_VAR_ADDRESS);
  vlc_object_t* input = StandIn_NewObject("input", nullptr, sizeof(input_thread_t));
  StandIn_SetInteger(input, "video-es", -1);
  StandIn_SetCurrentInput(input, StandIn_NewItem("tone.wav"));
  StandIn_SetString(mOutput, "audio-visual", "glimmora");
  mFilter =
      reinterpret_cast<filter_t*>(StandIn_NewObject("visualization", mOutput, sizeof(filter_t)));
  mFilter->fmt_in.audio.i_rate = kRate;
  mFilter->fmt_in.audio.i_physical_channels = AOUT_CHANS_STEREO;
  const int result = mDescriptor.open(VLC_OBJECT(mFilter));
  mOpen = result == VLC_SUCCESS;
  mNextBlock = 0;
  WriteJournal(JournalLine(call::kOpen).Number("result", result));
}

void Player::Play(int32_t blocks) {
  if (!mOpen || mFilter->pf_audio_filter == nullptr) {
    standin::WriteUnexpected("play without an open filter");
    return;
  }
  std::vector<float> samples(size_t(2 * kBlockFrames));
  int32_t returned = 0;
  int32_t untouched = 0;
  const auto start = int64_t(GetTickCount64());
  for (int32_t n = 0; n < blocks; ++n, ++mNextBlock) {
    // Each block is handed over as it falls due, lead ms before it is heard.
    const int64_t dueMs = start + n * kBlockMs;
    while (int64_t(GetTickCount64()) < dueMs) Sleep(1);
    for (int32_t f = 0; f < kBlockFrames; ++f) {
      const double t = double(mNextBlock * kBlockFrames + f) / kRate;
      samples[size_t(2 * f)] = samples[size_t(2 * f + 1)] =
          float(0.5 * std::sin(2.0 * 3.14159265358979323846 * kToneHz * t));
    }
    const std::vector<float> given = samples;
    block_t block{};
    block.p_buffer = reinterpret_cast<uint8_t*>(samples.data());
    block.i_buffer = samples.size() * sizeof(float);
    block.i_nb_samples = unsigned(kBlockFrames);
    block.i_pts = (dueMs + kLeadMs) * 1000;
    if (mFilter->pf_audio_filter(mFilter, &block) == &block) ++returned;
    if (samples == given) ++untouched;
  }
  WriteJournal(JournalLine(call::kPlayed)
                   .Number("blocks", blocks)
                   .Number("returned", returned)
                   .Number("untouched", untouched));
  // A visualization passes the audio on as it came.
  if (returned != blocks || untouched != blocks) {
    standin::WriteUnexpected("the filter did not hand the audio back as it came");
  }
}

void Player::Close() {
  if (!mOpen) {
    standin::WriteUnexpected("close without an open filter");
    return;
  }
  StandIn_SetString(mOutput, "audio-visual", "spectrum");
  mDescriptor.close(VLC_OBJECT(mFilter));
  mOpen = false;
  // The session ends on its own thread; its window goes with it.
  const ULONGLONG until = GetTickCount64() + kSessionEndMs;
  while (FindWindowA(kSessionWindowClass, nullptr) != nullptr && GetTickCount64() < until)
    Sleep(10);
  WriteJournal(JournalLine(call::kClosed)
                   .Number("sessionEnded", FindWindowA(kSessionWindowClass, nullptr) == nullptr));
}

void Player::JournalLog() {
  char line[1024];
  for (int32_t i = 0; StandIn_LogLine(i, line, sizeof(line)) >= 0; ++i) {
    WriteJournal(JournalLine(call::kLog).Text("line", line));
  }
}

}  // namespace vlc_standin
