#include "players/jriver/Container.h"

#include "NV_JMC/JmcIdentity.h"
#include "players/jriver/JRiverStandInControl.h"
#include "players/shared/PlayerWindow.h"
#include "players/shared/StandInJournal.h"

namespace jriver_standin {
namespace {

using refengine::JournalLine;

constexpr wchar_t kWindowClass[] = L"JRiverStandInWindow";

UINT gPluginEvent = 0;

LRESULT CALLBACK PlayerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gPluginEvent != 0 && message == gPluginEvent) {
    standin::WriteJournal(JournalLine(call::kPluginEvent)
                              .Number("wParam", int64_t(wParam))
                              .Number("lParam", int64_t(uint32_t(lParam))));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

Site::Site() {
  offerControlSite = true;
  heard = [](const char* what) {
    standin::WriteJournal(JournalLine(call::kSiteCall).Text("what", what));
  };
  overReleased = [] {
    standin::WriteUnexpected("the site was released more often than referenced");
  };
}

HWND CreatePlayerWindow(HINSTANCE instance) {
  gPluginEvent = RegisterWindowMessageW(jmc::kDisplayPluginEvent);
  standin::RegisterPlayerWindowClass(instance, kWindowClass, &PlayerWindowProcedure,
                                     static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  return standin::CreatePlayerWindow(
      instance, kWindowClass, L"JRiver Media Center stand-in",
      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
      {60, 60, kAreaLeft * 2 + kAreaWidth, kAreaTop * 2 + kAreaHeight});
}

}  // namespace jriver_standin
