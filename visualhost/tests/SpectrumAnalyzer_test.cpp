#include "visualhost/audio/SpectrumAnalyzer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "visualhost/audio/SpectrumBands.h"
#include "visualhost/tests/SpectrumTestSupport.h"

namespace {

using spectrum_test::kRate;
using spectrum_test::Noise;
using spectrum_test::Sine;
using spectrum_test::VirtualDJParams;

// 101 logarithmic bands from 120 Hz put band 51 at exactly 1000 Hz.
constexpr int32_t kBandCount = 101;

std::vector<float> Compute(SpectrumAnalyzer& analyzer, const std::vector<float>& samples,
                           const SpectrumParams& params, int32_t bandCount) {
  SampleBlock block =
      SampleBlock::BorrowFloat(samples.data(), int32_t(samples.size()), kRate, 1.0f);
  std::vector<float> bands(size_t(bandCount), -1.0f);
  analyzer.Compute(block, params, bandCount, bands.data());
  return bands;
}

int32_t BandAt(const SpectrumPlan& plan, float frequency) {
  for (int32_t n = 0; n < plan.BandCount(); ++n) {
    if (plan.Band(n).frequency == frequency) return n;
  }
  return -1;
}

TEST(SpectrumAnalyzerTest, WorkedExampleOfEightThousandSamples) {
  SpectrumAnalyzer analyzer;
  const std::vector<float> bands =
      Compute(analyzer, Noise(8192, 1.0f, 7), VirtualDJParams(), kBandCount);
  const SpectrumPlan& plan = analyzer.Plan();
  ASSERT_EQ(kBandCount, plan.BandCount());

  // 120 Hz: 183, 91, 45 and 22 samples per period all reach 16, so four halvings.
  const SpectrumBandPlan& low = plan.Band(0);
  EXPECT_EQ(120.0f, low.frequency);
  EXPECT_EQ(4, low.halvings);
  EXPECT_EQ(1378, low.rate);
  EXPECT_NEAR(11.48f, low.samplesPerPeriod, 0.005f);
  EXPECT_EQ(8.0f, low.cycles);
  EXPECT_EQ(91, low.sampleCount);

  const int32_t n1000 = BandAt(plan, 1000.0f);
  ASSERT_GE(n1000, 0);
  const SpectrumBandPlan& middle = plan.Band(n1000);
  EXPECT_EQ(1, middle.halvings);
  EXPECT_EQ(11025, middle.rate);
  EXPECT_NEAR(11.025f, middle.samplesPerPeriod, 0.0005f);
  EXPECT_EQ(20.0f, middle.cycles);
  EXPECT_EQ(220, middle.sampleCount);

  for (int32_t n = 0; n < kBandCount; ++n) {
    SCOPED_TRACE(plan.Band(n).frequency);
    if (plan.Band(n).frequency > 5512.0f) {
      EXPECT_EQ(0, plan.Band(n).sampleCount);
      EXPECT_EQ(0.0f, bands[size_t(n)]);
    } else {
      EXPECT_GT(bands[size_t(n)], 0.0f);
    }
  }
}

TEST(SpectrumAnalyzerTest, LowestBandReadsOnlyTheNewest91HalvedSamples) {
  // 91 samples after four halvings are the newest 91 x 16 = 1456 input samples.
  const std::vector<float> base = Noise(8192, 1.0f, 11);
  SpectrumAnalyzer first;
  const float baseline = Compute(first, base, VirtualDJParams(), kBandCount)[0];
  struct Case {
    const char* name;
    int32_t changedSample;
    bool changesBand;
  };
  const Case cases[] = {
      {"oldest sample read", 8192 - 1456, true},
      {"just before it", 8192 - 1457, false},
      {"oldest of all", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<float> changed = base;
    changed[size_t(c.changedSample)] += 5.0f;
    SpectrumAnalyzer analyzer;
    const float value = Compute(analyzer, changed, VirtualDJParams(), kBandCount)[0];
    EXPECT_EQ(c.changesBand, value != baseline);
  }
}

TEST(SpectrumAnalyzerTest, SineAtABandCentreGivesHalfItsAmplitudeThere) {
  const SpectrumParams params = VirtualDJParams();
  const float amplitude = 0.8f;
  // 120 Hz (four halvings), 1000 Hz (one) and 2714 Hz (none).
  for (int32_t centre : {0, 51, 75}) {
    const float frequency = BandFrequency(params, centre, kBandCount);
    SCOPED_TRACE(frequency);
    SpectrumAnalyzer analyzer;
    const std::vector<float> bands =
        Compute(analyzer, Sine(8192, frequency, amplitude), params, kBandCount);
    EXPECT_NEAR(amplitude / 2, bands[size_t(centre)], amplitude * 0.02f);
    // An octave spans 101 / log2(8000 / 120) = 16.7 bands.
    for (int32_t octave : {centre - 17, centre + 17}) {
      if (octave < 0 || octave >= kBandCount) continue;
      EXPECT_LT(bands[size_t(octave)], amplitude * 0.05f)
          << "octave band at " << analyzer.Plan().Band(octave).frequency << " Hz";
    }
  }
}

TEST(SpectrumAnalyzerTest, Int16AndFloatSamplesGiveTheSameBands) {
  const std::vector<float> signal = [] {
    std::vector<float> sum = Sine(8192, 440.0f, 12000.0f);
    const std::vector<float> noise = Noise(8192, 6000.0f, 3);
    for (size_t i = 0; i < sum.size(); ++i) sum[i] += noise[i];
    return sum;
  }();
  const std::vector<int16_t> shorts = spectrum_test::ToInt16(signal);
  std::vector<float> floats(shorts.begin(), shorts.end());
  const float scale = 1.0f / 32768.0f;

  SpectrumAnalyzer analyzer;
  SampleBlock shortBlock = SampleBlock::BorrowInt16(shorts.data(), 8192, kRate, scale);
  SampleBlock floatBlock = SampleBlock::BorrowFloat(floats.data(), 8192, kRate, scale);
  std::vector<float> fromShorts(256), fromFloats(256);
  analyzer.Compute(shortBlock, VirtualDJParams(), 256, fromShorts.data());
  analyzer.Compute(floatBlock, VirtualDJParams(), 256, fromFloats.data());

  const float largest = *std::max_element(fromFloats.begin(), fromFloats.end());
  ASSERT_GT(largest, 0.1f);
  for (size_t n = 0; n < fromFloats.size(); ++n) {
    EXPECT_NEAR(fromFloats[n], fromShorts[n], largest * 1e-3f) << "band " << n;
  }
}

TEST(SpectrumAnalyzerTest, BorrowedSamplesAreUnchangedAfterHalving) {
  const std::vector<float> samples = Noise(8192, 1.0f, 5);
  const std::vector<float> original = samples;
  SampleBlock block = SampleBlock::BorrowFloat(samples.data(), 8192, kRate, 1.0f);
  SpectrumAnalyzer analyzer;
  std::vector<float> bands(64);
  analyzer.Compute(block, VirtualDJParams(), 64, bands.data());

  EXPECT_EQ(8192 >> 4, block.Count()) << "the lowest band halves the block four times";
  EXPECT_FALSE(block.IsBorrowed());
  EXPECT_EQ(original, samples);
}

TEST(SpectrumAnalyzerTest, NoBandsWritesNothing) {
  const std::vector<float> samples = Noise(4096, 1.0f, 1);
  for (int32_t bandCount : {0, -4}) {
    SCOPED_TRACE(bandCount);
    SampleBlock block = SampleBlock::BorrowFloat(samples.data(), 4096, kRate, 1.0f);
    float destination[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
    SpectrumAnalyzer analyzer;
    analyzer.Compute(block, VirtualDJParams(), bandCount, destination);
    for (float value : destination) EXPECT_EQ(-1.0f, value);
    EXPECT_EQ(4096, block.Count());
  }
}

TEST(SpectrumAnalyzerTest, EmptyBlockGivesSilence) {
  SampleBlock blocks[] = {SampleBlock(), SampleBlock::BorrowFloat(nullptr, 100, kRate, 1.0f)};
  for (SampleBlock& block : blocks) {
    std::vector<float> bands(16, -1.0f);
    SpectrumAnalyzer analyzer;
    analyzer.Compute(block, VirtualDJParams(), 16, bands.data());
    EXPECT_EQ(std::vector<float>(16, 0.0f), bands);
  }
}

TEST(SpectrumAnalyzerTest, EqualLowAndHighMeasureEveryBandAtThatFrequency) {
  SpectrumParams params = VirtualDJParams();
  params.low = 440.0f;
  params.high = 440.0f;
  SpectrumAnalyzer analyzer;
  const std::vector<float> bands = Compute(analyzer, Sine(8192, 440.0f, 1.0f), params, 32);
  for (int32_t n = 0; n < 32; ++n) {
    EXPECT_EQ(440.0f, analyzer.Plan().Band(n).frequency);
    EXPECT_EQ(bands[0], bands[size_t(n)]) << n;
  }
  EXPECT_NEAR(0.5f, bands[0], 0.01f);
}

TEST(SpectrumAnalyzerTest, BandsBeyondThePlanLimitsStillMatchTheReference) {
  // A block larger than the one the plan was prepared for, and stretches so long that not
  // every band's weights fit, must still give the plain computation's values.
  SpectrumParams longStretches = VirtualDJParams();
  longStretches.minSeconds = 0.5f;
  SpectrumAnalyzer analyzer;
  struct Step {
    int32_t count;
    SpectrumParams params;
    int32_t bandCount;
  };
  const Step steps[] = {
      {1000, VirtualDJParams(), 128},
      {8192, VirtualDJParams(), 128},
      {8192, longStretches, 256},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.count);
    const std::vector<float> samples = Noise(step.count, 1.0f, 9);
    SampleBlock block = SampleBlock::BorrowFloat(samples.data(), step.count, kRate, 1.0f);
    const std::vector<float> expected =
        spectrum_test::ReferenceBands(block, step.params, step.bandCount);
    std::vector<float> bands(static_cast<size_t>(step.bandCount));
    analyzer.Compute(block, step.params, step.bandCount, bands.data());
    const float largest = *std::max_element(expected.begin(), expected.end());
    for (size_t n = 0; n < bands.size(); ++n) {
      EXPECT_NEAR(expected[n], bands[n], largest * 1e-4f) << "band " << n;
    }
  }
}

}  // namespace
