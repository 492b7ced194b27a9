// JmcVisualHost in the test's own process, with the reference engine bound directly and the
// stand-in media center's visualization objects (players/jriver/VisObjects.h) handed out by a
// media center access of the test's own: the frame rate from every kind of preference answer,
// the audio values from the known sample block, the track record and the album-art file, and
// each object destroyed exactly once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "NV_JMC/JmcIdentity.h"
#include "NV_JMC/win/JmcVisualHost.h"
#include "players/jriver/JRiverStandInControl.h"
#include "players/jriver/VisObjects.h"
#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/ReferenceEngine.h"
#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using jmc::JmcVisualHost;
using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;
using refengine_journal::ParseJournalLine;
using refengine_journal::ReadJournal;
namespace call = jriver_standin::call;

// What the media center's objects were asked, as the stand-in journals it.
std::vector<JournalEntry> gMediaCenter;
void Collect(refengine::JournalLine line) { gMediaCenter.push_back(ParseJournalLine(line.str())); }

// The media center as the host reaches it: a counted automation object and the stand-in's
// objects behind method 35.
struct FakeMediaCenter {
  static inline LONG references = 0;
  static inline int connects = 0;
  static inline bool available = true;
  static inline jriver_standin::VisContent content;
  static inline int32_t pendingChanges = 0;
  static inline int32_t visDestroyed = 0;
  static inline int32_t redrawDestroyed = 0;

  static ULONG STDMETHODCALLTYPE AddRef(IDispatch*) { return ULONG(++references); }
  static ULONG STDMETHODCALLTYPE Release(IDispatch*) { return ULONG(--references); }
  static IDispatch* Connect() {
    ++connects;
    if (!available) return nullptr;
    ++references;
    return &automation;
  }
  static uintptr_t Object(IDispatch*, const wchar_t* name, const wchar_t* argument) {
    gMediaCenter.push_back(ParseJournalLine(
        refengine::JournalLine(call::kMethod35)
            .Text("name", refengine::WideToUtf8(reinterpret_cast<const char16_t*>(name), 64))
            .Text("argument", refengine::WideToUtf8(reinterpret_cast<const char16_t*>(argument), 64))
            .str()));
    if (std::wstring(name) == jmc::kVisDataName)
      return reinterpret_cast<uintptr_t>(jriver_standin::NewVisData(
          content, std::exchange(pendingChanges, 0), &Collect, &visDestroyed));
    return reinterpret_cast<uintptr_t>(jriver_standin::NewRedrawHelper(&Collect, &redrawDestroyed));
  }

  static inline const IDispatchVtbl table = {
      .QueryInterface = nullptr,
      .AddRef = AddRef,
      .Release = Release,
      .GetTypeInfoCount = nullptr,
      .GetTypeInfo = nullptr,
      .GetIDsOfNames = nullptr,
      .Invoke = nullptr,
  };
  static inline IDispatch automation = {&table};
  static inline const jmc::MediaCenterAccess access = {&Connect, &Object};
};

class JmcVisualHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gMediaCenter.clear();
    FakeMediaCenter::references = 0;
    FakeMediaCenter::connects = 0;
    FakeMediaCenter::available = true;
    FakeMediaCenter::content = {};
    FakeMediaCenter::pendingChanges = 0;
    FakeMediaCenter::visDestroyed = 0;
    FakeMediaCenter::redrawDestroyed = 0;
    mLibrary = NewReferenceEngineLibrary();
    mHost = new JmcVisualHost(mLibrary, FakeMediaCenter::access);
    mHost->StartInstance();
    mControl = EngineControl(ReferenceEnginePath());
    ASSERT_NE(mControl, nullptr);
    mControl->Reset();
  }
  void TearDown() override {
    if (mHost != nullptr) ReleaseHost();
    mLibrary->Release();
  }
  void ReleaseHost() {
    mHost->Release();
    mHost = nullptr;
    // The data object went with the host, and the automation object was given back.
    EXPECT_EQ(FakeMediaCenter::references, 0);
  }

  EngineLibrary* mLibrary = nullptr;
  JmcVisualHost* mHost = nullptr;
  const RefEngineControlApi* mControl = nullptr;
};

TEST_F(JmcVisualHostTest, FrameRateComesFromThePreferenceOfAnyKind) {
  struct Case {
    const char* name;
    uint32_t type;  // 0: no answer; 's': a text
    int64_t integer;
    double number;
    const char* text;
    float expected;
  };
  const Case cases[] = {
      {"no answer", 0, 0, 0, nullptr, 40.0f},
      {"integer", 'i', 25, 0, nullptr, 25.0f},
      {"64-bit integer", 'I', 60, 0, nullptr, 60.0f},
      {"character", 'c', 30, 0, nullptr, 30.0f},
      {"boolean", 'b', 1, 0, nullptr, 1.0f},
      {"double", 'F', 0, 50.5, nullptr, 50.5f},
      {"float", 'f', 0, 24.25, nullptr, 24.25f},
      {"text", 's', 0, 0, "33.5", 33.5f},
      {"pointer", '*', 77, 0, nullptr, 40.0f},
      // Rates the media center cannot pace by keep the default.
      {"zero", 'i', 0, 0, nullptr, 40.0f},
      {"negative", 'F', 0, -12, nullptr, 40.0f},
      {"no number", 's', 0, 0, "fast", 40.0f},
  };
  for (const Case& c : cases) {
    mControl->Reset();
    if (c.type == 's')
      mControl->SetPreferenceText(jmc::kFrameRatePreference, c.text);
    else if (c.type != 0)
      mControl->SetPreferenceNumber(jmc::kFrameRatePreference, c.type, c.integer, c.number);
    EXPECT_FLOAT_EQ(mHost->FrameRate(), c.expected) << c.name;
  }
}

