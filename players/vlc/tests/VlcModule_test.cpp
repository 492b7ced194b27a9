// The built VLC module (libglimmora_plugin.dll) loaded through its real exports, against the
// stand-in VLC core beside it: the descriptor as VLC's module bank reads it, a filter opened
// without and with the product installed, its audio passing through untouched, metadata and
// a session that the reference engine's journal shows.
#include <string>
#include <vector>

#include "NV_VLC/tests/win/ProcessProduct.h"
#include "players/vlc/tests/VlcModuleFixture.h"
#include "testsupport/win/Waiting.h"

namespace {

using namespace refengine_journal;

TEST_F(VlcModuleTest, DescriptorThroughTheExportNamesTheVisualization) {
  EXPECT_EQ(sDescriptor.name, "glimmora");
  EXPECT_EQ(sDescriptor.capability, "visualization");
  EXPECT_TRUE(sDescriptor.noUnload);
  EXPECT_NE(sDescriptor.close, nullptr);
  EXPECT_NE(GetProcAddress(sModule, "vlc_entry_copyright__3_0_0f"), nullptr);
  EXPECT_NE(GetProcAddress(sModule, "vlc_entry_license__3_0_0f"), nullptr);
}

TEST_F(VlcModuleTest, WithoutTheProductOpenRefusesWithAnErrorLine) {
  // Without its product information file the engine counts as not installed, even when the
  // module has loaded it before.
  const InstalledProduct* product = ProcessProductIfMade();
  const std::wstring info =
      product != nullptr ? product->FileInFolder(L"Resources\\engine.txt") : L"";
  const std::wstring aside = info + L".aside";
  if (product != nullptr) {
    ASSERT_TRUE(MoveFileExW(info.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING));
  } else {
    InstalledProduct::Remove(InstalledProduct::Options{});
  }
  filter_t* filter = NewFilter();
  EXPECT_EQ(sDescriptor.open(VLC_OBJECT(filter)), VLC_EGENERIC);
  EXPECT_EQ(StandInLog(), std::vector<std::string>{
                              std::to_string(VLC_MSG_ERR) +
                              " Open: Glimmora is not installed -- nothing to visualize with."});
  if (product != nullptr) {
    EXPECT_TRUE(MoveFileExW(aside.c_str(), info.c_str(), 0));
  }
}

TEST_F(VlcModuleTest, FilterRunsASessionAndPassesAudioThrough) {
  ASSERT_TRUE(ModuleProduct().ok());
  input_item_t* item = StandIn_NewItem("song.flac");
  StandIn_SetMeta(item, vlc_meta_Title, "A Title");
  StandIn_SetMeta(item, vlc_meta_Artist, "An Artist");
  vlc_object_t* input = StandIn_NewObject("input", nullptr, sizeof(input_thread_t));
  StandIn_SetInteger(input, "video-es", -1);
  StandIn_SetCurrentInput(input, item);

  filter_t* filter = OpenFilter();
  EXPECT_EQ(filter->fmt_in.audio.i_format, VLC_CODEC_FL32);
  ASSERT_NE(WaitForWindow(kSessionWindowClass, "Glimmora", 10000), nullptr);

  AudioBlock audio(6, 4800, 0.0f);
  for (size_t i = 0; i < audio.samples.size(); ++i) audio.samples[i] = (i % 7) * 0.05f;
  const std::vector<float> original = audio.samples;
  audio.block.i_pts = 1000000 + 300000;
  Feed(filter, audio);
  EXPECT_EQ(audio.samples, original);

  const RefEngineControlApi* control = Control();
  ASSERT_NE(control, nullptr);
  // The first poll read the item: the engine hears of the track before a frame.
  EXPECT_TRUE(WaitUntil([control] {
    for (const JournalEntry& entry : EntriesOf(ReadJournal(control), "Request", "Trck")) {
      if (entry.Get("title") == "A Title" && entry.Get("artist") == "An Artist") return true;
    }
    return false;
  }));
  EXPECT_TRUE(StandInLogHas("track: title='A Title' artist='An Artist' album='' art=''  [unusable]"));
  EXPECT_EQ(StandIn_InputHolds(), 0);

  Deselect();
  Close(filter);
  EXPECT_TRUE(WaitUntil([control] { return control->InstanceCount() == 0; }));
  StandIn_SetCurrentInput(nullptr, nullptr);
}

}  // namespace
