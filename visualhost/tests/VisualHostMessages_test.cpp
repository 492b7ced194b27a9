// The window messages the host base handles itself, and the engine's say over the window's
// place.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "visualhost/host/HostDescriptors.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/tests/FakeEngine.h"
#include "visualhost/tests/FakeEngineHostTest.h"

namespace {

using Entries = std::vector<std::string>;

class PlainHost : public VisualHost {};

class VisualHostMessagesTest : public FakeEngineHostTest<PlainHost> {
 protected:
  void SetUp() override {
    FakeEngineHostTest::SetUp();
    host->AttachWindow(window, 0, nullptr);
    engine.calls.clear();
  }

  HostWindow window = reinterpret_cast<HostWindow>(0x100);
};

struct MessageCase {
  const char* name;
  uint32_t message;
  bool handled;
  intptr_t result;
  bool detaches;
};

TEST_F(VisualHostMessagesTest, ClosingDetachesAndPaintingIsLeftToTheEngine) {
  const MessageCase cases[] = {
      {"WM_CLOSE", 0x0010, false, -1, true},     {"WM_DESTROY", 0x0002, false, -1, true},
      {"WM_PAINT", 0x000F, true, 0, false},      {"WM_ERASEBKGND", 0x0014, true, 0, false},
      {"WM_SETFOCUS", 0x0007, false, -1, false},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    host->AttachWindow(window, 0, nullptr);
    engine.calls.clear();
    bool handled = !c.handled;
    EXPECT_EQ(host->HandleMessage(c.message, 0, 0, &handled), c.result);
    EXPECT_EQ(handled, c.handled);
    if (c.detaches) {
      ASSERT_EQ(engine.Entries(), (Entries{"SetTarget"}));
      EXPECT_EQ(engine.calls[0].target, nullptr);
      EXPECT_EQ(host->AttachedWindow(), nullptr);
    } else {
      EXPECT_TRUE(engine.Entries().empty());
      EXPECT_EQ(host->AttachedWindow(), window);
    }
  }
}

TEST_F(VisualHostMessagesTest, WithoutAnAttachedWindowPaintingIsLeftToTheSystem) {
  host->DetachTarget();
  for (uint32_t message : {uint32_t(0x000F), uint32_t(0x0014)}) {
    SCOPED_TRACE(message);
    bool handled = true;
    EXPECT_EQ(host->HandleMessage(message, 0, 0, &handled), -1);
    EXPECT_FALSE(handled);
  }
}

TEST_F(VisualHostMessagesTest, PlaceWindowAsksTheEngineForTheWindowRectangle) {
  engine.answers[HostRequest::kWindowRect] = {0};  // and leaves the rectangle empty
  host->PlaceWindow(window);
  ASSERT_EQ(engine.Entries(), (Entries{"Request"}));
  EXPECT_EQ(engine.calls[0].code, HostRequest::kWindowRect);
  EXPECT_EQ(engine.calls[0].instance, host->Instance());
}

TEST_F(VisualHostMessagesTest, PlaceWindowWithoutAnEngineAsksNothing) {
  host->AttachEngine(nullptr);
  engine.calls.clear();
  host->PlaceWindow(window);
  EXPECT_TRUE(engine.Entries().empty());
}

}  // namespace
