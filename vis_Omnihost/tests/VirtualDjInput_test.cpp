// VirtualDJ's mouse and key events as the engine's input events.
#include "vis_Omnihost/virtualdj/VirtualDjInput.h"

#include <gtest/gtest.h>

namespace {

using virtualdj::EngineModifiers;

TEST(VirtualDjInput, ModifierBitsAreConverted) {
  struct Case {
    int32_t given;
    uint32_t engine;
  } cases[] = {
      {0, 0}, {4, 0x1}, {1, 0x4}, {2, 0x2}, {8, 0x8}, {15, 0xF}, {5, 0x5}, {16, 0}, {0x70, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(EngineModifiers(c.given), c.engine) << c.given;
}

TEST(VirtualDjInput, MouseEventsCarryPositionKindAndModifiersOnly) {
  const EventRecord event = virtualdj::MouseEvent(EventKind::kLeftUp, -7, 300, 4 | 2);
  EXPECT_EQ(event.x, -7);
  EXPECT_EQ(event.y, 300);
  EXPECT_EQ(event.flags, 0x210u | 0x1u | 0x2u);
  EXPECT_EQ(event.key, 0);
  EXPECT_EQ(event.horizontalWheel, 0);
  EXPECT_EQ(event.verticalWheel, 0);
}

TEST(VirtualDjInput, SpecialKeysHaveTheEnginesCodesAndOthersTheirCharacter) {
  struct Case {
    int32_t virtualKey;
    uint16_t character;  // what the system translated the key to
    bool sent;
    uint16_t key;
  } cases[] = {
      {0x21, 0, true, 0xF72C},   {0x22, 0, true, 0xF72D},
      {0x23, 0, true, 0xF72B},   {0x24, 0, true, 0xF729},
      {0x25, 0, true, 0xF702},   {0x26, 0, true, 0xF700},
      {0x27, 0, true, 0xF703},   {0x28, 0, true, 0xF701},
      {0x22, 'x', true, 0xF72D},  // the special code wins over any character
      {0x41, 'a', true, 'a'},    {0x20, ' ', true, ' '},
      {0x70, 0, false, 0},  // F1: none
      {0x29, 0, false, 0},       {-1, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.virtualKey);
    EventRecord event = {};
    event.x = 99;  // stale content must not survive
    ASSERT_EQ(virtualdj::KeyEvent(c.virtualKey, c.character, 1, &event), c.sent);
    if (!c.sent) continue;
    EXPECT_EQ(event.key, c.key);
    EXPECT_EQ(event.flags, 0x4u);  // key kind 0 with Ctrl
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
  }
}

}  // namespace
