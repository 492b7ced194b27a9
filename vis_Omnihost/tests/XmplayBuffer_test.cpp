#include "vis_Omnihost/xmplay/XmplayBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using xmplay::BufferChange;
using xmplay::BufferTarget;

TEST(XmplayBuffer, DescribesTheBufferWithFourBytesPerPixelOfPitch) {
  std::vector<uint32_t> pixels(100 * 50);
  BufferTarget target;
  ASSERT_EQ(target.Take(pixels.data(), 90, 50, 100), BufferChange::kAttach);
  const PixelBufferDesc& desc = target.Descriptor();
  EXPECT_EQ(desc.format, PixelBufferDesc::kFormat32);
  EXPECT_EQ(desc.stride, 400);
  EXPECT_EQ(desc.width, 90);
  EXPECT_EQ(desc.height, 50);
  EXPECT_EQ(desc.planes, 1);
  const void* described = desc.pixels;  // packed: read by value
  EXPECT_EQ(described, pixels.data());
  for (uint8_t byte : desc.reserved) EXPECT_EQ(byte, 0);
}

// One buffer after another, as a player hands them: which of them are handed to the engine.
TEST(XmplayBuffer, HandsOverANewSizeAddressOrPitchAndAfterARenewalOnly) {
  std::vector<uint32_t> first(200 * 200), second(200 * 200);
  struct Step {
    const char* name;
    uint32_t* pixels;
    int32_t width, height, pitch;
    bool renewFirst;
    BufferChange expected;
  } steps[] = {
      {"first buffer", first.data(), 64, 48, 64, false, BufferChange::kAttach},
      {"same buffer again", first.data(), 64, 48, 64, false, BufferChange::kSame},
      {"new size", first.data(), 80, 60, 80, false, BufferChange::kAttach},
      {"new address at the same size", second.data(), 80, 60, 80, false, BufferChange::kAttach},
      {"new pitch at the same size", second.data(), 80, 60, 96, false, BufferChange::kAttach},
      {"same again", second.data(), 80, 60, 96, false, BufferChange::kSame},
      {"renewed", second.data(), 80, 60, 96, true, BufferChange::kAttach},
      {"after the renewal", second.data(), 80, 60, 96, false, BufferChange::kSame},
  };
  BufferTarget target;
  for (const Step& step : steps) {
    if (step.renewFirst) target.Renew();
    EXPECT_EQ(target.Take(step.pixels, step.width, step.height, step.pitch), step.expected)
        << step.name;
    const void* described = target.Descriptor().pixels;  // packed: read by value
    EXPECT_EQ(described, step.pixels) << step.name;
    EXPECT_EQ(target.Descriptor().width, step.width) << step.name;
  }
}

TEST(XmplayBuffer, RefusesABufferTheEngineCannotDrawIntoAndKeepsTheLastOne) {
  std::vector<uint32_t> pixels(100 * 100);
  constexpr int32_t kHuge = std::numeric_limits<int32_t>::max() / 4 + 1;
  struct Case {
    const char* name;
    uint32_t* pixels;
    int32_t width, height, pitch;
  } cases[] = {
      {"no pixels", nullptr, 10, 10, 10},
      {"zero width", pixels.data(), 0, 10, 10},
      {"zero height", pixels.data(), 10, 0, 10},
      {"negative width", pixels.data(), -10, 10, 10},
      {"negative height", pixels.data(), 10, -10, 10},
      {"rows shorter than the width", pixels.data(), 10, 10, 9},
      {"bottom-up rows (negative pitch)", pixels.data(), 10, 10, -10},
      {"row length beyond 32 bits", pixels.data(), 10, 10, kHuge},
  };
  BufferTarget target;
  ASSERT_EQ(target.Take(pixels.data(), 20, 20, 20), BufferChange::kAttach);
  for (const Case& c : cases) {
    EXPECT_EQ(target.Take(c.pixels, c.width, c.height, c.pitch), BufferChange::kRefused) << c.name;
    EXPECT_EQ(target.Descriptor().width, 20) << c.name;
    EXPECT_EQ(target.Descriptor().stride, 80) << c.name;
  }
  EXPECT_EQ(target.Take(pixels.data(), 20, 20, 20), BufferChange::kSame);
}

}  // namespace
