#include "players/virtualdj/Player.h"

#include <cmath>
#include <string>
#include <vector>

#include "players/shared/MessagePump.h"
#include "players/shared/PlayerWindow.h"
#include "players/shared/StandInJournal.h"
#include "players/shared/StandInMain.h"
#include "players/shared/StandInPlugin.h"
#include "players/shared/StandInRun.h"
#include "players/virtualdj/FailingDevice.h"
#include "players/virtualdj/SkinCheck.h"
#include "players/virtualdj/VirtualDjStandInControl.h"
#include "refengine/JournalLine.h"

namespace virtualdj_standin {
namespace {

using refengine::JournalLine;
using standin::WriteJournal;
using namespace virtualdj;

Player* gPlayer = nullptr;

// VirtualDJ's video callbacks, of which the plug-in asks only for the device.
Result VIRTUALDJ_MEMBER_CALL DrawDeck(VideoCallbacks*) {
  standin::WriteUnexpected("video callback DrawDeck");
  return result::kNotImplemented;
}

Result VIRTUALDJ_MEMBER_CALL GetDevice(VideoCallbacks*, int32_t engine, void** device) {
  int kind = 0;
  void* handed = engine == kEngineDirect3D9 ? gPlayer->HandedDevice(&kind) : nullptr;
  if (engine != kEngineDirect3D9) standin::WriteUnexpected("GetDevice for another engine");
  if (device != nullptr) *device = handed;
  const Result answer = handed != nullptr ? result::kOk : result::kFail;
  WriteJournal(JournalLine(call::kGetDevice)
                   .Number("engine", engine)
                   .Number("kind", kind)
                   .Number("answer", answer));
  return answer;
}

Result VIRTUALDJ_MEMBER_CALL GetTexture(VideoCallbacks*, int32_t, void**, void**) {
  standin::WriteUnexpected("video callback GetTexture");
  return result::kNotImplemented;
}

const VideoCallbacksTable kVideoTable = {&DrawDeck, &GetDevice, &GetTexture};
VideoCallbacks gVideoCallbacks = {&kVideoTable};

// The general callbacks: a table the plug-in is not expected to call at all.
void VIRTUALDJ_MEMBER_CALL UnexpectedCallback(Callbacks*) {
  standin::WriteUnexpected("general callback");
}
const void* const kGeneralTable[] = {
    reinterpret_cast<const void*>(&UnexpectedCallback),
    reinterpret_cast<const void*>(&UnexpectedCallback),
    reinterpret_cast<const void*>(&UnexpectedCallback),
    reinterpret_cast<const void*>(&UnexpectedCallback),
    reinterpret_cast<const void*>(&UnexpectedCallback),
};
Callbacks gCallbacks = {kGeneralTable};

std::string TextOf(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

Player::Player(const standin::StandInSetup& setup) : mSetup(setup) {
  gPlayer = this;
}

Player::~Player() {
  if (mDevice) mDevice->Release();
  if (mDirect3D) mDirect3D->Release();
  gPlayer = nullptr;
}

void* Player::HandedDevice(int* kind) const {
  *kind = mDeviceKind;
  if (mDeviceKind == 1) return mDevice;
  if (mDeviceKind == 2) return FailingDevice();
  return nullptr;
}

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return standin::kExitBadSetup;
  mDeadline = GetTickCount64() + ULONGLONG(mSetup.maxMs > 0 ? mSetup.maxMs : 0);
  // No background: the device presents over the whole client area.
  standin::RegisterPlayerWindowClass(instance, kWindowClass, DefWindowProcW, nullptr);
  mWindow = standin::CreatePlayerWindow(instance, kWindowClass, L"VirtualDJ stand-in",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        {0, 0, kClientWidth, kClientHeight});
  const bool haveDevice = mWindow != nullptr && MakeDevice();
  WriteJournal(JournalLine(call::kStarted)
                   .Address("window", mWindow)
                   .Address("device", mDevice)
                   .Number("width", kClientWidth)
                   .Number("height", kClientHeight));
  const char* notLoaded = haveDevice ? "no plug-in" : "no device";
  return standin::RunStandIn(*this, {mWindow, mDeadline, kExitNoPlugin, notLoaded}, mSetup.steps);
}

bool Player::MakeDevice() {
  mDirect3D = Direct3DCreate9(D3D_SDK_VERSION);
  if (mDirect3D == nullptr) return false;
  D3DPRESENT_PARAMETERS parameters = {};
  parameters.Windowed = TRUE;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferWidth = kClientWidth;
  parameters.BackBufferHeight = kClientHeight;
  parameters.hDeviceWindow = mWindow;
  return SUCCEEDED(mDirect3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mWindow,
                                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                           &mDevice)) &&
         mDevice != nullptr;
}

bool Player::LoadPlugin() {
  if (mDevice == nullptr) return false;  // no steps run without the device
  mLibrary = standin::LoadPluginJournaled(mSetup.PluginPath());
  if (mLibrary == nullptr) return false;
  // Through void* first: the export's real type is only known by name.
  mGetClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(mLibrary, kGetClassObjectName)));
  return mGetClassObject != nullptr;
}

