// The media center's sample block and texts as the engine receives them: which samples make
// the waveform, which values make the bands, and what goes into the track record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "NV_JMC/MediaCenterAudio.h"
#include "NV_JMC/MediaCenterObjects.h"
#include "players/jriver/KnownSampleBlock.h"
#include "vis_Omnihost/tests/EngineAudioRequest.h"

namespace {

using jmc::BuildTrackRecord;
using jmc::FillAudio;
using jmc::TrackTexts;

// The stand-in media center's block, whose every byte tells where it came from.
using jriver_standin::KnownSampleBlock;

float WaveformAt(int j) { return float((j % 100 - 50) + (j % 7)) * 0.0024f; }
float BandAt(int k) {
  const int j = 28 + 2 * k;
  return float(j % 200 + (j + 1) % 200 + j % 50 + (j + 1) % 50);
}

using Buffers = EngineAudioRequest;

TEST(MediaCenterAudio, WaveformTakesEverySecondSampleOfTheNewestPart) {
  struct Case {
    int32_t wanted;
    int32_t delivered;
    int firstSample;  // j of value 0
  };
  const Case cases[] = {
      {256, 256, 512}, {1000, 512, 0}, {512, 512, 0}, {1, 1, 1022}, {0, 0, 0}, {-5, 0, 0},
  };
  const std::vector<uint8_t> block = KnownSampleBlock();
  for (const Case& c : cases) {
    Buffers buffers(c.wanted, 0);
    FillAudio(block.data(), &buffers.record);
    ASSERT_EQ(buffers.record.samplesDelivered, c.delivered) << c.wanted;
    for (int k = 0; k < c.delivered; ++k)
      ASSERT_FLOAT_EQ(buffers.samples[k], WaveformAt(c.firstSample + 2 * k)) << c.wanted << " " << k;
    // Nothing beyond what was delivered was written.
    EXPECT_EQ(buffers.samples[c.delivered], EngineAudioRequest::kUntouched) << c.wanted;
  }
  // The two extremes of signed samples add and scale without wrapping.
  std::vector<uint8_t> loud(jmc::kSampleBlockBytes, 0x80);
  Buffers buffers(2, 0);
  FillAudio(loud.data(), &buffers.record);
  EXPECT_FLOAT_EQ(buffers.samples[0], -256 * 0.0024f);
}

TEST(MediaCenterAudio, BandsSumPairsOfBothChannelsUnscaled) {
  const std::vector<uint8_t> block = KnownSampleBlock();
  for (const int32_t wanted : {256, 232, 10, 0}) {
    Buffers buffers(0, wanted);
    FillAudio(block.data(), &buffers.record);
    const int32_t delivered = wanted < 232 ? wanted : 232;
    ASSERT_EQ(buffers.record.bandsDelivered, delivered) << wanted;
    for (int k = 0; k < delivered; ++k) ASSERT_FLOAT_EQ(buffers.bands[k], BandAt(k)) << k;
    EXPECT_EQ(buffers.bands[delivered], EngineAudioRequest::kUntouched) << wanted;
  }
  std::vector<uint8_t> full(jmc::kSampleBlockBytes, 0xFF);
  Buffers buffers(0, 1);
  FillAudio(full.data(), &buffers.record);
  EXPECT_FLOAT_EQ(buffers.bands[0], 1020.0f);
}

TEST(MediaCenterAudio, RequestsWithoutBuffersDeliverNothing) {
  const std::vector<uint8_t> block = KnownSampleBlock();
  AudioRequest request = {};
  request.samplesWanted = 512;
  request.bandsWanted = 64;
  FillAudio(block.data(), &request);
  EXPECT_EQ(request.samplesDelivered, 0);
  EXPECT_EQ(request.bandsDelivered, 0);
  FillAudio(nullptr, &request);  // no block: nothing happens
  FillAudio(block.data(), nullptr);
}

std::u16string Units(const TrackRecord& record, const char16_t (&field)[256]) {
  (void)record;
  return std::u16string(field);
}

TEST(MediaCenterAudio, TrackRecordMarksAndCopiesTheTextsThatAreThere) {
  struct Case {
    const char* name;
    const char16_t* title;
    const char16_t* artist;
    const char16_t* album;
    const char16_t* year;
    uint32_t mask;
    int32_t yearValue;
  };
  const Case cases[] = {
      {"all", u"Song", u"Band", u"Record", u"2004", 0xE0, 2004},
      {"no album", u"Song", u"Band", nullptr, nullptr, 0x60, 0},
      {"title alone", u"Song", nullptr, nullptr, u"", 0x20, 0},
      {"nothing", nullptr, nullptr, nullptr, nullptr, 0, 0},
      {"empty texts count", u"", u"", u"", u" 1999 (remaster)", 0xE0, 1999},
      {"no number", u"S", nullptr, nullptr, u"unknown", 0x20, 0},
  };
  for (const Case& c : cases) {
    TrackRecord record;
    std::memset(&record, 0xCC, sizeof(record));
    BuildTrackRecord({c.title, c.artist, c.album, c.year}, &record);
    EXPECT_EQ(record.size, TrackRecord::kSize) << c.name;
    EXPECT_EQ(record.mask, c.mask) << c.name;
    EXPECT_EQ(record.year, c.yearValue) << c.name;
    EXPECT_EQ(Units(record, record.title), c.title ? c.title : u"") << c.name;
    EXPECT_EQ(Units(record, record.artist), c.artist ? c.artist : u"") << c.name;
    EXPECT_EQ(Units(record, record.album), c.album ? c.album : u"") << c.name;
    for (uint8_t byte : record.reserved3) ASSERT_EQ(byte, 0) << c.name;
  }
}

TEST(MediaCenterAudio, TextsWithoutTerminatorAreCutAt255Units) {
  // 300 units and no terminator anywhere in reach of the copy.
  std::vector<char16_t> endless(300, u'x');
  std::vector<char16_t> digits(300, u'7');
  TrackRecord record;
  BuildTrackRecord({endless.data(), endless.data(), endless.data(), digits.data()}, &record);
  EXPECT_EQ(std::u16string(record.title), std::u16string(255, u'x'));
  EXPECT_EQ(std::u16string(record.album), std::u16string(255, u'x'));
  EXPECT_EQ(record.title[255], 0);
}

}  // namespace
