#include "players/winamp/MainWindow.h"

#include "players/winamp/Player.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {
namespace {

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* player = reinterpret_cast<Player*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!player) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return player->HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, Player* player, EmbedKind embed) {
  WNDCLASSEXW mainClass = {};
  mainClass.cbSize = sizeof mainClass;
  mainClass.lpfnWndProc = &MainProcedure;
  mainClass.hInstance = instance;
  mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  mainClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExW(&mainClass)) return nullptr;
  const bool child = embed == EmbedKind::kChild;
  return CreateWindowExW(0, kMainWindowClass, L"Winamp Stand-in",
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                         child ? 800 : 300, child ? 640 : 140, nullptr, nullptr, instance, player);
}

}  // namespace winamp_standin