// A plug-in object never released keeps code of the library in use.
HMODULE Player::LibraryToUnload() {
  return mPlugin == nullptr ? mLibrary : nullptr;
}

// Every step ends with a present, as VirtualDJ's drawing thread presents its frames.
void Player::RunStep(const standin::Step& step) {
  RunVerb(step);
  PumpFor(0);
}

void Player::RunVerb(const standin::Step& step) {
  const auto& n = step.numbers;
  const std::string& verb = step.verb;
  if (verb == "ids") {
    RefusedIds();
    return;
  }
  if (verb == "create") {
    Create();
    return;
  }
  if (verb == "device") {
    mDeviceKind = n[0];
    return;
  }
  if (verb == "viewport") {
    SetViewport(n[0], n[1]);
    return;
  }
  if (verb == "skin") {
    CheckSkin(mLibrary);
    return;
  }
  if (verb == "wait") {
    PumpFor(n[0]);
    return;
  }
  if (mPlugin == nullptr) {
    standin::WriteUnexpected(("step without a plug-in object: " + verb).c_str());
    return;
  }
  const PluginTable* table = mPlugin->table;
  if (verb == "load") {
    Operation("load", table->load(mPlugin));
  } else if (verb == "info") {
    Info(uint32_t(n[0]), false);
  } else if (verb == "nullinfo") {
    Info(0, true);
  } else if (verb == "others") {
    char text[64] = "untouched";
    Operation("parameter", table->parameter(mPlugin, 0));
    Operation("parameterText", table->parameterText(mPlugin, 0, text, int32_t(sizeof text)));
    Operation("userInterface", table->userInterface(mPlugin, nullptr));
  } else if (verb == "start") {
    Operation("start", table->start(mPlugin));
  } else if (verb == "stop") {
    Operation("stop", table->stop(mPlugin));
  } else if (verb == "deviceinit") {
    Operation("deviceInit", table->deviceInit(mPlugin));
  } else if (verb == "deviceclose") {
    Operation("deviceClose", table->deviceClose(mPlugin));
  } else if (verb == "draw") {
    Draw(true);
  } else if (verb == "play") {
    // As VirtualDJ plays: a frame's worth of audio, a draw, and the rest of the frame.
    for (int32_t frame = 0; frame < n[0] && GetTickCount64() < mDeadline; ++frame) {
      Audio(kSampleRate / kPlayRate);
      Draw(false);
      PumpFor(1000 / kPlayRate);
    }
  } else if (verb == "audio") {
    Audio(n[0]);
  } else if (verb == "nullaudio") {
    float samples[4] = {};
    Operation("nullAudio", table->audioSamples(mPlugin, nullptr, 512));
    Operation("negativeAudio", table->audioSamples(mPlugin, samples, -4));
  } else if (verb == "down" || verb == "up" || verb == "move") {
    Mouse(verb.c_str(), n[0], n[1], n[2]);
  } else if (verb == "key") {
    if (mInputEvents == nullptr) {
      standin::WriteUnexpected("key without an input-event object");
      return;
    }
    mInputEvents->table->key(mInputEvents, "", n[0], n[1], 0, n[2]);
    WriteJournal(JournalLine(call::kKey)
                     .Number("virtualKey", n[0])
                     .Number("modifiers", n[1])
                     .Number("scanCode", n[2]));
  } else if (verb == "release") {
    const uint32_t left = table->release(mPlugin);
    mPlugin = nullptr;
    mInputEvents = nullptr;
    Operation("release", Result(left));
  }
}

void Player::RefusedIds() {
  for (const IdPair& pair : kRefusedIds) {
    void* object = reinterpret_cast<void*>(uintptr_t(0x5A5A));
    const Result answer = mGetClassObject(&pair.classId, &pair.interfaceId, &object);
    WriteJournal(JournalLine(call::kIds)
                     .Text("name", pair.name)
                     .Number("result", uint32_t(answer))
                     .Number("written", object != reinterpret_cast<void*>(uintptr_t(0x5A5A))));
  }
  const Result answer = mGetClassObject(&kPluginClass, &kVideoEffectInterface, nullptr);
  WriteJournal(JournalLine(call::kIds)
                   .Text("name", "null result pointer")
                   .Number("result", uint32_t(answer))
                   .Number("written", 0));
}

void Player::Create() {
  void* object = nullptr;
  const Result answer = mGetClassObject(&kPluginClass, &kVideoEffectInterface, &object);
  WriteJournal(JournalLine(call::kCreate).Number("result", answer).Address("object", object));
  if (answer != result::kOk || object == nullptr) return;
  mPlugin = static_cast<Plugin*>(object);
  // What VirtualDJ writes into the object before it loads it.
  mPlugin->instance = mLibrary;
  mPlugin->callbacks = &gCallbacks;
  mPlugin->sampleRate = kSampleRate;
  mPlugin->songBpm = 0;
  mPlugin->songPosBeats = 0.0;
  mPlugin->width = kClientWidth;
  mPlugin->height = kClientHeight;
  mPlugin->videoCallbacks = &gVideoCallbacks;
}

