// Input forwarding end to end: a real window whose procedure hands its messages to the host,
// the reference engine in this process, and the input events as the engine's journal shows
// them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/ReferenceEngine.h"
#include "visualhost/monitors/EngineFullscreenWindow.h"
#include "visualhost/host/HostDescriptors.h"
#include "visualhost/host/VisualHost.h"
#include "visualhost/tests/win/ReferenceEngineHost.h"

namespace {

using refengine_journal::EntriesOf;
using refengine_journal::HexBytes;
using refengine_journal::JournalEntry;
using refengine_journal::ReadJournal;

constexpr char kHostWindowClass[] = "NovalumeInputTestWindow";
constexpr char kOtherWindowClass[] = "NovalumeInputTestOther";

// What the window procedure last got back from the host.
struct Forwarded {
  bool handled = false;
  intptr_t result = 0;
};
Forwarded gLast;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<VisualHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host != nullptr) {
    bool handled = false;
    const intptr_t result = host->HandleMessage(message, wParam, lParam, &handled);
    gLast = {handled, result};
    if (handled) return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClassOnce(const char* name, WNDPROC procedure) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);  // fails harmlessly when already registered
}

// Hidden windows are enough for messages; only a window that is to be in front is shown.
HWND TopLevelWindow(const char* className, int x, bool visible) {
  const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
  HWND window = CreateWindowExA(0, className, "input test", style, x, 40, 240, 180, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(window, nullptr);
  return window;
}

void DispatchPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

EventRecord Event(uint32_t flags, uint16_t key, int32_t x, int32_t y, int32_t vertical = 0) {
  EventRecord event = {};
  event.x = x;
  event.y = y;
  event.verticalWheel = vertical;
  event.key = key;
  event.flags = flags;
  return event;
}

std::vector<uint8_t> Bytes(const EventRecord& event) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&event);
  return std::vector<uint8_t>(bytes, bytes + sizeof event);
}

class InputForwardingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engineModule = LoadLibraryW(ReferenceEnginePath().c_str());
    ASSERT_NE(engineModule, nullptr);
    control = EngineControl(ReferenceEnginePath());
    ASSERT_NE(control, nullptr);
    control->Reset();
    control->SetIdle(1);  // no frames are run here; keep the engine quiet anyway

    library = NewReferenceEngineLibrary();
    host = new VisualHost();
    host->SetDescriptor(HostDescriptor::kStandalone);
    host->AttachEngine(library);
    host->StartInstance();
    ASSERT_EQ(host->Status(), 0);

    RegisterClassOnce(kHostWindowClass, &HostWindowProc);
    RegisterClassOnce(kOtherWindowClass, &DefWindowProcA);
    RegisterClassOnce(kEngineFullscreenWindowClass, &DefWindowProcA);
    window = TopLevelWindow(kHostWindowClass, 20, false);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    host->AttachWindow(window, 0, nullptr);
    DispatchPending();
    control->Reset();
    control->SetIdle(1);
  }
  void TearDown() override {
    if (window != nullptr) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      DestroyWindow(window);
    }
    for (HWND other : others) DestroyWindow(other);
    DispatchPending();
    if (host != nullptr) host->Release();
    if (library != nullptr) library->Release();
    if (control != nullptr) control->Reset();
    if (engineModule != nullptr) FreeLibrary(engineModule);
  }

  // The raw event records the engine received, in order.
  std::vector<std::vector<uint8_t>> EventsReceived() const {
    std::vector<std::vector<uint8_t>> events;
    for (const JournalEntry& entry : EntriesOf(ReadJournal(control), "Request", "Evnt")) {
      EXPECT_EQ(entry.Number("instance"), int64_t(host->Instance()));
      events.push_back(HexBytes(entry.Get("raw")));
    }
    return events;
  }

  HWND Other(const char* className) {
    others.push_back(TopLevelWindow(className, 300, true));
    return others.back();
  }

  HMODULE engineModule = nullptr;
  const RefEngineControlApi* control = nullptr;
  EngineLibrary* library = nullptr;
  VisualHost* host = nullptr;
  HWND window = nullptr;
  std::vector<HWND> others;
};

TEST_F(InputForwardingTest, EngineReceivesTheEventsOfRealMessages) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    EventRecord event;
  };
  const Case cases[] = {
      {"Page Up pressed", WM_KEYDOWN, VK_PRIOR, 0x01490001, Event(0, 0xF72C, 0, 0)},
      {"Page Up released", WM_KEYUP, VK_PRIOR, LPARAM(0xC1490001), Event(0x200, 0xF72C, 0, 0)},
      {"character", WM_CHAR, 'k', 0x00250001, Event(0, 'k', 0, 0)},
      {"right button", WM_RBUTTONUP, 0, MAKELPARAM(33, 44), Event(0x220, 0, 33, 44)},
      {"wheel of two notches", WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(500, 300),
       Event(0x1000, 0, 500, 300, -2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->Reset();
    control->SetIdle(1);
    control->SetEventAnswer(1, 0);
    EXPECT_EQ(SendMessageA(window, c.message, c.wParam, c.lParam), 0);
    EXPECT_TRUE(gLast.handled);
    EXPECT_EQ(EventsReceived(), std::vector<std::vector<uint8_t>>{Bytes(c.event)});
  }
}

TEST_F(InputForwardingTest, EventsTheEngineLeavesGoOnToTheDefaultHandling) {
  for (int64_t answer : {int64_t(55019), int64_t(55012)}) {
    SCOPED_TRACE(answer);
    control->Reset();
    control->SetIdle(1);
    control->SetEventAnswer(1, answer);
    SendMessageA(window, WM_CHAR, 'k', 0x00250001);
    EXPECT_FALSE(gLast.handled);
    EXPECT_EQ(gLast.result, -1);
    EXPECT_EQ(EventsReceived().size(), 1u);
  }
}

TEST_F(InputForwardingTest, AClickTakesTheFocusFromAnOrdinaryWindowOnly) {
  struct Case {
    const char* name;
    const char* frontClass;
    bool focusMoves;
  };
  const Case cases[] = {
      {"another window in front", kOtherWindowClass, true},
      {"engine fullscreen window in front", kEngineFullscreenWindowClass, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND front = Other(c.frontClass);
    SetForegroundWindow(front);
    SetFocus(front);
    DispatchPending();
    ASSERT_EQ(GetForegroundWindow(), front);
    ASSERT_EQ(GetFocus(), front);
    control->Reset();
    control->SetIdle(1);
    control->SetEventAnswer(1, 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 13));
    EXPECT_EQ(GetFocus(), c.focusMoves ? window : front);
    EXPECT_EQ(EventsReceived(), std::vector<std::vector<uint8_t>>{Bytes(Event(0x10, 0, 12, 13))});
  }
}

TEST_F(InputForwardingTest, DoubleClickDropsOneQueuedMouseMessage) {
  control->SetEventAnswer(1, 0);
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  MSG left;
  int mouseMessagesLeft = 0;
  while (PeekMessageA(&left, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) ++mouseMessagesLeft;
  EXPECT_EQ(mouseMessagesLeft, 1);
  EXPECT_EQ(EventsReceived(), std::vector<std::vector<uint8_t>>{Bytes(Event(0x80, 0, 5, 5))});
}

}  // namespace
