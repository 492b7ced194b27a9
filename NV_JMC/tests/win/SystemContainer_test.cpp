// The display control in the system's own ActiveX container (atl.dll's "AtlAxWin" window class,
// which creates a control from the class named by its window text): the registered NV_JMC.dll
// comes up in this process, the engine draws in the control's window, and everything goes when
// the container's window does. No media center is running here.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <string>

#include "NV_JMC/JmcIdentity.h"
#include "testsupport/win/Folders.h"
#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/WideText.h"
#include "visualhost/host/HostDescriptors.h"

namespace {

using refengine_journal::EntriesOf;

using AtlAxWinInitFn = BOOL(WINAPI*)();

void PumpFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
}

TEST(SystemContainer, TheControlComesUpDrawsAndGoesAway) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  HMODULE atl = LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto init = reinterpret_cast<AtlAxWinInitFn>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  ASSERT_NE(init, nullptr);
  ASSERT_TRUE(init());

  // The engine of the installed product journals into a file of this test's own.
  const std::wstring journal = NewTempFile(L"nvc");
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, Utf8(journal).c_str());
  HWND frame = CreateWindowExW(0, L"STATIC", L"container", WS_OVERLAPPEDWINDOW, 0, 0, 360, 280,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(frame, nullptr);
  HWND host = CreateWindowExW(0, L"AtlAxWin", jmc::kClassIdTextW, WS_CHILD | WS_VISIBLE, 0, 0,
                              320, 240, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  PumpFor(500);
  HWND control = GetWindow(host, GW_CHILD);
  EXPECT_NE(control, nullptr);
  DestroyWindow(frame);
  PumpFor(50);
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, nullptr);

  const auto engine = refengine_journal::ReadJournalFile(Utf8(journal));
  DeleteFileW(journal.c_str());
  const auto instances = EntriesOf(engine, "CreateInstance");
  ASSERT_EQ(instances.size(), 1u);
  EXPECT_EQ(instances[0].Get("descriptor"), HostDescriptor::kJRiverMediaCenter);
  const auto targets = EntriesOf(engine, "SetTarget");
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets[0].Number("target"), reinterpret_cast<intptr_t>(control));
  EXPECT_GE(EntriesOf(engine, "RunFrame").size(), 2u);
  // No media center: audio requests get nothing.
  for (const auto& request : EntriesOf(engine, "Callback", "GetS"))
    EXPECT_EQ(request.Number("samplesDelivered"), 0);
  EXPECT_EQ(EntriesOf(engine, "DestroyInstance").size(), 1u);
  OleUninitialize();
}

}  // namespace