void Player::Info(uint32_t flags, bool nullRecord) {
  PluginInfo info = {};
  info.flags = flags;
  info.inputEvents = reinterpret_cast<void*>(uintptr_t(0x5A5A));
  const Result answer = mPlugin->table->getInfo(mPlugin, nullRecord ? nullptr : &info);
  if ((flags & kInfoExtended) != 0 && answer == result::kOk) {
    mInputEvents = static_cast<InputEvents*>(info.inputEvents);
  }
  WriteJournal(JournalLine(call::kInfo)
                   .Number("result", answer)
                   .Number("given", flags)
                   .Text("name", TextOf(info.name))
                   .Text("author", TextOf(info.author))
                   .Text("description", TextOf(info.description))
                   .Text("version", TextOf(info.version))
                   .Number("flags", info.flags)
                   .Address("events", info.inputEvents));
}

void Player::Operation(const char* name, Result answer) {
  WriteJournal(JournalLine(call::kOperation).Text("name", name).Number("result", answer));
}

void Player::SetViewport(int32_t width, int32_t height) {
  D3DVIEWPORT9 viewport = {0, 0, DWORD(width), DWORD(height), 0.0f, 1.0f};
  const HRESULT answer = mDevice->SetViewport(&viewport);
  WriteJournal(JournalLine(call::kViewport)
                   .Number("width", width)
                   .Number("height", height)
                   .Number("result", answer));
}

void Player::Draw(bool readBack) {
  mDevice->Clear(
      0, nullptr, D3DCLEAR_TARGET,
      D3DCOLOR_XRGB((kFillColour >> 16) & 0xFF, (kFillColour >> 8) & 0xFF, kFillColour & 0xFF),
      1.0f, 0);
  mDevice->BeginScene();
  const Result answer = mPlugin->table->draw(mPlugin);
  mDevice->EndScene();
  const uint32_t pixel = readBack ? RenderTargetPixel() : ~0u;
  mDevice->Present(nullptr, nullptr, nullptr, nullptr);
  JournalLine line(call::kDraw);
  line.Number("result", answer);
  if (readBack) line.Number("pixel", pixel).Number("drawn", pixel != kFillColour ? 1 : 0);
  WriteJournal(line);
}

uint32_t Player::RenderTargetPixel() {
  IDirect3DSurface9* target = nullptr;
  IDirect3DSurface9* copy = nullptr;
  uint32_t colour = ~0u;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(mDevice->GetRenderTarget(0, &target)) && SUCCEEDED(target->GetDesc(&desc)) &&
      SUCCEEDED(mDevice->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                     D3DPOOL_SYSTEMMEM, &copy, nullptr)) &&
      SUCCEEDED(mDevice->GetRenderTargetData(target, copy)) &&
      SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    const auto* row = reinterpret_cast<const uint8_t*>(locked.pBits) + locked.Pitch;
    colour = reinterpret_cast<const uint32_t*>(row)[1] & 0x00FFFFFFu;
    copy->UnlockRect();
  }
  if (copy) copy->Release();
  if (target) target->Release();
  return colour;
}

void Player::Audio(int32_t frames) {
  std::vector<float> samples(size_t(frames > 0 ? frames : 0) * 2);
  for (int32_t i = 0; i < frames; ++i) {
    samples[2 * size_t(i)] = ToneLeft(mToneFrame + i);
    samples[2 * size_t(i) + 1] = ToneRight(mToneFrame + i);
  }
  mToneFrame += frames;
  const Result answer = mPlugin->table->audioSamples(mPlugin, samples.data(), 2 * frames);
  WriteJournal(JournalLine(call::kAudio)
                   .Number("frames", frames)
                   .Number("result", answer)
                   .Number("newestMicro", std::llround(double(ToneMono(mToneFrame - 1)) * 1e6)));
}

void Player::Mouse(const char* kind, int32_t x, int32_t y, int32_t modifiers) {
  if (mInputEvents == nullptr) {
    standin::WriteUnexpected("mouse without an input-event object");
    return;
  }
  const InputEventsTable* table = mInputEvents->table;
  const auto operation = kind[0] == 'd'   ? table->mouseDown
                         : kind[0] == 'u' ? table->mouseUp
                                          : table->mouseMove;
  const bool answer = operation(mInputEvents, x, y, 1, modifiers);
  WriteJournal(JournalLine(call::kMouse)
                   .Text("kind", kind)
                   .Number("x", x)
                   .Number("y", y)
                   .Number("modifiers", modifiers)
                   .Number("answer", answer ? 1 : 0));
}

void Player::PumpFor(int64_t milliseconds) {
  const ULONGLONG until = GetTickCount64() + ULONGLONG(milliseconds > 0 ? milliseconds : 0);
  do {
    standin::PumpMessagesFor(0, mDeadline);
    if (mDevice != nullptr) mDevice->Present(nullptr, nullptr, nullptr, nullptr);
    if (GetTickCount64() >= until) break;
    Sleep(10);
  } while (GetTickCount64() < mDeadline);
}

}  // namespace virtualdj_standin
