// Spectrum bands from 8192 float samples at 22050 Hz with the VirtualDJ host's parameters,
// against the single-precision 8192-point real FFT a host could use instead.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "benchmarks/BenchRatio.h"
#include "visualhost/engine/EngineRecords.h"
#include "visualhost/audio/SampleBlock.h"
#include "visualhost/audio/SpectrumAnalyzer.h"
#include "visualhost/tests/SpectrumTestSupport.h"

namespace {

constexpr int32_t kSampleCount = 8192;
constexpr int32_t kRate = 22050;

std::vector<float> MusicLikeSamples() {
  std::vector<float> samples(kSampleCount);
  uint32_t noise = 1;
  for (int32_t i = 0; i < kSampleCount; ++i) {
    noise = noise * 1664525u + 1013904223u;
    const double t = double(i) / kRate;
    samples[size_t(i)] = float(0.4 * std::sin(2 * std::numbers::pi * 110.0 * t) +
                               0.2 * std::sin(2 * std::numbers::pi * 1760.0 * t) +
                               0.1 * (double(noise >> 8) / double(1 << 23) - 1.0));
  }
  return samples;
}

void BM_Spectrum(benchmark::State& state) {
  const int32_t bandCount = int32_t(state.range(0));
  const std::vector<float> samples = MusicLikeSamples();
  const SpectrumParams params = spectrum_test::VirtualDJParams();
  std::vector<float> bands(static_cast<size_t>(bandCount));
  SpectrumAnalyzer analyzer;  // kept across frames, as the hosts keep it
  for (auto _ : state) {
    // A host sets up a fresh view of its samples for every engine request.
    SampleBlock block = SampleBlock::BorrowFloat(samples.data(), kSampleCount, kRate, 1.0f);
    analyzer.Compute(block, params, bandCount, bands.data());
    benchmark::DoNotOptimize(bands.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Spectrum)->Arg(64)->Arg(256)->Arg(512)->Arg(1024);

void BM_Fft8192(benchmark::State& state) {
  float* input = fftwf_alloc_real(kSampleCount);
  fftwf_complex* output = fftwf_alloc_complex(kSampleCount / 2 + 1);
  fftwf_plan plan = fftwf_plan_dft_r2c_1d(kSampleCount, input, output, FFTW_MEASURE);
  // Planning with FFTW_MEASURE overwrites the input, so the samples go in afterwards.
  const std::vector<float> samples = MusicLikeSamples();
  std::copy(samples.begin(), samples.end(), input);
  for (auto _ : state) {
    fftwf_execute(plan);
    benchmark::DoNotOptimize(output);
    benchmark::ClobberMemory();
  }
  fftwf_destroy_plan(plan);
  fftwf_free(output);
  fftwf_free(input);
}
BENCHMARK(BM_Fft8192);

NV_BENCHMARK_RATIO("spectrum N=64 vs fft8192", "BM_Spectrum/64", "BM_Fft8192");
NV_BENCHMARK_RATIO("spectrum N=256 vs fft8192", "BM_Spectrum/256", "BM_Fft8192");
NV_BENCHMARK_RATIO("spectrum N=512 vs fft8192", "BM_Spectrum/512", "BM_Fft8192");
NV_BENCHMARK_RATIO("spectrum N=1024 vs fft8192", "BM_Spectrum/1024", "BM_Fft8192");

}  // namespace
