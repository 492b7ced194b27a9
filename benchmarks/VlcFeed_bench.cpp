// The VLC module's audio feed on VLC's audio thread and on the session thread:
//  - pushing one second of 5.1 audio at 48 kHz in VLC-sized blocks, against a plain copy of
//    the same bytes (the least any filter that keeps the audio must do), with a count of the
//    allocations made after the first block;
//  - one engine request of 512 samples and 512 bands from a feed, against computing the same
//    bands from the same samples alone.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numbers>
#include <vector>

#include "NV_VLC/AudioFeed.h"
#include "NV_VLC/CountedRef.h"
#include "benchmarks/BenchRatio.h"
#include "visualhost/audio/SampleBlock.h"
#include "visualhost/audio/SpectrumAnalyzer.h"
#include "visualhost/audio/SpectrumBands.h"

namespace {

std::atomic<int64_t> gAllocations{0};

}  // namespace

// Counts every allocation of this program, so that the push benchmark can show it makes none.
// GCC pairs the replaced operators' malloc and free with the inlined new and delete
// expressions and warns of a mismatch that is not one.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

namespace {

constexpr int32_t kRate = 48000;
constexpr int32_t kChannels = 6;
constexpr int32_t kLfeSlot = 5;
constexpr int32_t kBlockFrames = 4096;  // VLC hands over blocks of 2205 to 4096 frames

std::vector<float> SurroundSecond() {
  std::vector<float> samples(static_cast<size_t>(kRate) * kChannels);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = 0.3f * static_cast<float>(std::sin(0.001 * static_cast<double>(i)));
  }
  return samples;
}

void BM_Push51Second(benchmark::State& state) {
  const std::vector<float> second = SurroundSecond();
  CountedRef<AudioFeed> feed = CountedRef<AudioFeed>::Adopt(new AudioFeed(kRate, kChannels, kLfeSlot));
  // The engine has asked once, so the writes really go into the ring.
  AudioRequest start{};
  start.size = sizeof(AudioRequest);
  start.requestTimeMs = 1000;
  feed->Read(start);
  feed->Push(second.data(), kBlockFrames, 200000);  // the first block
  const int64_t allocationsBefore = gAllocations.load();
  for (auto _ : state) {
    for (int32_t frame = 0; frame < kRate; frame += kBlockFrames) {
      const int32_t frames = std::min(kBlockFrames, kRate - frame);
      feed->Push(second.data() + static_cast<size_t>(frame) * kChannels, frames, 200000);
    }
    benchmark::ClobberMemory();
  }
  state.counters["allocations"] = static_cast<double>(gAllocations.load() - allocationsBefore);
}
BENCHMARK(BM_Push51Second);

void BM_Copy51Second(benchmark::State& state) {
  const std::vector<float> second = SurroundSecond();
  std::vector<float> copy(static_cast<size_t>(kBlockFrames) * kChannels);
  for (auto _ : state) {
    for (int32_t frame = 0; frame < kRate; frame += kBlockFrames) {
      const int32_t frames = std::min(kBlockFrames, kRate - frame);
      std::memcpy(copy.data(), second.data() + static_cast<size_t>(frame) * kChannels,
                  static_cast<size_t>(frames) * kChannels * sizeof(float));
      benchmark::DoNotOptimize(copy.data());
      benchmark::ClobberMemory();
    }
  }
}
BENCHMARK(BM_Copy51Second);

constexpr int32_t kStereoRate = 44100;
constexpr int32_t kRequestSamples = 512;
constexpr int32_t kRequestBands = 512;

SpectrumParams EngineParams() {
  SpectrumParams params{};
  params.low = 40.0f;
  params.high = 10000.0f;
  params.maxCycles = 8.0f;
  params.minSeconds = 0.02f;
  params.maxSeconds = 0.07f;
  return params;
}

std::vector<float> StereoSecond() {
  std::vector<float> samples(static_cast<size_t>(kStereoRate) * 2);
  for (size_t i = 0; i < samples.size(); i += 2) {
    const double t = static_cast<double>(i / 2) / kStereoRate;
    samples[i] = samples[i + 1] =
        static_cast<float>(0.4 * std::sin(2 * std::numbers::pi * 110.0 * t) +
                           0.2 * std::sin(2 * std::numbers::pi * 1760.0 * t));
  }
  return samples;
}

void BM_FeedRead512(benchmark::State& state) {
  const std::vector<float> second = StereoSecond();
  CountedRef<AudioFeed> feed = CountedRef<AudioFeed>::Adopt(new AudioFeed(kStereoRate, 2, -1));
  const SpectrumParams params = EngineParams();
  std::vector<float> samples(kRequestSamples);
  std::vector<float> bands(kRequestBands);
  AudioRequest request{};
  request.size = sizeof(AudioRequest);
  request.requestTimeMs = 1000;
  feed->Read(request);
  feed->Push(second.data(), kStereoRate, 0);
  request.samplesWanted = kRequestSamples;
  request.samples = samples.data();
  request.bandsWanted = kRequestBands;
  request.spectrumParams = &params;
  request.bands = bands.data();
  for (auto _ : state) {
    feed->Read(request);
    benchmark::DoNotOptimize(bands.data());
    benchmark::ClobberMemory();
  }
  if (request.bandsDelivered != kRequestBands) state.SkipWithError("no bands delivered");
}
BENCHMARK(BM_FeedRead512);

// The same bands from the same number of samples, with no feed around them.
void BM_SpectrumAlone512(benchmark::State& state) {
  const SpectrumParams params = EngineParams();
  const int32_t ringRate = kStereoRate / 2;
  const int32_t count = std::min(std::max(kRequestSamples, MinimumSamples(params, ringRate)),
                                 ringRate / 4);
  const std::vector<float> second = StereoSecond();
  std::vector<float> mono(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) mono[size_t(i)] = second[size_t(4 * i)];
  std::vector<float> bands(kRequestBands);
  SpectrumAnalyzer analyzer;
  for (auto _ : state) {
    SampleBlock block = SampleBlock::BorrowFloat(mono.data(), count, ringRate, 0.9f);
    analyzer.Compute(block, params, kRequestBands, bands.data());
    benchmark::DoNotOptimize(bands.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SpectrumAlone512);

}  // namespace

NV_BENCHMARK_RATIO("vlc push 5.1 48kHz vs copy", "BM_Push51Second", "BM_Copy51Second");
NV_BENCHMARK_RATIO("vlc read 512 samples 512 bands vs spectrum", "BM_FeedRead512",
                   "BM_SpectrumAlone512");
