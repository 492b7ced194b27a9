#include "visualhost/audio/BandCorrelation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "visualhost/audio/BandCorrelationKernels.h"
#include "visualhost/tests/SpectrumTestSupport.h"

namespace {

using Kernel = BandSums (*)(const float*, const float*, int32_t, int32_t);

struct NamedKernel {
  const char* name;
  Kernel kernel;
  bool runsHere;
};

std::vector<NamedKernel> Kernels() {
  std::vector<NamedKernel> kernels = {
      {"dispatched", CorrelateWithWeights, true},
      {"portable", CorrelateWithWeightsPortable, true},
  };
#if NV_HAVE_AVX2_KERNEL
  kernels.push_back({"avx2", CorrelateWithWeightsAvx2,
                     __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")});
#endif
  return kernels;
}

// Sine and cosine weights in the grouped layout the kernels read.
std::vector<float> Grouped(const std::vector<float>& sine, const std::vector<float>& cosine) {
  std::vector<float> grouped(size_t(GroupedWeightFloats(int32_t(sine.size()))));
  for (size_t k = 0; k < sine.size(); ++k) {
    float* group = grouped.data() + k / kWeightGroupSamples * kWeightGroupFloats;
    group[k % kWeightGroupSamples] = sine[k];
    group[kWeightGroupSamples + k % kWeightGroupSamples] = cosine[k];
  }
  return grouped;
}

TEST(BandCorrelationTest, KernelsGiveThePlainSumsAndIgnoreSkippedSamples) {
  struct Case {
    int32_t count;
    int32_t skipped;
  };
  const Case cases[] = {{16, 0}, {32, 3}, {48, 15}, {224, 7}, {448, 0}};
  for (const NamedKernel& named : Kernels()) {
    if (!named.runsHere) continue;
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << named.name << ", " << c.count << " samples, " << c.skipped << " skipped");
      std::vector<float> samples = spectrum_test::Noise(c.count, 1.0f, 21);
      const std::vector<float> sine = spectrum_test::Noise(c.count, 1.0f, 22);
      const std::vector<float> cosine = spectrum_test::Noise(c.count, 1.0f, 23);
      double expectedSine = 0.0, expectedCosine = 0.0;
      for (int32_t k = c.skipped; k < c.count; ++k) {
        expectedSine += double(samples[size_t(k)]) * sine[size_t(k)];
        expectedCosine += double(samples[size_t(k)]) * cosine[size_t(k)];
      }
      // Skipped samples must not count even when their values would poison a product.
      for (int32_t k = 0; k < c.skipped; ++k) {
        samples[size_t(k)] = std::numeric_limits<float>::infinity();
      }
      const BandSums sums =
          named.kernel(samples.data(), Grouped(sine, cosine).data(), c.count, c.skipped);
      EXPECT_NEAR(expectedSine, sums.sine, 1e-4);
      EXPECT_NEAR(expectedCosine, sums.cosine, 1e-4);
    }
  }
}

TEST(BandCorrelationTest, TableSumsFollowTheQuarterPeriodPhase) {
  // A phase step of a quarter period: the sine reads entries 0, 64, 128, 192 = 0, 1, 0, -1
  // and the cosine entries 64, 128, 192, 0 = 1, 0, -1, 0.
  const std::vector<float> samples = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f};
  const BandSums sums = CorrelateWithTable(samples.data(), 16384, 5);
  EXPECT_FLOAT_EQ(2.0f - 4.0f, sums.sine);
  EXPECT_FLOAT_EQ(1.0f - 3.0f + 5.0f, sums.cosine);
}

}  // namespace
