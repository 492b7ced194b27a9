#include "visualhost/host/HostDescriptors.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct DescriptorCase {
  const char* literal;
  const char* hostName;
  const char* settings;  // everything between the Host setting's padding and the trailing blanks
  size_t hostBlanks;     // blanks after Host="<name>"
  size_t trailingBlanks;
  size_t width;
};

const DescriptorCase kCases[] = {
    {HostDescriptor::kStandalone, "Standalone", "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=0",
     11, 26, 101},
    {HostDescriptor::kJRiverMediaCenter, "JRiver Media Center",
     "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1", 2, 26, 101},
    {HostDescriptor::kWindowsMediaPlayer, "Windows Media Player",
     "Realtime=1 FSFlags=2 Kybd=0 Mouse=1 HostAudio=1", 1, 26, 101},
    {HostDescriptor::kWindowsMediaCenter, "Windows Media Center",
     "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1", 1, 26, 101},
    {HostDescriptor::kITunes, "iTunes", "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1", 15, 26,
     101},
    {HostDescriptor::kQcd, "QCD", "Realtime=1 FSFlags=0 Kybd=0 Mouse=1 HostAudio=1", 18, 26, 101},
    {HostDescriptor::kRealPlayer, "RealPlayer", "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1",
     11, 26, 101},
    {HostDescriptor::kXmplay, "XMPlay", "Realtime=1 FSFlags=0 Kybd=0 Mouse=0 HostAudio=1", 15, 26,
     101},
    {HostDescriptor::kVirtualDj, "VirtualDJ",
     "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1 UI.Enabled=1", 12, 12, 100},
    {HostDescriptor::kWinamp, "Winamp", "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1", 15, 26,
     101},
    {HostDescriptor::kJetAudio, "jetAudio", "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1", 13,
     26, 101},
    {HostDescriptor::kMediaMonkey, "MediaMonkey", "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1",
     10, 26, 101},
    {HostDescriptor::kVlc, "VLC", "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1", 18, 26, 101},
};

TEST(HostDescriptorsTest, EveryLiteralIsTheHostSettingThePaddingTheSettingsAndTrailingBlanks) {
  for (const DescriptorCase& c : kCases) {
    SCOPED_TRACE(c.hostName);
    const std::string literal = c.literal;
    const std::string hostSetting = std::string("Host=\"") + c.hostName + "\"";
    const std::string expected = hostSetting + std::string(c.hostBlanks, ' ') + c.settings +
                                 std::string(c.trailingBlanks, ' ');
    EXPECT_EQ(literal, expected);
    EXPECT_EQ(literal.size(), c.width);
    EXPECT_EQ(hostSetting.size() + c.hostBlanks, HostDescriptor::kHostSettingWidth);
  }
}

TEST(HostDescriptorsTest, BlankRunsAreOnlyThePaddingAndTheSingleSeparators) {
  for (const DescriptorCase& c : kCases) {
    SCOPED_TRACE(c.hostName);
    const std::string literal = c.literal;
    // Every run of two or more blanks, by its start and length.
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t i = 0; i < literal.size();) {
      size_t end = i;
      while (end < literal.size() && literal[end] == ' ') ++end;
      if (end - i >= 2) runs.emplace_back(i, end - i);
      i = end > i ? end : i + 1;
    }
    // Names with blanks inside ("Windows Media Player") have single blanks only.
    std::vector<std::pair<size_t, size_t>> expected;
    const size_t hostEnd = HostDescriptor::kHostSettingWidth - c.hostBlanks;
    if (c.hostBlanks >= 2) expected.emplace_back(hostEnd, c.hostBlanks);
    expected.emplace_back(c.width - c.trailingBlanks, c.trailingBlanks);
    EXPECT_EQ(runs, expected);
  }
}

}  // namespace
