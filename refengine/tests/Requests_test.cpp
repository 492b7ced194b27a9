// The host's requests: answers, test-chosen answers, and the copies the journal keeps.
#include <cstring>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

using refengine_journal::HexBytes;

class RequestTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    mInstance = Create(&mHost, 0);
  }
  int64_t Send(uint32_t code, void* in, void* out = nullptr) {
    return Table()->Request(mInstance, code, in, out);
  }
  JournalEntry LastRequest() {
    const auto requests = EntriesOf(Journal(), "Request");
    return requests.empty() ? JournalEntry{} : requests.back();
  }

  FakeHost mHost;
  uint32_t mInstance = 0;
};

void CopyText(char16_t* field, const std::u16string& text) {
  std::memcpy(field, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

TEST_F(RequestTest, TrackRecordIsCopiedIntoTheJournal) {
  TrackRecord track{};
  track.size = TrackRecord::kSize;
  track.mask = TrackRecord::kMask;
  track.year = 1987;
  CopyText(track.title, u"Night \"Drive\"");
  CopyText(track.artist, u"Zo\u00eb & the \u266b");
  CopyText(track.album, u"Lines\nTwo");
  EXPECT_EQ(Send(HostRequest::kTrack, &track), 0);
  const JournalEntry entry = LastRequest();
  EXPECT_EQ(entry.Get("code"), "Trck");
  EXPECT_EQ(entry.Get("title"), "Night \"Drive\"");
  EXPECT_EQ(entry.Get("artist"), "Zo\xc3\xab & the \xe2\x99\xab");
  EXPECT_EQ(entry.Get("album"), "Lines\nTwo");
  EXPECT_EQ(entry.Get("year"), "1987");
  EXPECT_EQ(entry.Get("mask"), "224");
  const std::vector<uint8_t> raw = HexBytes(entry.Get("raw"));
  ASSERT_EQ(raw.size(), sizeof track);
  EXPECT_EQ(std::memcmp(raw.data(), &track, sizeof track), 0);
}

TEST_F(RequestTest, ShortOrMissingTrackRecordIsRefused) {
  TrackRecord track{};
  track.size = 100;
  CopyText(track.title, u"Never read");
  EXPECT_EQ(Send(HostRequest::kTrack, &track), REFENGINE_STATUS_BAD_ARGUMENT);
  EXPECT_FALSE(LastRequest().Has("title"));
  EXPECT_EQ(Send(HostRequest::kTrack, nullptr), REFENGINE_STATUS_BAD_ARGUMENT);
}

TEST_F(RequestTest, EventsAreJournaledAndAnsweredByUse) {
  struct Case {
    const char* name;
    uint16_t key;
    uint32_t flags;
    int64_t answer;
  };
  const Case cases[] = {
      {"space pauses", ' ', EventKind::kKey, 0},
      {"right arrow changes palette", SpecialKey::kRight, EventKind::kKey, 0},
      {"unused letter", 'q', EventKind::kKey, NVStatus::kEventNotConsumed},
      {"key release", SpecialKey::kRight, EventKind::kKeyUp, NVStatus::kEventNotConsumed},
      {"Ctrl+space", ' ', EventKind::kKey | EventModifier::kCtrl, NVStatus::kEventNotConsumed},
      {"right button", 0, EventKind::kRightDown, NVStatus::kEventNotConsumed},
      {"left button", 0, EventKind::kLeftDown, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventRecord event{};
    event.x = -3;
    event.y = 17;
    event.key = c.key;
    event.flags = c.flags;
    EXPECT_EQ(Send(HostRequest::kEvent, &event), c.answer);
    const JournalEntry entry = LastRequest();
    EXPECT_EQ(entry.Number("key"), c.key);
    EXPECT_EQ(entry.Number("flags"), c.flags);
    EXPECT_EQ(entry.Get("x"), "-3");
    EXPECT_EQ(entry.Get("y"), "17");
    EXPECT_EQ(HexBytes(entry.Get("raw")).size(), sizeof event);
  }
}

TEST_F(RequestTest, ControlFixesTheEventAnswer) {
  mControl->SetEventAnswer(1, 55019);
  EventRecord event{};
  event.key = ' ';
  EXPECT_EQ(Send(HostRequest::kEvent, &event), 55019);
  mControl->SetEventAnswer(1, 0);
  event.key = 'q';
  EXPECT_EQ(Send(HostRequest::kEvent, &event), 0);
}

TEST_F(RequestTest, WindowAnswerIsOwnChoiceOrFixed) {
  EngineRect rect{};
  EXPECT_EQ(Send(HostRequest::kWindowRect, &rect), 0);
  EXPECT_LT(rect.left, rect.right);
  EXPECT_LT(rect.top, rect.bottom);
  mControl->SetWindowAnswer(1, 10, 20, 10, 300);
  EXPECT_EQ(Send(HostRequest::kWindowRect, &rect), 0);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 10);
  EXPECT_EQ(rect.bottom, 300);
  EXPECT_EQ(LastRequest().Get("bottom"), "300");
}

TEST_F(RequestTest, WindowAnswerFollowsStoredPreferences) {
  mControl->SetPreferenceNumber("Window.left", 'i', 5, 0);
  mControl->SetPreferenceNumber("Window.right", 'i', 205, 0);
  EngineRect rect{};
  EXPECT_EQ(Send(HostRequest::kWindowRect, &rect), 0);
  EXPECT_EQ(rect.left, 5);
  EXPECT_EQ(rect.right, 205);
}

TEST_F(RequestTest, FullscreenAnswerIsOwnStateOrFixed) {
  EXPECT_EQ(Send(HostRequest::kIsFullscreen, nullptr), 0);
  mControl->SetFullscreenAnswer(1, 1);
  EXPECT_EQ(Send(HostRequest::kIsFullscreen, nullptr), 1);
}

TEST_F(RequestTest, PreferencesAnswerWhatTheTestStored) {
  mControl->SetPreferenceNumber("Graphics.TargetFrameRate", 'i', 60, 0);
  mControl->SetPreferenceNumber("Scale", 'F', 0, 1.5);
  mControl->SetPreferenceText("Name", "Aurora");
  PreferenceAnswer answer{};
  EXPECT_EQ(
      Send(HostRequest::kGetPreference, const_cast<char*>("Graphics.TargetFrameRate"), &answer), 1);
  EXPECT_EQ(answer.type, uint32_t('i'));
  EXPECT_EQ(answer.value.integer, 60);
  EXPECT_EQ(Send(HostRequest::kGetPreference, const_cast<char*>("Scale"), &answer), 1);
  EXPECT_EQ(answer.type, uint32_t('F'));
  EXPECT_EQ(answer.value.real, 1.5);
  EXPECT_EQ(Send(HostRequest::kGetPreference, const_cast<char*>("Name"), &answer), 1);
  EXPECT_EQ(answer.type, uint32_t('s'));
  EXPECT_EQ(std::string(static_cast<const char*>(answer.value.pointer), size_t(answer.length)),
            "Aurora");
  const JournalEntry entry = LastRequest();
  EXPECT_EQ(entry.Get("name"), "Name");
  EXPECT_EQ(entry.Get("value"), "Aurora");

  PreferenceAnswer untouched{};
  EXPECT_EQ(Send(HostRequest::kGetPreference, const_cast<char*>("Missing"), &untouched), 0);
  EXPECT_EQ(untouched.type, 0u);
  EXPECT_EQ(LastRequest().Get("found"), "0");
}

TEST_F(RequestTest, StoredPreferenceIsReadBack) {
  PreferenceAnswer value{};
  value.type = 'i';
  value.length = -1;
  value.value.integer = 412;
  EXPECT_EQ(Send(HostRequest::kSetPreference, const_cast<char*>("WinampAPI.Window.left"), &value),
            0);
  const JournalEntry stored = LastRequest();
  EXPECT_EQ(stored.Get("name"), "WinampAPI.Window.left");
  EXPECT_EQ(stored.Get("type"), "i");
  EXPECT_EQ(stored.Get("length"), "-1");
  EXPECT_EQ(stored.Get("value"), "412");
  PreferenceAnswer answer{};
  EXPECT_EQ(Send(HostRequest::kGetPreference, const_cast<char*>("WinampAPI.Window.left"), &answer),
            1);
  EXPECT_EQ(answer.value.integer, 412);
  value.type = '?';
  EXPECT_EQ(Send(HostRequest::kSetPreference, const_cast<char*>("Odd"), &value),
            REFENGINE_STATUS_BAD_ARGUMENT);
}

TEST_F(RequestTest, CoverArtKindsAndPayloadsAreJournaled) {
  static const char kUtf8Path[] = "C:\\Music\\cover.jpg";
  static const char16_t kWidePath[] = u"C:\\Art\\front.png";
  static const uint8_t kImage[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A};
  // None of these names a real image: the engine journals them and says so.
  constexpr int64_t kNoImage = REFENGINE_STATUS_NO_IMAGE;
  struct Case {
    const char* kind;
    ArtRecord record;
    const char* field;
    std::string expected;
    int64_t answer;
  };
  ArtRecord fil8{};
  fil8.kind = ArtKind::kUtf8Path;
  fil8.payload.utf8Path = kUtf8Path;
  ArtRecord flw2{};
  flw2.kind = ArtKind::kWidePathZ;
  flw2.payload.widePathZ = kWidePath;
  ArtRecord filw{};
  filw.kind = ArtKind::kCountedWidePath;
  filw.payload.countedWidePath.length = 6;  // only "C:\Art"
  filw.payload.countedWidePath.path = kWidePath;
  ArtRecord ibuf{};
  ibuf.kind = ArtKind::kImageBytes;
  ibuf.payload.image.bytes = kImage;
  ibuf.payload.image.byteCount = sizeof kImage;
  const Case cases[] = {{"Fil8", fil8, "path", kUtf8Path, kNoImage},
                        {"FlW2", flw2, "path", "C:\\Art\\front.png", kNoImage},
                        {"FilW", filw, "path", "C:\\Art", kNoImage},
                        {"IBuf", ibuf, "data", "89504e470d0a", kNoImage},
                        {"0x00000000", ArtRecord{}, "kind", "0x00000000", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    ArtRecord record = c.record;
    EXPECT_EQ(Send(HostRequest::kCoverArt, &record), c.answer);
    const JournalEntry entry = LastRequest();
    EXPECT_EQ(entry.Get("kind"), c.kind);
    EXPECT_EQ(entry.Get(c.field), c.expected);
    const std::vector<uint8_t> raw = HexBytes(entry.Get("raw"));
    ASSERT_EQ(raw.size(), sizeof record);
    EXPECT_EQ(std::memcmp(raw.data(), &record, sizeof record), 0);
  }
}

TEST_F(RequestTest, ScriptsInsetsAndQueriesAreAnswered) {
  EXPECT_EQ(Send(HostRequest::kMethod, const_cast<char*>("RollTheDice()")), 0);
  EXPECT_EQ(LastRequest().Get("script"), "RollTheDice()");
  EXPECT_EQ(Send(HostRequest::kMethod, const_cast<char*>("NoSuchScript()")), NVStatus::kNotHandled);
  EngineRect insets{0, 10, 0, 10};
  EXPECT_EQ(Send(HostRequest::kInsets, &insets), 0);
  EXPECT_EQ(LastRequest().Get("top"), "10");
  EXPECT_EQ(Send(HostRequest::kWritePreferences, nullptr), 0);
  EXPECT_GE(Send(HostRequest::kStopQuery, nullptr), 0);
}

TEST_F(RequestTest, RequestsThatNeedARecordRefuseNull) {
  const uint32_t codes[] = {HostRequest::kWindowRect, HostRequest::kEvent,
                            HostRequest::kTrack,      HostRequest::kSetPreference,
                            HostRequest::kCoverArt,   HostRequest::kMethod,
                            HostRequest::kInsets};
  for (uint32_t code : codes) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Send(code, nullptr), REFENGINE_STATUS_BAD_ARGUMENT);
  }
}

}  // namespace
}  // namespace refengine_test
