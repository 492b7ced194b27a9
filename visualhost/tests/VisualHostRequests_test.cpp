// What the host base asks of the engine besides input: preferences, track information and
// line lists, with the exact records the engine receives and how its answers come back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "utility/Variant.h"
#include "utility/XPtrList.h"
#include "visualhost/host/HostDescriptors.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/tests/FakeEngine.h"
#include "visualhost/tests/FakeEngineHostTest.h"

namespace {

// A list that owns the texts the host adds.
class TextList : public XPtrList {
 public:
  ~TextList() override { RemoveAll(); }
  void OnRemove(int32_t first, int32_t last) override {
    for (int32_t i = first; i <= last; ++i) delete static_cast<UtilStr*>(Get(i));
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int32_t i = 1; i <= Count(); ++i) {
      const auto* text = static_cast<const UtilStr*>(Get(i));
      texts.emplace_back(text->Text(), size_t(text->Length()));
    }
    return texts;
  }
  static int32_t CompareTexts(void* a, void* b, int64_t) {
    return std::strcmp(static_cast<UtilStr*>(b)->Text(), static_cast<UtilStr*>(a)->Text());
  }
};

class RequestsTest : public FakeEngineHostTest<VisualHost> {
 protected:
  void SetUp() override {
    FakeEngineHostTest::SetUp();
    engine.calls.clear();
    engine.answers[HostRequest::kTrack] = {0};
  }

  // The engine answers the next preference request with this record and answer.
  void AnswerPreference(int64_t answer, PreferenceAnswer record) {
    engine.respond = [answer, record](uint32_t, void*, void* out) {
      if (out != nullptr) std::memcpy(out, &record, sizeof record);
      return answer;
    };
  }
  // The engine answers list requests with this text (null: none) and status.
  void AnswerList(int64_t status, const char* text, int32_t length) {
    engine.respond = [status, text, length](uint32_t, void*, void* out) {
      auto* answer = static_cast<ListAnswer*>(out);
      answer->text = text;
      answer->length = length;
      return status;
    };
  }
};

PreferenceAnswer Preference(uint32_t type, int32_t length, int64_t integer) {
  PreferenceAnswer answer = {};
  answer.type = type;
  answer.length = length;
  answer.value.integer = integer;
  return answer;
}

TEST_F(RequestsTest, PreferenceOfEachTypeLetterBecomesATaggedValue) {
  static const char text[] = "plain text";
  static const char16_t wide[] = u"wide";
  PreferenceAnswer real = Preference('F', 0, 0);
  real.value.real = 2.5;
  PreferenceAnswer single = Preference('f', 0, 0);
  single.value.single = 0.25f;
  PreferenceAnswer pointer = Preference('*', 0, 0);
  pointer.value.pointer = text;
  PreferenceAnswer utf8 = Preference('s', 5, 0);
  utf8.value.pointer = text;
  PreferenceAnswer zeroTerminated = Preference('s', -1, 0);
  zeroTerminated.value.pointer = text;
  PreferenceAnswer utf16 = Preference('W', 8, 0);
  utf16.value.pointer = wide;
  struct Case {
    const char* name;
    PreferenceAnswer record;
    int32_t type;
    int64_t integer;
    double real;
    std::string text;
  };
  const Case cases[] = {
      {"i", Preference('i', 0, -7), VariantType::kInteger, -7, 0, ""},
      {"I", Preference('I', 0, 1LL << 40), VariantType::kInteger, 1LL << 40, 0, ""},
      {"c", Preference('c', 0, 99), VariantType::kInteger, 99, 0, ""},
      {"C", Preference('C', 0, 0x41424344), VariantType::kInteger, 0x41424344, 0, ""},
      {"b", Preference('b', 0, 5), VariantType::kInteger, 1, 0, ""},
      {"F", real, VariantType::kFloat, 0, 2.5, ""},
      {"f", single, VariantType::kFloat, 0, 0.25, ""},
      {"*", pointer, VariantType::kPointer, int64_t(reinterpret_cast<intptr_t>(text)), 0, ""},
      {"s with length", utf8, VariantType::kText, 0, 0, "plain"},
      {"s zero-terminated", zeroTerminated, VariantType::kText, 0, 0, "plain text"},
      {"W", utf16, VariantType::kText, 0, 0, "wide"},
      {"unknown letter", Preference('?', 0, 3), VariantType::kNone, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    engine.calls.clear();
    AnswerPreference(1, c.record);
    Variant value;
    value.text = "stale";
    EXPECT_TRUE(host->GetPreference("Some.Name", &value));
    EXPECT_EQ(value.type, c.type);
    EXPECT_EQ(value.integer, c.integer);
    EXPECT_EQ(value.real, c.real);
    EXPECT_STREQ(value.text.Text(), c.text.c_str());
    const auto requests = engine.RequestsOf(HostRequest::kGetPreference);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].name, "Some.Name");
    EXPECT_EQ(requests[0].instance, host->Instance());
  }
}

