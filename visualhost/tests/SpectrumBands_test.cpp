#include "visualhost/audio/SpectrumBands.h"

#include <gtest/gtest.h>

#include "visualhost/tests/SpectrumTestSupport.h"

namespace {

using spectrum_test::VirtualDJParams;

SpectrumParams LinearParams(float low, float high) {
  SpectrumParams params = VirtualDJParams();
  params.low = low;
  params.high = high;
  params.linear = 1;
  return params;
}

SpectrumParams LogParams(float low, float high) {
  SpectrumParams params = VirtualDJParams();
  params.low = low;
  params.high = high;
  return params;
}

TEST(BandFrequencyTest, PlacesBandsAndRoundsToWholeHz) {
  struct Case {
    const char* name;
    SpectrumParams params;
    int32_t n;
    int32_t bandCount;
    float expected;
  };
  const Case cases[] = {
      {"log first band is low", VirtualDJParams(), 0, 101, 120.0f},
      {"log middle band", VirtualDJParams(), 51, 101, 1000.0f},
      {"log half way is the geometric mean", LogParams(100.0f, 400.0f), 1, 2, 200.0f},
      {"linear", LinearParams(100.0f, 1100.0f), 3, 10, 400.0f},
      {"linear rounds", LinearParams(100.0f, 101.0f), 1, 3, 100.0f},
      {"band count itself is outside", VirtualDJParams(), 101, 101, 0.0f},
      {"negative band", VirtualDJParams(), -1, 101, 0.0f},
      {"no bands", VirtualDJParams(), 0, 0, 0.0f},
      {"log from 0 Hz has no finite frequency", LogParams(0.0f, 8000.0f), 1, 4, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.expected, BandFrequency(c.params, c.n, c.bandCount));
  }
}

TEST(BandFrequencyTest, EqualLowAndHighPutEveryLogBandAtOneFrequency) {
  const SpectrumParams params = LogParams(440.0f, 440.0f);
  for (int32_t n = 0; n < 16; ++n) EXPECT_EQ(440.0f, BandFrequency(params, n, 16)) << n;
}

TEST(BandSampleCountTest, WholePeriodsWithinTheDurationBounds) {
  struct Case {
    const char* name;
    float frequency;
    int32_t rate;
    int32_t available;
    int32_t expected;
  };
  const Case cases[] = {
      // 8 cycles of 11.48 samples: max cycles applies between the duration bounds.
      {"low band after four halvings", 120.0f, 1378, 0, 91},
      // ceil(1000 Hz x 0.02 s) = 20 cycles of 11.025 samples: min seconds wins.
      {"min seconds wins", 1000.0f, 11025, 0, 220},
      // floor(50 Hz x 0.07 s) = 3 cycles of 100 samples: max seconds caps max cycles.
      {"max seconds caps", 50.0f, 5000, 0, 300},
      {"cut to the whole periods available", 120.0f, 1378, 50, 45},
      {"enough available changes nothing", 120.0f, 1378, 91, 91},
      {"less than one period available", 120.0f, 1378, 10, 0},
      {"just over four samples per period", 5512.0f, 22050, 0, 444},
      {"under four samples per period", 6000.0f, 22050, 0, 0},
      {"zero frequency", 0.0f, 22050, 0, 0},
      {"negative frequency", -120.0f, 22050, 0, 0},
      {"no rate", 120.0f, 0, 0, 0},
  };
  const SpectrumParams params = VirtualDJParams();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.expected, BandSampleCount(params, c.frequency, c.rate, c.available));
  }
}

TEST(BandSampleCountTest, UnusableParametersMeasureNothing) {
  SpectrumParams params = VirtualDJParams();
  params.minSeconds = 0.0f;
  params.maxCycles = -3.0f;
  EXPECT_EQ(0, BandSampleCount(params, 1000.0f, 22050, 0));
}

TEST(MinimumSamplesTest, IsWhatTheLowestBandNeedsAtTheRate) {
  struct Case {
    const char* name;
    float low;
    int32_t expected;
  };
  const Case cases[] = {
      {"120 Hz: 8 periods of 183.75 samples", 120.0f, 1470},
      {"low of 0", 0.0f, 0},
      {"negative low", -10.0f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SpectrumParams params = VirtualDJParams();
    params.low = c.low;
    EXPECT_EQ(c.expected, MinimumSamples(params, spectrum_test::kRate));
  }
}

}  // namespace