TEST_F(JmcVisualHostTest, AudioAndTrackComeFromTheDataObject) {
  FakeMediaCenter::pendingChanges = 1;
  mHost->ConnectMediaCenter();
  ASSERT_NE(mHost->DataObject(), nullptr);
  EXPECT_EQ(FakeMediaCenter::connects, 1);

  const std::vector<uint8_t> block = jriver_standin::KnownSampleBlock();
  const auto wave = [&block](int j) {
    return float(int8_t(block[j]) + int8_t(block[1024 + j])) * 0.0024f;
  };
  EngineAudioRequest request(256, 256);
  EXPECT_EQ(mHost->OnEngineRequest(EngineRequest::kGetSamples, &request.record, nullptr), 0);
  ASSERT_EQ(request.record.samplesDelivered, 256);
  for (int k = 0; k < 256; ++k) ASSERT_FLOAT_EQ(request.samples[k], wave(512 + 2 * k)) << k;
  ASSERT_EQ(request.record.bandsDelivered, 232);
  EXPECT_FLOAT_EQ(request.bands[0], float(block[2048 + 28] + block[2048 + 29] + block[2560 + 28] +
                                          block[2560 + 29]));
  EXPECT_EQ(request.bands[232], EngineAudioRequest::kUntouched);

  // The change query first (with 3), the texts of the track, the refresh, then the block.
  std::vector<std::string> calls;
  for (const JournalEntry& entry : gMediaCenter) calls.push_back(entry.call);
  EXPECT_EQ(calls, (std::vector<std::string>{"Method35", "VisChanged", "VisText", "VisText",
                                             "VisText", "VisText", "VisRefresh", "VisSamples"}));
  EXPECT_EQ(EntriesOf(gMediaCenter, call::kVisChanged)[0].Number("what"), 3);
  const auto tracks = EntriesOf(ReadJournal(mControl), "Request", "Trck");
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0].Get("title"), "Night Drive");
  EXPECT_EQ(tracks[0].Number("year"), 2004);

  // The next request finds no change: no track, the audio again.
  EngineAudioRequest all(1000, 10);
  EXPECT_EQ(mHost->HandleGetS(&all.record), 0);
  EXPECT_EQ(all.record.samplesDelivered, 512);
  EXPECT_FLOAT_EQ(all.samples[0], wave(0));
  EXPECT_EQ(EntriesOf(ReadJournal(mControl), "Request", "Trck").size(), 1u);

  // Connecting again destroys the first data object before taking a new one; no second
  // connection is made.
  mHost->ConnectMediaCenter();
  EXPECT_EQ(FakeMediaCenter::visDestroyed, 1);
  EXPECT_EQ(FakeMediaCenter::connects, 1);
  ReleaseHost();
  EXPECT_EQ(FakeMediaCenter::visDestroyed, 2);
}

TEST_F(JmcVisualHostTest, AlbumArtIsTheDataObjectsFileName) {
  ArtRecord art = {};
  EXPECT_EQ(mHost->HandleGArt(&art), jmc::kNoArtFile);  // no data object
  mHost->ConnectMediaCenter();
  EXPECT_EQ(mHost->HandleGArt(&art), jmc::kNoArtFile);  // an empty file name
  EXPECT_EQ(mHost->HandleGArt(nullptr), jmc::kNoArtFile);
  EXPECT_EQ(art.kind, 0u);

  FakeMediaCenter::content.artFile = u"C:\\Covers\\front.jpg";
  mHost->ConnectMediaCenter();
  ASSERT_EQ(mHost->HandleGArt(&art), 0);
  EXPECT_EQ(art.kind, ArtKind::kCountedWidePath);
  EXPECT_EQ(art.payload.countedWidePath.length, 19u);
  EXPECT_EQ(std::u16string(art.payload.countedWidePath.path), u"C:\\Covers\\front.jpg");
  // The name stays the data object's: giving it back changes nothing.
  const ArtRecord given = art;
  EXPECT_EQ(mHost->HandleRArt(&art), 0);
  EXPECT_EQ(art.payload.countedWidePath.path, given.payload.countedWidePath.path);
  // Image bytes this host never handed out are let go of, not freed.
  ArtRecord image = {};
  image.kind = ArtKind::kImageBytes;
  static const uint8_t bytes[4] = {1, 2, 3, 4};
  image.payload.image.bytes = bytes;
  image.payload.image.byteCount = 4;
  EXPECT_EQ(mHost->HandleRArt(&image), 0);
  EXPECT_EQ(image.payload.image.bytes, nullptr);
  EXPECT_EQ(image.payload.image.byteCount, 0u);
  EXPECT_EQ(mHost->HandleRArt(nullptr), 0);
}

TEST_F(JmcVisualHostTest, WithoutAMediaCenterNothingIsDelivered) {
  FakeMediaCenter::available = false;
  mHost->ConnectMediaCenter();
  EXPECT_EQ(mHost->DataObject(), nullptr);
  EngineAudioRequest request(512, 64);
  EXPECT_EQ(mHost->HandleGetS(&request.record), 0);
  EXPECT_EQ(request.record.samplesDelivered, -1);  // untouched
  ArtRecord art = {};
  EXPECT_EQ(mHost->HandleGArt(&art), jmc::kNoArtFile);
  // The next connection tries again.
  mHost->ConnectMediaCenter();
  EXPECT_EQ(FakeMediaCenter::connects, 2);
  EXPECT_TRUE(gMediaCenter.empty());
}

}  // namespace
