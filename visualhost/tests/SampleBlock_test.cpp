#include "visualhost/audio/SampleBlock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<float> Floats(const SampleBlock& block) {
  return std::vector<float>(block.FloatSamples(), block.FloatSamples() + block.Count());
}

std::vector<int16_t> Int16s(const SampleBlock& block) {
  return std::vector<int16_t>(block.Int16Samples(), block.Int16Samples() + block.Count());
}

TEST(SampleBlockCopyNewestTest, CopiesTheNewestSamplesScaled) {
  const std::vector<int16_t> shorts = {100, -200, 300, -400, 500};
  const std::vector<float> floats = {0.5f, -1.0f, 1.5f, -2.0f, 2.5f};
  struct Case {
    const char* name;
    bool useShorts;
    float scale;
    int32_t n;
    float gain;
    std::vector<float> expected;
  };
  const Case cases[] = {
      {"16-bit, scale and gain multiply", true, 0.01f, 2, 2.0f, {-8.0f, 10.0f}},
      {"16-bit, more asked than held", true, 1.0f, 9, 1.0f, {100, -200, 300, -400, 500}},
      {"float as it is", false, 1.0f, 3, 1.0f, {1.5f, -2.0f, 2.5f}},
      {"float scaled", false, 0.5f, 2, 3.0f, {-3.0f, 3.75f}},
      {"float, gain undoing the scale", false, 4.0f, 1, 0.25f, {2.5f}},
      {"none asked", false, 1.0f, 0, 1.0f, {}},
      {"negative count asked", true, 1.0f, -3, 1.0f, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleBlock block = c.useShorts
                                  ? SampleBlock::BorrowInt16(shorts.data(), 5, 22050, c.scale)
                                  : SampleBlock::BorrowFloat(floats.data(), 5, 22050, c.scale);
    std::vector<float> destination(8, -99.0f);
    const int32_t copied = block.CopyNewest(c.n, destination.data(), c.gain);
    ASSERT_EQ(int32_t(c.expected.size()), copied);
    for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_FLOAT_EQ(c.expected[i], destination[i]);
    EXPECT_EQ(-99.0f, destination[c.expected.size()]) << "wrote past the copied samples";
  }
}

TEST(SampleBlockCopyNewestTest, EmptyBlockCopiesNothing) {
  const SampleBlock block;
  float destination = -99.0f;
  EXPECT_EQ(0, block.CopyNewest(4, &destination, 1.0f));
  EXPECT_EQ(-99.0f, destination);
}

TEST(SampleBlockHalveTest, Int16PairsBecomeTheirMeanAndTheOddSampleIsDropped) {
  const std::vector<int16_t> samples = {10, 21, -5, -6, 32767, 32767, -32768, -32767, 7};
  SampleBlock block = SampleBlock::BorrowInt16(samples.data(), 9, 22050, 0.5f);
  block.Halve();
  // (a + b) >> 1 rounds towards minus infinity, also for negative pairs.
  EXPECT_EQ((std::vector<int16_t>{15, -6, 32767, -32768}), Int16s(block));
  EXPECT_EQ(11025, block.Rate());
  EXPECT_EQ(0.5f, block.Scale());
  EXPECT_FALSE(block.IsBorrowed());
}

TEST(SampleBlockHalveTest, FloatPairsBecomeTheirSumAndTheScaleHalves) {
  const std::vector<float> samples = {0.25f, 0.5f, -1.0f, 3.0f, 2.0f};
  SampleBlock block = SampleBlock::BorrowFloat(samples.data(), 5, 44100, 2.0f);
  block.Halve();
  EXPECT_EQ((std::vector<float>{0.75f, 2.0f}), Floats(block));
  EXPECT_EQ(22050, block.Rate());
  EXPECT_EQ(1.0f, block.Scale());
  block.Halve();
  EXPECT_EQ((std::vector<float>{2.75f}), Floats(block));
  EXPECT_EQ(0.5f, block.Scale());
}

TEST(SampleBlockHalveTest, LeavesTheCallersSamplesAlone) {
  const std::vector<float> samples = {1.0f, 2.0f, 3.0f, 4.0f};
  const std::vector<float> original = samples;
  SampleBlock block = SampleBlock::BorrowFloat(samples.data(), 4, 22050, 1.0f);
  block.Halve();
  block.Halve();
  EXPECT_EQ(original, samples);
  EXPECT_NE(samples.data(), block.FloatSamples());
  EXPECT_EQ((std::vector<float>{10.0f}), Floats(block));
}

TEST(SampleBlockHalveTest, CopiesKeepTheirSamplesWhenOneIsHalved) {
  const std::vector<int16_t> samples = {2, 4, 6, 8, 10, 12, 14, 16};
  SampleBlock first = SampleBlock::BorrowInt16(samples.data(), 8, 8000, 1.0f);
  first.Halve();
  SampleBlock second = first;  // shares the first block's storage
  second.Halve();
  EXPECT_EQ((std::vector<int16_t>{3, 7, 11, 15}), Int16s(first));
  EXPECT_EQ((std::vector<int16_t>{5, 13}), Int16s(second));
}

TEST(SampleBlockHalveTest, SingleSampleBecomesEmpty) {
  const std::vector<float> samples = {1.0f};
  SampleBlock block = SampleBlock::BorrowFloat(samples.data(), 1, 22050, 1.0f);
  block.Halve();
  EXPECT_EQ(0, block.Count());
  EXPECT_EQ(11025, block.Rate());
  float destination = -99.0f;
  EXPECT_EQ(0, block.CopyNewest(1, &destination, 1.0f));
}

}  // namespace
