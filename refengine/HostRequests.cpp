#include "refengine/HostRequests.h"

#include <algorithm>
#include <cstring>

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

void FetchAudio(Instance& instance) {
  AudioFeed& audio = instance.audio;
  AudioRequest request{};
  request.size = int32_t(sizeof request);
  request.samplesWanted = AudioFeed::kSamples;
  request.samples = audio.samples;
  request.bandsWanted = AudioFeed::kBands;
  request.spectrumParams = &audio.params;
  request.bands = audio.bands;
  request.timeField = int64_t(instance.scene.frames);
  request.requestTimeMs = int64_t(GetTickCount64());
  const int32_t status = AskHost(instance, EngineRequest::kGetSamples, &request, nullptr,
                                 [&request](JournalLine& line) {
                                   line.Number("samplesWanted", request.samplesWanted)
                                       .Number("samplesDelivered", request.samplesDelivered)
                                       .Number("bandsWanted", request.bandsWanted)
                                       .Number("bandsDelivered", request.bandsDelivered);
                                 });
  // A host may report more than it was allowed to write; never read past the buffers.
  audio.samplesDelivered =
      status == 0 ? std::clamp(request.samplesDelivered, 0, AudioFeed::kSamples) : 0;
  audio.bandsDelivered = status == 0 ? std::clamp(request.bandsDelivered, 0, AudioFeed::kBands) : 0;
}

void FetchArt(Instance& instance) {
  instance.artWanted = false;
  ArtRecord art{};
  const int32_t status = AskHost(instance, EngineRequest::kGetArt, &art, nullptr,
                                 [&art](JournalLine& line) { DescribeArt(line, art); });
  if (status != 0 || art.kind == ArtKind::kNone) return;
  AskHost(instance, EngineRequest::kReleaseArt, &art, nullptr,
          [&art](JournalLine& line) { DescribeArt(line, art); });
}

}  // namespace refengine
