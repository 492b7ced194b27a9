// The analyzer against the plain band computation, over the band counts and block sizes the
// hosts use: every band within 1e-4 of the largest band of the call.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "visualhost/audio/SpectrumAnalyzer.h"
#include "visualhost/tests/SpectrumTestSupport.h"

namespace {

using spectrum_test::kRate;

struct Signal {
  const char* name;
  std::vector<float> samples;
};

std::vector<Signal> Signals() {
  std::vector<float> chord = spectrum_test::Sine(8192, 220.0f, 0.5f);
  const std::vector<float> upper = spectrum_test::Sine(8192, 3150.0f, 0.2f, 1.1);
  for (size_t i = 0; i < chord.size(); ++i) chord[i] += upper[i];
  return {{"noise", spectrum_test::Noise(8192, 1.0f, 42)}, {"two tones", chord}};
}

TEST(SpectrumAnalyzerReferenceTest, MatchesThePlainComputation) {
  const int32_t bandCounts[] = {64, 256, 512, 1024};
  const int32_t blockCounts[] = {8192, 700};
  SpectrumAnalyzer analyzer;  // one analyzer throughout, as a host keeps it
  for (const Signal& signal : Signals()) {
    for (int32_t count : blockCounts) {
      for (int32_t bandCount : bandCounts) {
        SCOPED_TRACE(testing::Message()
                     << signal.name << ", " << count << " samples, " << bandCount << " bands");
        SampleBlock block = SampleBlock::BorrowFloat(
            signal.samples.data() + signal.samples.size() - size_t(count), count, kRate, 1.0f);
        const std::vector<float> expected =
            spectrum_test::ReferenceBands(block, spectrum_test::VirtualDJParams(), bandCount);
        std::vector<float> bands(static_cast<size_t>(bandCount));
        analyzer.Compute(block, spectrum_test::VirtualDJParams(), bandCount, bands.data());

        const float largest = *std::max_element(expected.begin(), expected.end());
        ASSERT_GT(largest, 0.0f);
        float worst = 0.0f;
        for (size_t n = 0; n < bands.size(); ++n) {
          worst = std::max(worst, std::abs(bands[n] - expected[n]));
        }
        EXPECT_LE(worst, largest * 1e-4f);
      }
    }
  }
}

TEST(SpectrumAnalyzerReferenceTest, Int16BlocksMatchThePlainComputation) {
  const std::vector<int16_t> samples =
      spectrum_test::ToInt16(spectrum_test::Noise(8192, 20000.0f, 8));
  SpectrumAnalyzer analyzer;
  for (int32_t bandCount : {64, 512}) {
    SCOPED_TRACE(bandCount);
    SampleBlock block = SampleBlock::BorrowInt16(samples.data(), 8192, kRate, 1.0f / 32768);
    const std::vector<float> expected =
        spectrum_test::ReferenceBands(block, spectrum_test::VirtualDJParams(), bandCount);
    std::vector<float> bands(static_cast<size_t>(bandCount));
    analyzer.Compute(block, spectrum_test::VirtualDJParams(), bandCount, bands.data());
    const float largest = *std::max_element(expected.begin(), expected.end());
    for (size_t n = 0; n < bands.size(); ++n) {
      EXPECT_NEAR(expected[n], bands[n], largest * 1e-4f) << "band " << n;
    }
  }
}

}  // namespace
