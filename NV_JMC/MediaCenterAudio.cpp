#include "NV_JMC/MediaCenterAudio.h"

#include <algorithm>
#include <cstring>

#include "NV_JMC/MediaCenterObjects.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"

namespace jmc {
namespace {

using text_rules::BoundedLength;

constexpr int32_t kMostTextUnits = TrackRecord::kTextUnits - 1;
constexpr uint32_t kTitleBit = 0x20;
constexpr uint32_t kArtistBit = 0x40;
constexpr uint32_t kAlbumBit = 0x80;

int32_t Signed(const uint8_t* block, size_t offset) { return int8_t(block[offset]); }

void CopyText(const char16_t* text, char16_t (&field)[TrackRecord::kTextUnits]) {
  const int32_t units = BoundedLength(text, kMostTextUnits);
  std::memcpy(field, text, size_t(units) * sizeof(char16_t));
  field[units] = 0;
}

int32_t ReadYear(const char16_t* text) {
  if (text == nullptr) return 0;
  const int32_t units = BoundedLength(text, kMostTextUnits);
  char utf8[kMostTextUnits * 3 + 1];
  const int32_t bytes = Utf16ToUtf8(text, units, utf8, int32_t(sizeof(utf8) - 1));
  return ParseInt32(utf8, std::clamp(bytes, 0, int32_t(sizeof(utf8) - 1)));
}

}  // namespace

void FillAudio(const uint8_t* block, AudioRequest* request) {
  if (block == nullptr || request == nullptr) return;
  const int32_t samples =
      request->samples != nullptr ? std::clamp(request->samplesWanted, 0, kMostWaveformValues) : 0;
  for (int32_t k = 0; k < samples; ++k) {
    const size_t j = size_t(2 * (kMostWaveformValues - samples) + 2 * k);
    request->samples[k] =
        float(Signed(block, kFirstWaveform + j) + Signed(block, kSecondWaveform + j)) *
        kWaveformScale;
  }
  request->samplesDelivered = samples;

  const int32_t bands =
      request->bands != nullptr ? std::clamp(request->bandsWanted, 0, kMostBands) : 0;
  for (int32_t k = 0; k < bands; ++k) {
    const size_t j = size_t(kFirstBandValue + 2 * k);
    request->bands[k] = float(block[kFirstSpectrum + j] + block[kFirstSpectrum + j + 1] +
                              block[kSecondSpectrum + j] + block[kSecondSpectrum + j + 1]);
  }
  request->bandsDelivered = bands;
}

void BuildTrackRecord(const TrackTexts& texts, TrackRecord* record) {
  std::memset(record, 0, sizeof(*record));
  record->size = TrackRecord::kSize;
  if (texts.title != nullptr) {
    record->mask |= kTitleBit;
    CopyText(texts.title, record->title);
  }
  if (texts.artist != nullptr) {
    record->mask |= kArtistBit;
    CopyText(texts.artist, record->artist);
  }
  if (texts.album != nullptr) {
    record->mask |= kAlbumBit;
    CopyText(texts.album, record->album);
  }
  record->year = ReadYear(texts.year);
}

}  // namespace jmc
