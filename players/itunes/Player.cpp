#include "players/itunes/Player.h"

#include <cstring>
#include <string>

#include "players/itunes/ItunesStandInControl.h"
#include "players/shared/MessagePump.h"
#include "players/shared/PlayerWindow.h"
#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInPlugin.h"
#include "players/shared/StandInRun.h"
#include "refengine/JournalLine.h"
#include "refengine/tests/ArtImages.h"

namespace itunes_standin {
namespace {

using refengine::JournalLine;
using standin::WriteJournal;
using standin::WriteUnexpected;

constexpr uint32_t kCoverColour = 0x3366CC;

itunes::Code CodeOf(const char* text) {
  return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
         uint32_t(uint8_t(text[2])) << 8 | uint32_t(uint8_t(text[3]));
}

LRESULT CALLBACK ViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    // By now a plug-in that subclassed the window must have given it back.
    const bool own =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == &ViewProcedure;
    WriteJournal(JournalLine(call::kViewDestroy).Number("own", own ? 1 : 0));
  }
  if (message == WM_PAINT) {
    ValidateRect(window, nullptr);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeView(HINSTANCE instance) {
  standin::RegisterPlayerWindowClass(instance, kWindowClass, &ViewProcedure,
                                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  return standin::CreatePlayerWindow(instance, kWindowClass, L"iTunes stand-in",
                                     WS_OVERLAPPEDWINDOW, {40, 40, kViewWidth, kViewHeight});
}

// One of iTunes' counted strings from ASCII text (null: empty).
void PutString(itunes::String255& field, const char* text) {
  std::memset(field, 0, sizeof field);
  if (text == nullptr) return;
  const size_t length = std::min<size_t>(std::strlen(text), itunes::kStringUnits - 1);
  field[0] = char16_t(length);
  for (size_t i = 0; i < length; ++i) field[1 + i] = char16_t(text[i]);
}

std::u16string Counted(const itunes::String255& field) {
  const size_t length = std::min<size_t>(field[0], itunes::kStringUnits - 1);
  return std::u16string(&field[1], length);
}

// Whether every byte of the message after `from` is zero.
bool ZeroFrom(const itunes::PlayerMessage& message, size_t from) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&message);
  for (size_t i = from; i < sizeof message; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

itunes::RenderData PulseData(int seed) {
  itunes::RenderData data = {};
  data.waveformChannels = 2;
  data.spectrumChannels = 2;
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < itunes::kPulseValues; ++i) {
      data.waveform[c][i] = PulseWaveform(seed, c, i);
      data.spectrum[c][i] = PulseSpectrum(seed, c, i);
    }
  }
  return data;
}

}  // namespace

Player::Player(const standin::StandInSetup& setup) : mSetup(setup) {}

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  mInstance = instance;
  mDeadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  mView = MakeView(instance);
  WriteJournal(JournalLine(call::kStarted).Address("window", mView));
  return standin::RunStandIn(*this, {mView, mDeadline, kExitNoPlugin, "no plug-in"}, mSetup.steps);
}

bool Player::LoadPlugin() {
  mLibrary = standin::LoadPluginJournaled(mSetup.PluginPath());
  if (mLibrary == nullptr) return false;
  // Through void* first: the export's real type is only known by name.
  mMain = reinterpret_cast<itunes::PluginMainFn>(
      reinterpret_cast<void*>(GetProcAddress(mLibrary, itunes::kPluginMainName)));
  return mMain != nullptr;
}

// The library stays loaded to the end, as iTunes keeps its plug-ins.
HMODULE Player::LibraryToUnload() {
  return nullptr;
}

itunes::Status ITUNES_CALL Player::ApplicationCallback(void* cookie, itunes::Code code,
                                                       itunes::PlayerMessage* message) {
  auto* player = static_cast<Player*>(cookie);
  if (player == nullptr) {
    WriteUnexpected("an application call without the player's cookie");
    return -50;
  }
  return player->TakePlayerMessage(code, message);
}

itunes::Status Player::TakePlayerMessage(itunes::Code code, const itunes::PlayerMessage* message) {
  if (message == nullptr) {
    WriteUnexpected("an application call without a message");
    return -50;
  }
  const itunes::PlayerMessageHeader& header = message->header;
  if (code == itunes::player_message::kRegisterVisualPlugin) {
    TakeRegistration(*message);
    return itunes::Status(mSetup.Number("regv", 0));
  }
  JournalLine line(call::kPlayerCall);
  line.Code("code", code)
      .Number("major", header.majorVersion)
      .Number("minor", header.minorVersion)
      .Number("size", header.messageSize);
  itunes::Status answer = 0;
  if (code == itunes::player_message::kSetFullscreen) {
    answer = itunes::Status(mSetup.Number("sful", 0));
    line.Number("fullscreen", message->u.setFullscreen.fullscreen)
        .Number("zeroTail", ZeroFrom(*message, 13) ? 1 : 0);
  } else if (code == itunes::player_message::kRequestCoverArt) {
    line.Number("zeroTail", ZeroFrom(*message, 12) ? 1 : 0);
  } else {
    WriteUnexpected("an application call of an unknown code");
    answer = -4;
  }
  WriteJournal(line.Number("answer", answer));
  return answer;
}

