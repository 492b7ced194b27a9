// The binding of the multi-monitor functions: names asked in order, all or none kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "visualhost/monitors/Monitors.h"

namespace {

std::vector<std::string> gAsked;
std::string gMissing;  // the name the look-up cannot find; empty: finds all

void FakeProc() {}

SystemProc LookUp(const char* name) {
  gAsked.push_back(name);
  return gMissing == name ? nullptr : &FakeProc;
}

class MonitorBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gAsked.clear();
    gMissing.clear();
  }
  // Later users get the system's binding back.
  void TearDown() override { RebindMonitorFunctions(nullptr); }
};

const std::vector<std::string> kAllNames = {
    "GetSystemMetrics",    "MonitorFromWindow", "MonitorFromRect",     "MonitorFromPoint",
    "EnumDisplayMonitors", "GetMonitorInfoA",   "EnumDisplayDevicesA",
};

std::vector<SystemProc> Bound() {
  const MonitorFunctions& f = BoundMonitorFunctions();
  return {f.getSystemMetrics,    f.monitorFromWindow, f.monitorFromRect,    f.monitorFromPoint,
          f.enumDisplayMonitors, f.getMonitorInfoA,   f.enumDisplayDevicesA};
}

TEST_F(MonitorBindingTest, AllSevenFoundAreBoundInOrder) {
  EXPECT_TRUE(RebindMonitorFunctions(&LookUp));
  EXPECT_EQ(gAsked, kAllNames);
  EXPECT_TRUE(BindMonitorFunctions());
  for (SystemProc proc : Bound()) EXPECT_EQ(proc, &FakeProc);
  // Later calls only report: nothing is looked up again.
  EXPECT_TRUE(BindMonitorFunctions());
  EXPECT_EQ(gAsked.size(), kAllNames.size());
}

TEST_F(MonitorBindingTest, OneMissingFunctionStopsTheLookUpAndBindsNone) {
  for (size_t missing = 0; missing < kAllNames.size(); ++missing) {
    SCOPED_TRACE(kAllNames[missing]);
    ASSERT_TRUE(RebindMonitorFunctions(&LookUp));
    gAsked.clear();
    gMissing = kAllNames[missing];
    EXPECT_FALSE(RebindMonitorFunctions(&LookUp));
    EXPECT_EQ(gAsked, std::vector<std::string>(kAllNames.begin(), kAllNames.begin() + missing + 1));
    EXPECT_FALSE(BindMonitorFunctions());
    for (SystemProc proc : Bound()) EXPECT_EQ(proc, nullptr);
    gMissing.clear();
  }
}

TEST_F(MonitorBindingTest, PseudoHandleIsTheFixedValue) {
  EXPECT_EQ(reinterpret_cast<uintptr_t>(PrimaryMonitorPseudoHandle()), 0x12340042u);
}

}  // namespace
