// Keyboard and mouse messages as the engine receives them: the exact input event records, the
// system calls the host makes on the way (key states, focus, queued messages) and whether the
// message counts as handled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "visualhost/host/HostDescriptors.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/host/WindowMessages.h"
#include "visualhost/tests/FakeEngine.h"
#include "visualhost/tests/FakeEngineHostTest.h"
#include "visualhost/tests/ScopedHostSystem.h"

namespace {

constexpr int32_t kNotConsumed = NVStatus::kEventNotConsumed;
constexpr int32_t kNotHandled = NVStatus::kNotHandled;
constexpr uint32_t kEvnt = HostRequest::kEvent;

// Modifier keys held while a message arrives.
enum Held : uint32_t { kNone = 0, kShift = 1, kAlt = 2, kCtrl = 4 };

// What the system answers the host, and what the host asked of it.
struct SystemState {
  uint32_t held = kNone;
  bool toggledOnly = false;  // the modifiers report only their toggle bit
  std::vector<std::pair<uint32_t, uint32_t>> mapCalls;
  HostWindow foreground = nullptr;
  std::string foregroundClass;
  std::vector<int32_t> classNameCapacities;
  std::vector<HostWindow> focusCalls;
  bool hasClientRect = true;
  EngineRect clientRect = {0, 0, 100, 80};
  struct Removal {
    HostWindow window;
    uint32_t first;
    uint32_t last;
  };
  std::vector<Removal> removals;
};
SystemState gSystem;

int16_t KeyState(int32_t virtualKey) {
  uint32_t bit = 0;
  if (virtualKey == VirtualKey::kShift) bit = kShift;
  if (virtualKey == VirtualKey::kMenu) bit = kAlt;
  if (virtualKey == VirtualKey::kControl) bit = kCtrl;
  if ((gSystem.held & bit) == 0) return 0;
  return gSystem.toggledOnly ? int16_t(0x0001) : int16_t(0xFF80);  // the system's "down"
}

// The scan code 0x1E is the A key; its virtual key is 0x41 and its character 'a'.
uint32_t MapVirtualKey(uint32_t code, uint32_t mapType) {
  gSystem.mapCalls.emplace_back(code, mapType);
  if (mapType == kMapScanCodeToVirtualKey) return code == 0x1E ? 0x41 : 0;
  if (mapType == kMapVirtualKeyToChar) return code == 0x41 ? 0x10061 : 0;  // high bits dropped
  return 0;
}

HostWindow ForegroundWindow() {
  return gSystem.foreground;
}

int32_t ClassName(HostWindow, char* name, int32_t capacity) {
  gSystem.classNameCapacities.push_back(capacity);
  const int32_t length = std::min<int32_t>(int32_t(gSystem.foregroundClass.size()), capacity - 1);
  std::memcpy(name, gSystem.foregroundClass.data(), size_t(length));
  name[length] = 0;
  return length;
}

void SetFocus(HostWindow window) {
  gSystem.focusCalls.push_back(window);
}

bool ClientRect(HostWindow, EngineRect* rect) {
  if (!gSystem.hasClientRect) return false;
  *rect = gSystem.clientRect;
  return true;
}

bool RemoveMessage(HostWindow window, uint32_t first, uint32_t last) {
  gSystem.removals.push_back({window, first, last});
  return true;
}

class MouseBorderHost : public VisualHost {
 public:
  void SetMouseBorder(int32_t pixels) { mMouseBorder = pixels; }
};

intptr_t MakeLParam(int32_t low, int32_t high) {
  return intptr_t(uint32_t(uint16_t(low)) | (uint32_t(uint16_t(high)) << 16));
}

uintptr_t WheelDelta(int32_t delta) {
  return uintptr_t(uint32_t(uint16_t(delta)) << 16);
}

EventRecord Event(uint32_t flags, uint16_t key = 0, int32_t x = 0, int32_t y = 0,
                  int32_t horizontal = 0, int32_t vertical = 0) {
  EventRecord event = {};
  event.x = x;
  event.y = y;
  event.horizontalWheel = horizontal;
  event.verticalWheel = vertical;
  event.key = key;
  event.flags = flags;
  return event;
}

std::string Describe(const EventRecord& e) {
  char text[160];
  std::snprintf(text, sizeof text, "{x=%d y=%d h=%d v=%d key=0x%X flags=0x%X}", e.x, e.y,
                e.horizontalWheel, e.verticalWheel, e.key, e.flags);
  return text;
}

// The event records the engine received, described field by field; the reserved bytes must
// be zero, so each record is compared whole as well.
void ExpectEventsReceived(const std::vector<EventRecord>& expected) {
  const std::vector<FakeEngineCall> received = FakeEngine::Get().RequestsOf(kEvnt);
  ASSERT_EQ(received.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(received[i].record.size(), sizeof(EventRecord));
    EventRecord got;
    std::memcpy(&got, received[i].record.data(), sizeof got);
    EXPECT_EQ(Describe(got), Describe(expected[i]));
    EXPECT_EQ(std::memcmp(&got, &expected[i], sizeof got), 0);
  }
}

class VisualHostInputTest : public FakeEngineHostTest<MouseBorderHost> {
 protected:
  void SetUp() override {
    gSystem = SystemState();
    system.calls.getKeyState = &KeyState;
    system.calls.mapVirtualKey = &MapVirtualKey;
    system.calls.getForegroundWindow = &ForegroundWindow;
    system.calls.getClassName = &ClassName;
    system.calls.setFocus = &SetFocus;
    system.calls.getClientRect = &ClientRect;
    system.calls.removeMessage = &RemoveMessage;
    FakeEngineHostTest::SetUp();
    host->AttachWindow(window, 0, nullptr);
    gSystem.foreground = window;
    engine.calls.clear();
    // The engine consumes every event unless a test says otherwise.
    engine.answers[kEvnt] = {0};
  }