void Player::TakeRegistration(const itunes::PlayerMessage& message) {
  const itunes::RegisterVisualPluginFields& fields = message.u.registerVisualPlugin;
  const std::u16string name = Counted(fields.name);
  mHandler = fields.handler;
  mHandlerReference = fields.handlerReference;
  WriteJournal(JournalLine(call::kRegister)
                   .Number("major", message.header.majorVersion)
                   .Number("minor", message.header.minorVersion)
                   .Number("size", message.header.messageSize)
                   .Number("nameLength", fields.name[0])
                   .WideText("name", name.c_str(), name.size())
                   .Number("options", fields.options)
                   .Code("creator", fields.creator)
                   .Number("version", fields.version)
                   .Address("handler", reinterpret_cast<const void*>(fields.handler))
                   .Address("reference", fields.handlerReference)
                   .Number("pulseRate", fields.pulseRate)
                   .Number("waveformChannels", fields.waveformChannels)
                   .Number("spectrumChannels", fields.spectrumChannels)
                   .Number("minWidth", fields.minWidth)
                   .Number("minHeight", fields.minHeight)
                   .Number("maxWidth", fields.maxWidth)
                   .Number("maxHeight", fields.maxHeight));
}

itunes::Status Player::Main(itunes::Code code, void* message) {
  const itunes::Status result = mMain(code, message, nullptr);
  WriteJournal(JournalLine(call::kMain).Code("code", code).Number("result", result));
  return result;
}

itunes::Status Player::Send(itunes::Code code, itunes::VisualMessage* message) {
  if (mHandler == nullptr) {
    WriteUnexpected("a handler message before the plug-in registered a handler");
    return -4;
  }
  return mHandler(code, message, mHandlerReference);
}

void Player::RunStep(const standin::Step& step) {
  const auto& n = step.numbers;
  const std::string& verb = step.verb;
  auto pick = [&](const auto& table) -> const char* {
    const size_t count = sizeof(table) / sizeof(table[0]);
    return n[0] >= 0 && size_t(n[0]) < count ? table[n[0]] : nullptr;
  };
  if (verb == "init") {
    itunes::PluginInitMessage init = {itunes::kMajorMessageVersion, itunes::kMinorMessageVersion,
                                      this, &ApplicationCallback};
    Main(itunes::main_message::kInit, &init);
  } else if (verb == "nullinit") {
    Main(itunes::main_message::kInit, nullptr);
  } else if (verb == "main") {
    if (const char* code = pick(kMainCodes)) Main(CodeOf(code), nullptr);
  } else if (verb == "hinit") {
    InitHandler();
  } else if (verb == "show") {
    itunes::VisualMessage message = {};
    message.u.show.window = mView;
    message.u.show.options = uint8_t(n[0]);
    const itunes::Status result = Send(itunes::visual_message::kShow, &message);
    WriteJournal(JournalLine(call::kHandler).Code("code", itunes::visual_message::kShow)
                     .Number("result", result));
  } else if (verb == "hide") {
    itunes::VisualMessage message = {};
    const itunes::Status result = Send(itunes::visual_message::kHide, &message);
    WriteJournal(JournalLine(call::kHandler).Code("code", itunes::visual_message::kHide)
                     .Number("result", result));
  } else if (verb == "draw") {
    Draw(n[0]);
  } else if (verb == "pulse") {
    const itunes::RenderData data = PulseData(n[0]);
    Pulse(&data);
  } else if (verb == "nopulse") {
    Pulse(nullptr);
  } else if (verb == "play" || verb == "ctrk") {
    Play(verb == "play" ? itunes::visual_message::kPlay : itunes::visual_message::kChangeTrack,
         n[0]);
  } else if (verb == "art" || verb == "noart") {
    CoverArt(verb == "art");
  } else if (verb == "send") {
    if (const char* code = pick(kPlainCodes)) {
      itunes::VisualMessage message = {};
      const itunes::Status result = Send(CodeOf(code), &message);
      WriteJournal(JournalLine(call::kHandler).Code("code", CodeOf(code)).Number("result", result));
    }
  } else if (verb == "move") {
    itunes::VisualMessage message = {};
    message.u.setPosition.options = uint8_t(n[0]);
    const itunes::Status result = Send(itunes::visual_message::kSetPosition, &message);
    WriteJournal(JournalLine(call::kHandler).Code("code", itunes::visual_message::kSetPosition)
                     .Number("result", result));
  } else if (verb == "nullmsg") {
    if (const char* code = pick(kRecordCodes)) {
      const itunes::Status result = Send(CodeOf(code), nullptr);
      WriteJournal(JournalLine(call::kHandler).Code("code", CodeOf(code)).Number("result", result));
    }
  } else if (verb == "key") {
    SendMessageW(mView, WM_CHAR, WPARAM(n[0]), 1);
  } else if (verb == "monitor") {
    BecomeMonitorSized();
  } else if (verb == "destroy") {
    const BOOL destroyed = DestroyWindow(mView);
    WriteJournal(JournalLine(call::kDestroyed).Number("result", destroyed));
  } else if (verb == "state") {
    JournalState();
  } else if (verb == "wait") {
    PumpFor(n[0]);
  }
}

