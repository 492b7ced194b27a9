#include "NV_VLC/tests/FakeSessionDriver.h"

#include <gtest/gtest.h>

FakeSessionDriver::~FakeSessionDriver() { EXPECT_EQ(host, nullptr) << "a session was left running"; }

VlcVisualHost* FakeSessionDriver::Start(int32_t width, int32_t height, int32_t* status,
                                        int32_t* secondStatus) {
  journal.push_back("start " + std::to_string(width) + "x" + std::to_string(height));
  if (duringStart) duringStart();
  if (failStart) {
    *status = 55040;
    *secondStatus = 55100;
    return nullptr;
  }
  EXPECT_EQ(host, nullptr) << "a second session started";
  host = new VlcVisualHost();
  return host;
}

void FakeSessionDriver::Stop(const char* reason) {
  journal.push_back(std::string("stop ") + reason);
  if (host != nullptr) host->Release();
  host = nullptr;
}

void FakeSessionDriver::ArmTimer(int32_t milliseconds, uint32_t generation) {
  journal.push_back("timer " + std::to_string(milliseconds));
  timerMs = milliseconds;
  timerGeneration = generation;
}

void FakeSessionDriver::Log(bool error, const char* text) {
  journal.push_back(std::string(error ? "error " : "log ") + text);
}