  // Sends one message; the handled flag must agree with the result.
  bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    bool handled = false;
    const intptr_t result = host->HandleMessage(message, wParam, lParam, &handled);
    EXPECT_EQ(result, handled ? 0 : -1);
    return handled;
  }

  ScopedHostSystem system;
  HostWindow window = reinterpret_cast<HostWindow>(0x100);
};

struct InputCase {
  const char* name;
  uint32_t held;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  std::vector<EventRecord> events;
};

TEST_F(VisualHostInputTest, MessagesBecomeTheseEvents) {
  using namespace EventKind;
  namespace M = WindowMessage;
  // One row per case reads better than one line per field.
  // clang-format off
  const InputCase cases[] = {
      {"Page Up pressed", kNone, M::kKeyDown, VirtualKey::kPageUp, 0x01490001,
       {Event(kKey, SpecialKey::kPageUp)}},
      {"Page Up released", kNone, M::kKeyUp, VirtualKey::kPageUp, int32_t(0xC1490001),
       {Event(kKeyUp, SpecialKey::kPageUp)}},
      {"arrow with Shift and Alt", kShift | kAlt, M::kKeyDown, VirtualKey::kLeft, 0,
       {Event(kKey | 0x3, SpecialKey::kLeft)}},
      {"arrow with Ctrl is still a special key", kCtrl, M::kKeyDown, VirtualKey::kDown, 0,
       {Event(kKey | 0x4, SpecialKey::kDown)}},
      {"character", kNone, M::kChar, 'q', 0x00100001, {Event(kKey, 'q')}},
      {"character with Shift", kShift, M::kChar, 'Q', 0, {Event(kKey | 0x1, 'Q')}},
      {"character above 0xFFFF keeps its low 16 bits", kNone, M::kChar, 0x120AC, 0,
       {Event(kKey, 0x20AC)}},
      {"system character with Alt", kAlt, M::kSysChar, 'f', 0, {Event(kSysChar | 0x2, 'f')}},
      {"left down", kNone, M::kLeftButtonDown, 0x1, MakeLParam(10, 20),
       {Event(kLeftDown, 0, 10, 20)}},
      {"left up", kNone, M::kLeftButtonUp, 0, MakeLParam(11, 21), {Event(kLeftUp, 0, 11, 21)}},
      {"right down with Ctrl", kCtrl, M::kRightButtonDown, 0, MakeLParam(1, 2),
       {Event(kRightDown | 0x4, 0, 1, 2)}},
      {"right up", kNone, M::kRightButtonUp, 0, MakeLParam(3, 4), {Event(kRightUp, 0, 3, 4)}},
      {"middle down", kNone, M::kMiddleButtonDown, 0, MakeLParam(5, 6),
       {Event(kMiddleDown, 0, 5, 6)}},
      {"middle up with all modifiers", kShift | kAlt | kCtrl, M::kMiddleButtonUp, 0,
       MakeLParam(7, 8), {Event(kMiddleUp | 0x7, 0, 7, 8)}},
      {"captured mouse left of and above the window", kNone, M::kLeftButtonUp, 0,
       MakeLParam(-5, -10), {Event(kLeftUp, 0, -5, -10)}},
      {"wheel 60 is one notch", kNone, M::kMouseWheel, WheelDelta(60), MakeLParam(300, 400),
       {Event(kWheel, 0, 300, 400, 0, -1)}},
      {"wheel 240 is two notches", kNone, M::kMouseWheel, WheelDelta(240), 0,
       {Event(kWheel, 0, 0, 0, 0, -2)}},
      {"wheel -60 is one notch back", kNone, M::kMouseWheel, WheelDelta(-60), 0,
       {Event(kWheel, 0, 0, 0, 0, 1)}},
      {"wheel 300 truncates", kNone, M::kMouseWheel, WheelDelta(300) | 0x8, 0,
       {Event(kWheel, 0, 0, 0, 0, -2)}},
      {"wheel 0 is no step", kNone, M::kMouseWheel, WheelDelta(0), 0, {Event(kWheel)}},
      {"horizontal wheel 60", kShift, M::kMouseHWheel, WheelDelta(60), MakeLParam(-1, 9),
       {Event(kWheel | 0x1, 0, -1, 9, 1, 0)}},
      {"horizontal wheel -240", kNone, M::kMouseHWheel, WheelDelta(-240), 0,
       {Event(kWheel, 0, 0, 0, -2, 0)}},
      {"mouse move", kNone, M::kMouseFirst, 0, MakeLParam(1, 1), {}},
      {"right double-click", kNone, M::kRightButtonDblClk, 0, MakeLParam(1, 1), {}},
      {"middle double-click", kNone, M::kMiddleButtonDblClk, 0, MakeLParam(1, 1), {}},
      {"plain key pressed", kNone, M::kKeyDown, 'A', 0x001E0001, {}},
      {"plain key released", kShift, M::kKeyUp, 'A', int32_t(0xC01E0001), {}},
      {"key pressed with Ctrl", kCtrl, M::kKeyDown, 'A', 0x001E0001, {}},
  };
  // clang-format on
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    engine.calls.clear();
    engine.answers[kEvnt] = {0};
    gSystem.held = c.held;
    const bool handled = Send(c.message, c.wParam, c.lParam);
    ExpectEventsReceived(c.events);
    EXPECT_EQ(handled, !c.events.empty());
    for (const FakeEngineCall& call : engine.calls) EXPECT_EQ(call.instance, host->Instance());
  }
}

