// Host descriptors: the settings text each host gives the engine when it creates its instance.
//
// One line: Host="<name>" padded with blanks to 28 characters, then Realtime, FSFlags, Kybd,
// Mouse and HostAudio separated by single blanks, further settings where a host has them, and
// blanks up to the fixed width. The engine reads the text as it stands, padding included, so
// these are written out exactly rather than built at run time. Each literal is given in three
// pieces: the padded Host setting, the other settings, the trailing blanks.
#pragma once

#include <cstddef>

namespace HostDescriptor {

// Every descriptor is padded to this width except the VirtualDJ one.
constexpr size_t kWidth = 101;
constexpr size_t kVirtualDjWidth = 100;
// Width of the Host="<name>" setting with its padding.
constexpr size_t kHostSettingWidth = 28;

constexpr char kStandalone[] =
    "Host=\"Standalone\"           "
    "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=0"
    "                          ";
constexpr char kJRiverMediaCenter[] =
    "Host=\"JRiver Media Center\"  "
    "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kWindowsMediaPlayer[] =
    "Host=\"Windows Media Player\" "
    "Realtime=1 FSFlags=2 Kybd=0 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kWindowsMediaCenter[] =
    "Host=\"Windows Media Center\" "
    "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kITunes[] =
    "Host=\"iTunes\"               "
    "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kQcd[] =
    "Host=\"QCD\"                  "
    "Realtime=1 FSFlags=0 Kybd=0 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kRealPlayer[] =
    "Host=\"RealPlayer\"           "
    "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kXmplay[] =
    "Host=\"XMPlay\"               "
    "Realtime=1 FSFlags=0 Kybd=0 Mouse=0 HostAudio=1"
    "                          ";
constexpr char kVirtualDj[] =
    "Host=\"VirtualDJ\"            "
    "Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=1 UI.Enabled=1"
    "            ";
constexpr char kWinamp[] =
    "Host=\"Winamp\"               "
    "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kJetAudio[] =
    "Host=\"jetAudio\"             "
    "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kMediaMonkey[] =
    "Host=\"MediaMonkey\"          "
    "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";
constexpr char kVlc[] =
    "Host=\"VLC\"                  "
    "Realtime=1 FSFlags=1 Kybd=1 Mouse=1 HostAudio=1"
    "                          ";

static_assert(sizeof(kStandalone) - 1 == kWidth);
static_assert(sizeof(kJRiverMediaCenter) - 1 == kWidth);
static_assert(sizeof(kWindowsMediaPlayer) - 1 == kWidth);
static_assert(sizeof(kWindowsMediaCenter) - 1 == kWidth);
static_assert(sizeof(kITunes) - 1 == kWidth);
static_assert(sizeof(kQcd) - 1 == kWidth);
static_assert(sizeof(kRealPlayer) - 1 == kWidth);
static_assert(sizeof(kXmplay) - 1 == kWidth);
static_assert(sizeof(kVirtualDj) - 1 == kVirtualDjWidth);
static_assert(sizeof(kWinamp) - 1 == kWidth);
static_assert(sizeof(kJetAudio) - 1 == kWidth);
static_assert(sizeof(kMediaMonkey) - 1 == kWidth);
static_assert(sizeof(kVlc) - 1 == kWidth);

}  // namespace HostDescriptor