TEST_F(RequestsTest, PreferenceTheEngineDoesNotHaveIsNoValue) {
  // The engine leaves a type letter behind but answers 0: no value.
  AnswerPreference(0, Preference('i', 0, 42));
  Variant value;
  value.type = VariantType::kInteger;
  value.integer = 5;
  EXPECT_FALSE(host->GetPreference("Missing", &value));
  EXPECT_EQ(value.type, VariantType::kNone);
  EXPECT_EQ(value.integer, 0);
  // Without an output the answer still tells whether there is a value.
  AnswerPreference(1, Preference('i', 0, 42));
  EXPECT_TRUE(host->GetPreference("Present", nullptr));
  EXPECT_EQ(engine.RequestsOf(HostRequest::kGetPreference).size(), 2u);
}

TEST_F(RequestsTest, PreferenceRecordStartsZeroed) {
  PreferenceAnswer seen = Preference(1, 1, 1);
  engine.respond = [&seen](uint32_t, void*, void* out) {
    std::memcpy(&seen, out, sizeof seen);
    return int64_t(0);
  };
  host->GetPreference("Name", nullptr);
  const PreferenceAnswer zero = {};
  EXPECT_EQ(std::memcmp(&seen, &zero, sizeof seen), 0);
}

TEST_F(RequestsTest, PreferenceWithoutATableOrNameAsksNothing) {
  Variant value;
  value.type = VariantType::kInteger;
  EXPECT_FALSE(host->GetPreference(nullptr, &value));
  EXPECT_EQ(value.type, VariantType::kNone);
  host->AttachEngine(nullptr);
  EXPECT_FALSE(host->GetPreference("Name", &value));
  EXPECT_TRUE(engine.RequestsOf(HostRequest::kGetPreference).empty());
}

// The track record as the engine receives it.
TrackRecord ReceivedTrack() {
  const auto requests = FakeEngine::Get().RequestsOf(HostRequest::kTrack);
  TrackRecord track;
  std::memset(&track, 0xCC, sizeof track);
  EXPECT_EQ(requests.size(), 1u);
  if (requests.size() != 1 || requests[0].record.size() != sizeof track) return track;
  std::memcpy(&track, requests[0].record.data(), sizeof track);
  return track;
}

std::u16string Field(const char16_t (&field)[TrackRecord::kTextUnits]) {
  return std::u16string(field);
}

TEST_F(RequestsTest, TrackInfoRecordHoldsTheTextsAsUtf16AndNothingElse) {
  host->SendTrackInfo(UtilStr("Caf\xC3\xA9"), UtilStr("\xF0\x9F\x8E\xB5 Band"), UtilStr(""), -1999);
  const TrackRecord track = ReceivedTrack();
  TrackRecord expected;
  std::memset(&expected, 0, sizeof expected);
  expected.size = 3100;
  expected.mask = 0xE0;
  expected.year = -1999;
  std::memcpy(expected.title, u"Caf\u00E9", 5 * sizeof(char16_t));
  std::memcpy(expected.artist, u"\U0001F3B5 Band", 8 * sizeof(char16_t));
  EXPECT_EQ(Field(track.title), u"Caf\u00E9");
  EXPECT_EQ(Field(track.artist), u"\U0001F3B5 Band");
  EXPECT_EQ(Field(track.album), u"");
  EXPECT_EQ(std::memcmp(&track, &expected, sizeof track), 0);
  EXPECT_EQ(engine.RequestsOf(HostRequest::kTrack)[0].instance, host->Instance());
}

TEST_F(RequestsTest, TrackTextsAreCutAt255Units) {
  struct Case {
    const char* name;
    std::string text;
    std::u16string expected;
  };
  const std::string pair = "\xF0\x9F\x8E\xB5";  // one character, two UTF-16 units
  const Case cases[] = {
      {"255 units fit", std::string(255, 'a'), std::u16string(255, u'a')},
      {"256 units are cut", std::string(300, 'b'), std::u16string(255, u'b')},
      {"a pair that would not fit whole is left out", std::string(254, 'c') + pair,
       std::u16string(254, u'c')},
      {"a pair that fits", std::string(253, 'd') + pair, std::u16string(253, u'd') + u"\U0001F3B5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    engine.calls.clear();
    host->SendTrackInfo(UtilStr(c.text.c_str()), UtilStr(c.text.c_str()), UtilStr(c.text.c_str()),
                        2001);
    const TrackRecord track = ReceivedTrack();
    EXPECT_EQ(Field(track.title), c.expected);
    EXPECT_EQ(Field(track.artist), c.expected);
    EXPECT_EQ(Field(track.album), c.expected);
    EXPECT_EQ(track.title[255], 0);
    EXPECT_EQ(track.year, 2001);
  }
}

TEST_F(RequestsTest, TrackInfoWithoutATableIsNotSent) {
  host->AttachEngine(nullptr);
  engine.calls.clear();
  host->SendTrackInfo(UtilStr("t"), UtilStr("a"), UtilStr("b"), 1);
  EXPECT_TRUE(engine.calls.empty());
}

TEST_F(RequestsTest, ListLinesAreCutAtTheirFirstTabAndEmptyLinesSkipped) {
  static const char text[] = "First\tdescription\r\n\r\nSecond\n\n\nthird\tx\ty\nlast";
  AnswerList(0, text, int32_t(sizeof text - 1));
  TextList list;
  list.Add(new UtilStr("left over"));
  EXPECT_EQ(host->RequestList(FourCC("Lst1"), &list), 0);
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"First", "Second", "third", "last"}));
  const auto requests = engine.RequestsOf(FourCC("Lst1"));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].instance, host->Instance());
}