void Player::InitHandler() {
  itunes::VisualMessage message = {};
  itunes::VisualInitFields& init = message.u.init;
  init.majorVersion = itunes::kMajorMessageVersion;
  init.minorVersion = itunes::kMinorMessageVersion;
  init.cookie = this;
  init.callback = &ApplicationCallback;
  init.reference = mHandlerReference;
  const itunes::Status result = Send(itunes::visual_message::kInit, &message);
  mHandlerReference = init.reference;
  WriteJournal(JournalLine(call::kHandler)
                   .Code("code", itunes::visual_message::kInit)
                   .Number("result", result)
                   .Address("reference", mHandlerReference));
}

void Player::Draw(int32_t count) {
  const ULONGLONG start = GetTickCount64();
  itunes::Status result = 0;
  for (int32_t i = 0; i < count; ++i) {
    itunes::VisualMessage message = {};
    const itunes::Status one = Send(itunes::visual_message::kDraw, &message);
    if (one != 0) result = one;
    PumpFor(0);
  }
  WriteJournal(JournalLine(call::kHandler)
                   .Code("code", itunes::visual_message::kDraw)
                   .Number("result", result)
                   .Number("count", count)
                   .Number("ms", int64_t(GetTickCount64() - start)));
}

void Player::Pulse(const itunes::RenderData* data) {
  itunes::VisualMessage message = {};
  message.u.render.data = data;
  const itunes::Status result = Send(itunes::visual_message::kRenderData, &message);
  WriteJournal(JournalLine(call::kHandler)
                   .Code("code", itunes::visual_message::kRenderData)
                   .Number("result", result)
                   .Number("data", data != nullptr ? 1 : 0)
                   .Number("rate", message.u.render.newPulseRate));
}

void Player::Play(itunes::Code code, int32_t trackCase) {
  if (trackCase < 0 || size_t(trackCase) >= sizeof(kTrackCases) / sizeof(kTrackCases[0])) {
    WriteUnexpected("a track case the player does not have");
    return;
  }
  const TrackCase& c = kTrackCases[trackCase];
  itunes::TrackInfo track = {};
  itunes::StreamInfo stream = {};
  track.validFields = c.trackFields;
  PutString(track.name, c.name);
  PutString(track.fileName, c.fileName);
  PutString(track.artist, c.artist);
  PutString(track.album, c.album);
  track.year = c.year;
  if (c.longName) {
    track.name[0] = 300;
    for (int i = 1; i < itunes::kStringUnits; ++i) track.name[i] = u'n';
  }
  stream.validFields = c.streamFields;
  PutString(stream.title, c.streamTitle);
  PutString(stream.url, c.url);
  PutString(stream.message, c.message);
  itunes::VisualMessage message = {};
  message.u.play.track = c.track ? &track : nullptr;
  message.u.play.stream = c.stream ? &stream : nullptr;
  const itunes::Status result = Send(code, &message);
  WriteJournal(JournalLine(call::kHandler)
                   .Code("code", code)
                   .Number("result", result)
                   .Number("case", trackCase));
}

void Player::CoverArt(bool withBytes) {
  if (withBytes && mCover.empty()) {
    mCover = refengine_test::SolidPng(kCoverWidth, kCoverHeight, kCoverColour);
  }
  itunes::VisualMessage message = {};
  if (withBytes) {
    message.u.coverArt.bytes = mCover.data();
    message.u.coverArt.byteCount = uint32_t(mCover.size());
  }
  const itunes::Status result = Send(itunes::visual_message::kCoverArt, &message);
  WriteJournal(JournalLine(call::kHandler)
                   .Code("code", itunes::visual_message::kCoverArt)
                   .Number("result", result)
                   .Address("bytes", message.u.coverArt.bytes)
                   .Number("byteCount", message.u.coverArt.byteCount));
}

void Player::BecomeMonitorSized() {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(mView, MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT& area = info.rcMonitor;
  SetWindowLongPtrW(mView, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  SetWindowPos(mView, nullptr, area.left, area.top, area.right - area.left,
               area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RECT client = {};
  GetClientRect(mView, &client);
  WriteJournal(JournalLine(call::kMonitor)
                   .Number("width", client.right - client.left)
                   .Number("height", client.bottom - client.top));
}

void Player::JournalState() {
  const bool exists = IsWindow(mView) != FALSE;
  const bool own = exists && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(mView, GWLP_WNDPROC)) ==
                                 &ViewProcedure;
  WriteJournal(JournalLine(call::kState)
                   .Number("exists", exists ? 1 : 0)
                   .Number("own", own ? 1 : 0)
                   .Number("bar", standin::WindowPixel(mView, kBarPointX, kBarPointY)));
}

void Player::PumpFor(int64_t milliseconds) {
  standin::PumpMessagesFor(milliseconds, mDeadline);
}

}  // namespace itunes_standin
