#include "refengine/HostRequests.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "refengine/CoverArt.h"
#include "refengine/EngineClock.h"
#include "refengine/Journal.h"
#include "refengine/RecordJournal.h"

namespace refengine {

int32_t AskHost(const Instance& instance, uint32_t code, void* in, void* out,
                const std::function<void(JournalLine&)>& describe) {
  const int32_t status = instance.callback ? instance.callback(instance.userData, code, in, out)
                                           : NVStatus::kNotHandled;
  JournalLine line("Callback");
  line.Number("instance", instance.handle).Code("code", code).Number("status", status);
  if (describe) describe(line);
  WriteJournal(line);
  return status;
}

namespace {

// What the host delivered, in brief: the newest sample in millionths and the strongest band
// (-1 without bands), read only within the engine's own buffers.
void DescribeDeliveredAudio(JournalLine& line, const AudioRequest& request,
                            const AudioFeed& audio) {
  const int32_t samples = std::clamp(request.samplesDelivered, 0, AudioFeed::kSamples);
  if (samples > 0) {
    line.Number("newestSampleMicro", std::llround(double(audio.samples[samples - 1]) * 1e6));
  }
  const int32_t bands = std::clamp(request.bandsDelivered, 0, AudioFeed::kBands);
  int32_t strongest = -1;
  for (int32_t k = 0; k < bands; ++k) {
    if (strongest < 0 || audio.bands[k] > audio.bands[strongest]) strongest = k;
  }
  line.Number("strongestBand", strongest);
}

}  // namespace

AudioRequest AudioRequestFor(Instance& instance) {
  AudioFeed& audio = instance.audio;
  AudioRequest request{};
  request.size = int32_t(sizeof request);
  request.samplesWanted = AudioFeed::kSamples;
  request.samples = audio.samples;
  request.bandsWanted = AudioFeed::kBands;
  request.spectrumParams = &audio.params;
  request.bands = audio.bands;
  return request;
}

namespace {

// The largest magnitude among the delivered samples, in thousandths, so that a test can tell
// silence from sound without a copy of every value.
int64_t PeakMilli(const AudioRequest& request) {
  const int32_t count = std::clamp(request.samplesDelivered, 0, request.samplesWanted);
  float peak = 0.0f;
  for (int32_t i = 0; request.samples != nullptr && i < count; ++i) {
    peak = std::max(peak, request.samples[i] < 0 ? -request.samples[i] : request.samples[i]);
  }
  return int64_t(peak * 1000.0f + 0.5f);
}

// The newest sample delivered, in thousandths (0 when none): with the request's time it says
// when a sound reached the engine's waveform.
int64_t NewestMilli(const AudioFeed& audio, const AudioRequest& request) {
  const int delivered = std::clamp(request.samplesDelivered, 0, AudioFeed::kSamples);
  return delivered > 0 ? std::lround(audio.samples[delivered - 1] * 1000.0f) : 0;
}

}  // namespace

void FetchAudio(Instance& instance) {
  AudioFeed& audio = instance.audio;
  AudioRequest request = AudioRequestFor(instance);
  request.timeField = int64_t(instance.scene.frames);
  request.requestTimeMs = int64_t(ClockMs());
  const int32_t status = AskHost(instance, EngineRequest::kGetSamples, &request, nullptr,
                                 [&request, &audio](JournalLine& line) {
                                   line.Number("samplesWanted", request.samplesWanted)
                                       .Number("samplesDelivered", request.samplesDelivered)
                                       .Number("bandsWanted", request.bandsWanted)
                                       .Number("bandsDelivered", request.bandsDelivered)
                                       .Number("peakMilli", PeakMilli(request))
                                       .Number("time", request.requestTimeMs)
                                       .Number("newest", NewestMilli(audio, request));
                                   DescribeDeliveredAudio(line, request, audio);
                                 });
  // A host may report more than it was allowed to write; never read past the buffers.
  audio.samplesDelivered =
      status == 0 ? std::clamp(request.samplesDelivered, 0, AudioFeed::kSamples) : 0;
  audio.bandsDelivered = status == 0 ? std::clamp(request.bandsDelivered, 0, AudioFeed::kBands) : 0;
}

void FetchArt(Instance& instance) {
  instance.artWanted = false;
  const bool earlierTrack = instance.coverOfEarlierTrack;
  instance.coverOfEarlierTrack = false;
  ArtRecord art{};
  const int32_t status = AskHost(instance, EngineRequest::kGetArt, &art, nullptr,
                                 [&art](JournalLine& line) { DescribeArt(line, art); });
  std::shared_ptr<const CoverImage> cover;
  if (status == 0 && art.kind != ArtKind::kNone) {
    // The host owns what the record points to until it is handed back, so decode first.
    const int32_t decoded = DecodeArt(art, &cover);
    AskHost(instance, EngineRequest::kReleaseArt, &art, nullptr,
            [&art, decoded](JournalLine& line) {
              DescribeArt(line, art);
              line.Number("decoded", decoded);
            });
  }
  // A cover the host pushed since the track changed stays; the last track's cover does not.
  if (cover) {
    instance.cover = std::move(cover);
  } else if (earlierTrack) {
    instance.cover.reset();
  }
}

}  // namespace refengine
