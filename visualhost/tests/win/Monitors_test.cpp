// Monitor sizes against what the system itself says, with the multi-monitor functions bound
// and with them pretended missing.
#include <windows.h>

#include <gtest/gtest.h>

#include "visualhost/monitors/Monitors.h"

namespace {

SystemProc NothingFound(const char*) {
  return nullptr;
}

class MonitorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "monitor test", WS_POPUP, 30, 30, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    ASSERT_NE(monitor, nullptr);
  }
  void TearDown() override {
    RebindMonitorFunctions(nullptr);
    if (window != nullptr) DestroyWindow(window);
  }

  HWND window = nullptr;
  HMONITOR monitor = nullptr;
};

TEST_F(MonitorsTest, SizeOfTheMonitorHoldingAWindowIsItsWholeRectangle) {
  ASSERT_TRUE(BindMonitorFunctions());
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoA(monitor, &info));
  MonitorSize size = {-1, -1, -1};
  ASSERT_TRUE(GetMonitorSize(monitor, &size));
  EXPECT_EQ(size.width, info.rcMonitor.right - info.rcMonitor.left);
  EXPECT_EQ(size.height, info.rcMonitor.bottom - info.rcMonitor.top);
  EXPECT_EQ(size.reserved, 0);
  EXPECT_GT(size.width, 0);
}

TEST_F(MonitorsTest, WithoutTheFunctionsOnlyThePseudoHandleIsMeasured) {
  ASSERT_FALSE(RebindMonitorFunctions(&NothingFound));
  MonitorSize size = {-1, -1, -1};
  ASSERT_TRUE(GetMonitorSize(PrimaryMonitorPseudoHandle(), &size));
  EXPECT_EQ(size.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(size.height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(size.reserved, 0);

  for (HostMonitor other : {HostMonitor(monitor), HostMonitor(nullptr)}) {
    size = {-1, -1, -1};
    EXPECT_FALSE(GetMonitorSize(other, &size));
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
    EXPECT_EQ(size.reserved, 0);
  }
  EXPECT_FALSE(GetMonitorSize(PrimaryMonitorPseudoHandle(), nullptr));
}

TEST_F(MonitorsTest, RebindingWithTheSystemsLookUpBindsAgain) {
  ASSERT_FALSE(RebindMonitorFunctions(&NothingFound));
  EXPECT_TRUE(RebindMonitorFunctions(nullptr));
  EXPECT_TRUE(BindMonitorFunctions());
  MonitorSize size = {};
  EXPECT_TRUE(GetMonitorSize(monitor, &size));
}

}  // namespace