TEST_F(VisualHostInputTest, EverySpecialKeyHasItsCodeWhenPressedAndReleased) {
  const std::pair<uint32_t, uint16_t> keys[] = {
      {0x26, 0xF700}, {0x28, 0xF701}, {0x25, 0xF702}, {0x27, 0xF703},
      {0x24, 0xF729}, {0x23, 0xF72B}, {0x21, 0xF72C}, {0x22, 0xF72D},
  };
  std::vector<EventRecord> expected;
  for (const auto& [virtualKey, code] : keys) {
    Send(WindowMessage::kKeyDown, virtualKey, 0);
    Send(WindowMessage::kKeyUp, virtualKey, 0);
    expected.push_back(Event(EventKind::kKey, code));
    expected.push_back(Event(EventKind::kKeyUp, code));
  }
  ExpectEventsReceived(expected);
}

TEST_F(VisualHostInputTest, AModifierCountsOnlyWhenHeldNotWhenToggled) {
  gSystem.held = kShift | kAlt | kCtrl;
  gSystem.toggledOnly = true;
  Send(WindowMessage::kChar, 'x', 0);
  ExpectEventsReceived({Event(EventKind::kKey, 'x')});
}

TEST_F(VisualHostInputTest, TheEnginesAnswerDecidesWhetherTheMessageIsHandled) {
  struct Case {
    int64_t answer;
    bool handled;
  };
  const Case cases[] = {
      {0, true}, {kNotConsumed, false}, {kNotHandled, false}, {1, true}, {-1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    engine.answers[kEvnt] = {c.answer};
    EXPECT_EQ(Send(WindowMessage::kChar, 'z', 0), c.handled);
    EXPECT_EQ(Send(WindowMessage::kLeftButtonDown, 0, MakeLParam(50, 40)), c.handled);
    EXPECT_EQ(Send(WindowMessage::kMouseWheel, WheelDelta(120), 0), c.handled);
  }
}

TEST_F(VisualHostInputTest, WithoutATableInputCountsAsConsumed) {
  host->AttachEngine(nullptr);
  engine.calls.clear();
  EXPECT_TRUE(Send(WindowMessage::kKeyDown, VirtualKey::kUp, 0));
  EXPECT_TRUE(Send(WindowMessage::kChar, 'a', 0));
  gSystem.held = kCtrl;
  EXPECT_TRUE(Send(WindowMessage::kChar, 0x01, 0));
  EXPECT_TRUE(Send(WindowMessage::kRightButtonUp, 0, MakeLParam(5, 5)));
  EXPECT_FALSE(Send(WindowMessage::kKeyDown, 'A', 0x001E0001));
  EXPECT_TRUE(engine.calls.empty());
}

// Ctrl+A: the key press remembers the A key's character, the character message brings the
// control code 1. The engine gets the control code first, without Ctrl; only if it leaves it
// (55019) does it get the remembered character with Ctrl.
TEST_F(VisualHostInputTest, CtrlCharacterIsSentPlainFirstAndWithCtrlWhenTheEngineLeavesIt) {
  const EventRecord plain = Event(EventKind::kKey, 0x01);
  const EventRecord withCtrl = Event(EventKind::kKey | 0x4, 'a');
  struct Case {
    const char* name;
    bool pressFirst;    // WM_KEYDOWN of A with Ctrl before the character
    bool releaseFirst;  // then WM_KEYUP of A, which forgets the character
    std::vector<int64_t> answers;
    std::vector<EventRecord> events;
    bool handled;
  };
  // clang-format off
  const Case cases[] = {
      {"engine takes the control code", true, false, {0}, {plain}, true},
      {"engine does not know events", true, false, {kNotHandled}, {plain}, true},
      {"engine leaves it, takes the character", true, false, {kNotConsumed, 0}, {plain, withCtrl},
       true},
      {"engine leaves both", true, false, {kNotConsumed, kNotConsumed}, {plain, withCtrl}, false},
      {"engine leaves it, knows nothing", true, false, {kNotConsumed, kNotHandled},
       {plain, withCtrl}, false},
      {"no character remembered", false, false, {kNotConsumed}, {plain}, false},
      {"character forgotten at key release", true, true, {kNotConsumed}, {plain}, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host->Release();
    host = new MouseBorderHost();  // no character remembered from an earlier case
    host->AttachEngine(library);
    host->StartInstance();
    host->AttachWindow(window, 0, nullptr);
    engine.calls.clear();
    gSystem.mapCalls.clear();
    engine.answers[kEvnt] = c.answers;
    gSystem.held = kCtrl;
    if (c.pressFirst) {
      EXPECT_FALSE(Send(WindowMessage::kKeyDown, 0x41, 0x001E0001));
    }
    if (c.releaseFirst) {
      EXPECT_FALSE(Send(WindowMessage::kKeyUp, 0x41, int32_t(0xC01E0001)));
    }
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(Send(WindowMessage::kChar, 0x01, 0x001E0001), c.handled);
    ExpectEventsReceived(c.events);
    if (c.pressFirst) {
      EXPECT_EQ(gSystem.mapCalls,
                (std::vector<std::pair<uint32_t, uint32_t>>{{0x1E, kMapScanCodeToVirtualKey},
                                                            {0x41, kMapVirtualKeyToChar}}));
    }
  }
}

TEST_F(VisualHostInputTest, KeyPressWithoutCtrlRemembersNothing) {
  Send(WindowMessage::kKeyDown, 0x41, 0x001E0001);
  EXPECT_TRUE(gSystem.mapCalls.empty());
  gSystem.held = kCtrl;
  engine.answers[kEvnt] = {kNotConsumed};
  EXPECT_FALSE(Send(WindowMessage::kChar, 0x01, 0));
  ExpectEventsReceived({Event(EventKind::kKey, 0x01)});
}

TEST_F(VisualHostInputTest, ClicksInTheMouseBorderAtTheSidesAndBottomAreNotPassedOn) {
  host->SetMouseBorder(6);
  gSystem.clientRect = {0, 0, 100, 80};
  struct Case {
    const char* name;
    int32_t x;
    int32_t y;
    bool passed;
  };
  const Case cases[] = {
      {"lower 6 pixels", 50, 77, false},
      {"first pixel of the bottom border", 50, 74, false},
      {"last pixel above it", 50, 73, true},
      {"top 6 pixels", 50, 2, true},
      {"top row", 50, 0, true},
      {"left border", 5, 40, false},
      {"first pixel right of it", 6, 40, true},
      {"right border", 94, 40, false},
      {"last pixel left of it", 93, 40, true},
      {"outside, negative", -3, 40, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    engine.calls.clear();
    engine.answers[kEvnt] = {0};
    EXPECT_EQ(Send(WindowMessage::kLeftButtonDown, 0, MakeLParam(c.x, c.y)), c.passed);
    if (c.passed) {
      ExpectEventsReceived({Event(EventKind::kLeftDown, 0, c.x, c.y)});
    } else {
      ExpectEventsReceived({});
    }
  }
}

TEST_F(VisualHostInputTest, MouseBorderNeedsAClientRectangle) {
  host->SetMouseBorder(6);
  gSystem.hasClientRect = false;
  engine.answers[kEvnt] = {0};
  EXPECT_TRUE(Send(WindowMessage::kLeftButtonDown, 0, MakeLParam(50, 79)));
  ExpectEventsReceived({Event(EventKind::kLeftDown, 0, 50, 79)});
}

TEST_F(VisualHostInputTest, LeftDoubleClickRemovesOneQueuedMouseMessageOfTheWindow) {
  engine.answers[kEvnt] = {0};
  EXPECT_TRUE(Send(WindowMessage::kLeftButtonDblClk, 0, MakeLParam(8, 9)));
  ExpectEventsReceived({Event(EventKind::kLeftDoubleClick, 0, 8, 9)});
  ASSERT_EQ(gSystem.removals.size(), 1u);
  EXPECT_EQ(gSystem.removals[0].window, window);
  EXPECT_EQ(gSystem.removals[0].first, 0x200u);
  EXPECT_EQ(gSystem.removals[0].last, 0x20Eu);

  // Other clicks remove nothing; a double-click in the border is dropped before it removes.
  Send(WindowMessage::kLeftButtonDown, 0, MakeLParam(8, 9));
  Send(WindowMessage::kLeftButtonUp, 0, MakeLParam(8, 9));
  host->SetMouseBorder(6);
  Send(WindowMessage::kLeftButtonDblClk, 0, MakeLParam(1, 1));
  EXPECT_EQ(gSystem.removals.size(), 1u);
}

TEST_F(VisualHostInputTest, AClickTakesTheFocusUnlessTheEnginesFullscreenWindowIsInFront) {
  const HostWindow other = reinterpret_cast<HostWindow>(0x200);
  struct Case {
    const char* name;
    HostWindow foreground;
    const char* foregroundClass;
    bool focuses;
  };
  const Case cases[] = {
      {"host window in front", window, "Anything", false},
      {"another window in front", other, "Notepad", true},
      {"engine fullscreen window in front", other, "NVFullscreenWindowClass", false},
      {"class differs in case", other, "nvfullscreenwindowclass", true},
      {"class with a longer name", other, "NVFullscreenWindowClassic", true},
      {"no window in front", nullptr, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gSystem.foreground = c.foreground;
    gSystem.foregroundClass = c.foregroundClass;
    gSystem.focusCalls.clear();
    gSystem.classNameCapacities.clear();
    engine.calls.clear();
    engine.answers[kEvnt] = {0};
    EXPECT_TRUE(Send(WindowMessage::kRightButtonDown, 0, MakeLParam(4, 4)));
    EXPECT_EQ(gSystem.focusCalls,
              c.focuses ? std::vector<HostWindow>{window} : std::vector<HostWindow>{});
    for (int32_t capacity : gSystem.classNameCapacities) EXPECT_EQ(capacity, 64);
    ExpectEventsReceived({Event(EventKind::kRightDown, 0, 4, 4)});
  }
  // Keys and wheels never move the focus.
  gSystem.foreground = other;
  gSystem.foregroundClass = "Notepad";
  gSystem.focusCalls.clear();
  Send(WindowMessage::kMouseWheel, WheelDelta(120), 0);
  Send(WindowMessage::kChar, 'a', 0);
  EXPECT_TRUE(gSystem.focusCalls.empty());
}

TEST_F(VisualHostInputTest, ClicksWithoutAWindowTouchNeitherFocusNorQueue) {
  host->DetachTarget();
  engine.calls.clear();
  gSystem.foreground = reinterpret_cast<HostWindow>(0x200);
  gSystem.foregroundClass = "Notepad";
  engine.answers[kEvnt] = {0};
  EXPECT_TRUE(Send(WindowMessage::kLeftButtonDblClk, 0, MakeLParam(3, 3)));
  EXPECT_TRUE(gSystem.focusCalls.empty());
  EXPECT_TRUE(gSystem.removals.empty());
  ExpectEventsReceived({Event(EventKind::kLeftDoubleClick, 0, 3, 3)});
}

TEST_F(VisualHostInputTest, AMoveOrResizeReattachesTheWindowAtTheNextStep) {
  struct Case {
    const char* name;
    uint32_t flags;
    bool reattaches;
  };
  const Case cases[] = {
      {"moved and resized", 0, true},
      {"moved only", WindowPositionFlag::kNoSize, true},
      {"resized only", WindowPositionFlag::kNoMove, true},
      {"z-order only", WindowPositionFlag::kNoSize | WindowPositionFlag::kNoMove | 0x4, false},
  };
  engine.answers[HostRequest::kIsFullscreen] = {0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowPosition position = {window, nullptr, 1, 2, 300, 200, c.flags};
    EXPECT_FALSE(Send(WindowMessage::kWindowPosChanged, 0, reinterpret_cast<intptr_t>(&position)));
    engine.calls.clear();
    host->Step();
    std::vector<std::string> expected = {"RunFrame"};
    if (c.reattaches) expected = {"Request", "SetTarget", "RunFrame"};  // 'GetF', then attach
    EXPECT_EQ(engine.Entries(), expected);
  }
  EXPECT_FALSE(Send(WindowMessage::kWindowPosChanged, 0, 0));
  engine.calls.clear();
  host->Step();
  EXPECT_EQ(engine.Entries(), (std::vector<std::string>{"RunFrame"}));
}

}  // namespace
