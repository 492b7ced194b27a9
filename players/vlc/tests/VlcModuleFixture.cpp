#include "players/vlc/tests/VlcModuleFixture.h"

#include <cstdio>

#include "NV_VLC/tests/win/ProcessProduct.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/Waiting.h"

std::vector<std::string> StandInLog() {
  std::vector<std::string> lines;
  char line[4096];
  for (int32_t i = 0; StandIn_LogLine(i, line, sizeof(line)) >= 0; ++i) lines.push_back(line);
  return lines;
}

bool StandInLogHas(const std::string& text) {
  for (const std::string& line : StandInLog()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

InstalledProduct& ModuleProduct() { return ProcessProduct(); }

AudioBlock::AudioBlock(int32_t channels, int32_t frames, float value)
    : samples(static_cast<size_t>(channels) * static_cast<size_t>(frames), value) {
  block.p_buffer = reinterpret_cast<uint8_t*>(samples.data());
  block.i_buffer = samples.size() * sizeof(float);
  block.i_nb_samples = static_cast<unsigned>(frames);
}

HMODULE VlcModuleTest::sModule = nullptr;
vlcstandin::ModuleDescriptor VlcModuleTest::sDescriptor;

void VlcModuleTest::SetUpTestSuite() {
  if (sModule != nullptr) return;
  const std::wstring path = ProgramFolder() + L"\\libglimmora_plugin.dll";
  sModule = LoadLibraryW(path.c_str());
  ASSERT_NE(sModule, nullptr) << "the module or the stand-in core did not load";
  sDescriptor = vlcstandin::ReadDescriptor(sModule);
  ASSERT_TRUE(sDescriptor.hasEntry);
  ASSERT_EQ(sDescriptor.entryResult, 0);
}

void VlcModuleTest::SetUp() {
  ASSERT_NE(sDescriptor.open, nullptr);
  StandIn_Reset();
  if (const RefEngineControlApi* control = Control()) control->Reset();
  playlist = StandIn_NewObject("playlist", nullptr, sizeof(playlist_t));
  output = StandIn_NewObject("audio output", playlist, sizeof(audio_output_t));
  StandIn_CreateVariable(output, "audio-visual", VLC_VAR_STRING);
  StandIn_CreateVariable(output, "volume", VLC_VAR_FLOAT);
  StandIn_CreateVariable(playlist, "input-current", VLC_VAR_ADDRESS);
  StandIn_SetOption("glimmora-audio-only", VLC_VAR_BOOL, 1);
}

void VlcModuleTest::TearDown() {
  if (HasFailure()) {
    // What the module said, for the failure's story.
    for (const std::string& line : StandInLog()) {
      if (line.find("playback lead") == std::string::npos) std::printf("vlc log: %s\n", line.c_str());
    }
    for (const std::string& line : debugOutput.Lines()) std::printf("debug: %s\n", line.c_str());
  }
  if (!mOpenFilters.empty()) {
    ADD_FAILURE() << mOpenFilters.size() << " filter(s) left open";
    for (filter_t* filter : std::vector<filter_t*>(mOpenFilters)) {
      Deselect(filter->obj.parent);
      Close(filter);
    }
  }
  // Nothing may be left for the next test: no window, no engine instance.
  EXPECT_TRUE(WaitUntil([] { return FindWindowA(kSessionWindowClass, nullptr) == nullptr; }));
  if (const RefEngineControlApi* control = Control()) {
    EXPECT_TRUE(WaitUntil([control] { return control->InstanceCount() == 0; }));
  }
  EXPECT_EQ(StandIn_InputHolds(), 0) << "a held input was not released";
}

filter_t* VlcModuleTest::NewFilter(vlc_object_t* parent, unsigned rate, uint32_t channels) {
  auto* filter = reinterpret_cast<filter_t*>(StandIn_NewObject(
      "visualization", parent != nullptr ? parent : output, sizeof(filter_t)));
  filter->fmt_in.audio.i_rate = rate;
  filter->fmt_in.audio.i_physical_channels = channels;
  return filter;
}

filter_t* VlcModuleTest::OpenFilter(vlc_object_t* parent, unsigned rate, uint32_t channels) {
  filter_t* filter = NewFilter(parent, rate, channels);
  const int opened = sDescriptor.open(VLC_OBJECT(filter));
  EXPECT_EQ(opened, VLC_SUCCESS);
  if (opened == VLC_SUCCESS) mOpenFilters.push_back(filter);
  return filter;
}

void VlcModuleTest::Close(filter_t* filter) {
  sDescriptor.close(VLC_OBJECT(filter));
  std::erase(mOpenFilters, filter);
}

void VlcModuleTest::Feed(filter_t* filter, AudioBlock& audio) {
  ASSERT_NE(filter->pf_audio_filter, nullptr);
  EXPECT_EQ(filter->pf_audio_filter(filter, &audio.block), &audio.block);
}

void VlcModuleTest::Deselect(vlc_object_t* audioOutput) {
  StandIn_SetString(audioOutput != nullptr ? audioOutput : output, "audio-visual", "spectrum");
}

vlc_object_t* VlcModuleTest::MakeCurrentInput(const char* itemName, int64_t videoTrack) {
  vlc_object_t* input = StandIn_NewObject("input", nullptr, sizeof(input_thread_t));
  StandIn_SetInteger(input, "video-es", videoTrack);
  StandIn_SetCurrentInput(input, StandIn_NewItem(itemName));
  return input;
}

const RefEngineControlApi* VlcModuleTest::Control() {
  const InstalledProduct* product = ProcessProductIfMade();
  if (product == nullptr) return nullptr;
  // The engine the module loads from the product folder, loaded here first if need be so
  // that a test can steer it before the first session; the module keeps it loaded anyway.
  const std::wstring engine = product->FileInFolder(L"GlimmoraEngine.dll");
  if (GetModuleHandleW(engine.c_str()) == nullptr) LoadLibraryW(engine.c_str());
  return EngineControl(engine);
}

std::vector<refengine_journal::JournalEntry> VlcModuleTest::Journal() {
  const RefEngineControlApi* control = Control();
  return control != nullptr ? refengine_journal::ReadJournal(control)
                            : std::vector<refengine_journal::JournalEntry>{};
}

size_t VlcModuleTest::Count(const char* call, const char* code) {
  return refengine_journal::EntriesOf(Journal(), call, code != nullptr ? code : "").size();
}