TEST_F(RequestsTest, ListReadsOnlyTheGivenLengthAndCopiesTheText) {
  char text[] = "alpha\nbeta\ngamma";
  AnswerList(0, text, 10);  // "alpha\nbeta"
  TextList list;
  EXPECT_EQ(host->RequestList(FourCC("Lst2"), &list), 0);
  text[0] = 'X';  // the engine's text may change once the request is answered
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"alpha", "beta"}));
}

TEST_F(RequestsTest, ListInSortedModeComesOutSorted) {
  static const char text[] = "pear\napple\tfruit\nfig\n";
  AnswerList(0, text, int32_t(sizeof text - 1));
  TextList list;
  list.SetComparator(&TextList::CompareTexts, 0);
  list.SetMode(XPtrList::kSorted);
  EXPECT_EQ(host->RequestList(FourCC("Lst3"), &list), 0);
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"apple", "fig", "pear"}));
}

TEST_F(RequestsTest, ListStatusesEmptyTheListAlways) {
  struct Case {
    const char* name;
    int64_t status;
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"text delivered, no lines", 0, "\r\n\n", 0},
      {"no text", 0, nullptr, NVStatus::kNotHandled},
      {"engine refuses", 55333, "ignored\n", 55333},
      {"engine does not know the code", NVStatus::kNotHandled, nullptr, NVStatus::kNotHandled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnswerList(c.status, c.text, c.text != nullptr ? int32_t(std::strlen(c.text)) : 0);
    TextList list;
    list.Add(new UtilStr("left over"));
    EXPECT_EQ(host->RequestList(FourCC("Lst4"), &list), c.expected);
    EXPECT_EQ(list.Count(), 0);
  }
}

TEST_F(RequestsTest, ListWithoutATableIs55012) {
  host->AttachEngine(nullptr);
  engine.calls.clear();
  TextList list;
  list.Add(new UtilStr("left over"));
  EXPECT_EQ(host->RequestList(FourCC("Lst5"), &list), NVStatus::kNotHandled);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(host->RequestList(FourCC("Lst5"), nullptr), NVStatus::kNotHandled);
  EXPECT_TRUE(engine.calls.empty());
}

TEST_F(RequestsTest, FullscreenQueryNeedsAnInstanceAndANonZeroAnswer) {
  engine.answers[HostRequest::kIsFullscreen] = {0, 1, -5};
  EXPECT_FALSE(host->IsFullscreen());
  EXPECT_TRUE(host->IsFullscreen());
  EXPECT_TRUE(host->IsFullscreen());
  EXPECT_EQ(engine.RequestsOf(HostRequest::kIsFullscreen).size(), 3u);
  host->StopInstance();
  engine.calls.clear();
  EXPECT_FALSE(host->IsFullscreen());
  EXPECT_TRUE(engine.calls.empty());
}

// A host whose handlers answer 0 and count their calls.
class FullscreenHost : public VisualHost {
 public:
  int32_t HandleFSSt(bool flag, void*, void*) override { return Note("FSSt", flag); }
  int32_t HandleFSEd(bool flag, void*, void*) override { return Note("FSEd", flag); }
  int32_t HandleFSHt(bool flag, void*, void*) override { return Note("FSHt", flag); }
  std::vector<std::string> notes;

 private:
  int32_t Note(const char* name, bool flag) {
    notes.push_back(std::string(name) + (flag ? "+" : "-"));
    return 0;
  }
};

TEST_F(RequestsTest, FullscreenStartAndEndAreReportedNotHandledWhateverTheHostDoes) {
  auto* fullscreen = new FullscreenHost();
  int marker = 0;
  EXPECT_EQ(fullscreen->OnEngineRequest(EngineRequest::kFullscreenStarted, &marker, nullptr),
            NVStatus::kNotHandled);
  EXPECT_EQ(fullscreen->OnEngineRequest(EngineRequest::kFullscreenEnded, nullptr, nullptr),
            NVStatus::kNotHandled);
  EXPECT_EQ(fullscreen->OnEngineRequest(EngineRequest::kFullscreenHost, &marker, nullptr), 0);
  EXPECT_EQ(fullscreen->OnEngineRequest(EngineRequest::kFullscreenHost, nullptr, nullptr), 0);
  EXPECT_EQ(fullscreen->OnEngineRequest(EngineRequest::kFullscreenPrepare, &marker, nullptr),
            NVStatus::kNotHandled);
  EXPECT_EQ(fullscreen->notes, (std::vector<std::string>{"FSSt+", "FSEd-", "FSHt+", "FSHt-"}));
  fullscreen->Release();
}

}  // namespace
