// Which margins of the effect window the player's bars cover.
#include "NV_WMP/CoveredInsets.h"

#include <gtest/gtest.h>

#include <vector>

namespace wmp {
namespace {

constexpr EngineRect kWindow = {100, 50, 900, 650};  // 800 x 600
constexpr char kSkin[] = "WMP Skin Host";
constexpr char kControls[] = "CWmpControlCntr";

::testing::AssertionResult SameInsets(const EngineRect& got, const EngineRect& want) {
  if (got.left == want.left && got.top == want.top && got.right == want.right &&
      got.bottom == want.bottom) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom
         << ") instead of (" << want.left << ", " << want.top << ", " << want.right << ", "
         << want.bottom << ")";
}

TEST(CoveredInsetsTest, BarsCutTheSideTheyLieOn) {
  struct Case {
    const char* name;
    std::vector<BarCandidate> bars;
    bool mediaCenter;
    EngineRect insets;
  };
  const Case cases[] = {
      {"none", {}, false, {0, 0, 0, 0}},
      {"bottom bar 800x60", {{{100, 590, 900, 650}, true, kSkin}}, false, {0, 0, 0, 60}},
      {"top bar of the control class", {{{100, 50, 900, 90}, true, kControls}}, false,
       {0, 40, 0, 0}},
      {"right bar", {{{860, 50, 900, 650}, true, kSkin}}, false, {0, 0, 40, 0}},
      {"left bar", {{{100, 50, 130, 650}, true, kSkin}}, false, {30, 0, 0, 0}},
      {"bottom and top", {{{100, 590, 900, 650}, true, kSkin}, {{100, 50, 900, 80}, true, kSkin}},
       false, {0, 30, 0, 60}},
      {"square window ignored", {{{100, 50, 500, 450}, true, kSkin}}, false, {0, 0, 0, 0}},
      {"bar 100 in from both sides: one shared edge", {{{200, 590, 800, 650}, true, kSkin}},
       false, {0, 0, 0, 0}},
      {"not layered", {{{100, 590, 900, 650}, false, kSkin}}, false, {0, 0, 0, 0}},
      {"other class", {{{100, 590, 900, 650}, true, "Button"}}, false, {0, 0, 0, 0}},
      {"no class name", {{{100, 590, 900, 650}, true, nullptr}}, false, {0, 0, 0, 0}},
      {"bar outside the window", {{{100, 700, 900, 760}, true, kSkin}}, false, {0, 0, 0, 0}},
      {"media center without bars", {}, true, {0, 75, 0, 75}},
      {"media center with a bar", {{{100, 590, 900, 650}, true, kSkin}}, true, {0, 0, 0, 60}},
      {"media center, only an ignored window", {{{100, 50, 500, 450}, true, kSkin}}, true,
       {0, 75, 0, 75}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SameInsets(CoveredInsets(kWindow, c.bars.data(), c.bars.size(), c.mediaCenter),
                           c.insets))
        << c.name;
  }
}

TEST(CoveredInsetsTest, DegenerateRectanglesGiveNoInsets) {
  const BarCandidate empty = {{0, 0, 0, 0}, true, kSkin};
  EXPECT_TRUE(SameInsets(CoveredInsets(kWindow, &empty, 1, false), {0, 0, 0, 0}));
  const BarCandidate huge = {{-2147483647, 590, 2147483647, 650}, true, kSkin};
  EXPECT_TRUE(SameInsets(CoveredInsets(kWindow, &huge, 1, false), {0, 0, 0, 0}));
  EXPECT_TRUE(SameInsets(CoveredInsets(kWindow, nullptr, 3, false), {0, 0, 0, 0}));
}

}  // namespace
}  // namespace wmp
