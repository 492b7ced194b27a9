#include "players/winamp/EmbedFrame.h"

#include <algorithm>
#include <vector>

#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {
namespace {

struct EmbedSetup {
  HINSTANCE instance = nullptr;
  HWND player = nullptr;
  EmbedKind kind = EmbedKind::kTopLevel;
};
EmbedSetup gSetup;
std::vector<HWND> gFrames;  // visualization thread only

winamp::EmbedState* StateOf(HWND frame) {
  return reinterpret_cast<winamp::EmbedState*>(GetWindowLongPtrW(frame, GWLP_USERDATA));
}

// The frame's rectangle as the state keeps it: screen coordinates for a top-level frame,
// the parent's client coordinates for a child frame.
RECT FrameRect(HWND frame) {
  RECT rect = {};
  GetWindowRect(frame, &rect);
  if (HWND parent = GetAncestor(frame, GA_PARENT); parent && parent != GetDesktopWindow()) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

void JournalRect(refengine::JournalLine& line, const winamp::Rect& rect) {
  line.Number("left", rect.left)
      .Number("top", rect.top)
      .Number("right", rect.right)
      .Number("bottom", rect.bottom);
}

void NoteRect(HWND frame) {
  winamp::EmbedState* state = StateOf(frame);
  if (!state) return;
  const RECT rect = FrameRect(frame);
  state->rect = {rect.left, rect.top, rect.right, rect.bottom};
  refengine::JournalLine line(call::kFrameRect);
  line.Address("frame", frame);
  JournalRect(line, state->rect);
  WriteJournal(line);
}

void FillWithChildren(HWND frame) {
  RECT client = {};
  GetClientRect(frame, &client);
  for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    MoveWindow(child, 0, 0, client.right, client.bottom, TRUE);
  }
}

void Forget(HWND frame) {
  gFrames.erase(std::remove(gFrames.begin(), gFrames.end(), frame), gFrames.end());
}

LRESULT OnClose(HWND frame) {
  HWND inside = GetWindow(frame, GW_CHILD);
  refengine::JournalLine line(call::kFrameClose);
  WriteJournal(line.Address("frame", frame).Address("inside", inside));
  if (inside) {
    SendMessageW(inside, WM_CLOSE, 0, 0);
  } else {
    DestroyWindow(frame);
  }
  return 0;
}

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_WINDOWPOSCHANGED:
      NoteRect(frame);
      break;  // DefWindowProc sends WM_SIZE and WM_MOVE
    case WM_SIZE:
      FillWithChildren(frame);
      return 0;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE) FillWithChildren(frame);
      return 0;
    case WM_CLOSE:
      return OnClose(frame);
    case WM_DESTROY: {
      refengine::JournalLine line(call::kFrameDestroyed);
      line.Address("frame", frame);
      if (const winamp::EmbedState* state = StateOf(frame)) JournalRect(line, state->rect);
      WriteJournal(line);
      SetWindowLongPtrW(frame, GWLP_USERDATA, 0);
      Forget(frame);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(frame, message, wParam, lParam);
}

winamp::Window WINAMP_CALL EmbedFunction(winamp::EmbedState* state) {
  refengine::JournalLine line(call::kEmbed);
  line.Address("state", state);
  if (!state) {
    WriteJournal(line);
    WriteUnexpected("embedding function called without a state");
    return nullptr;
  }
  line.Number("flags", state->flags);
  JournalRect(line, state->rect);
  const winamp::Rect& rect = state->rect;
  const bool child = gSetup.kind == EmbedKind::kChild;
  // Skinned frames draw their own borders: a plain popup window, as the players make them.
  const DWORD style = (child ? WS_CHILD : WS_POPUP) | WS_CLIPCHILDREN;
  HWND frame = CreateWindowExW(0, kFrameWindowClass, L"", style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top,
                               child ? gSetup.player : nullptr, nullptr, gSetup.instance, state);
  state->frame = frame;
  if (frame) gFrames.push_back(frame);
  WriteJournal(line.Address("frame", frame).Text("kind", EmbedName(gSetup.kind)));
  return frame;
}

}  // namespace

bool SetUpEmbedding(HINSTANCE instance, HWND player, EmbedKind kind) {
  gSetup = {instance, player, kind};
  WNDCLASSEXW frameClass = {};
  frameClass.cbSize = sizeof frameClass;
  frameClass.lpfnWndProc = &FrameProcedure;
  frameClass.hInstance = instance;
  frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
  frameClass.lpszClassName = kFrameWindowClass;
  return RegisterClassExW(&frameClass) != 0;
}

winamp::EmbedFunction TheEmbedFunction() {
  return &EmbedFunction;
}

HWND LiveFrame() {
  return gFrames.empty() ? nullptr : gFrames.back();
}

void DestroyLeftoverFrames() {
  while (!gFrames.empty()) {
    HWND frame = gFrames.back();
    refengine::JournalLine line(call::kUnexpected);
    WriteJournal(line.Text("what", "frame outlived the module").Address("frame", frame));
    SetWindowLongPtrW(frame, GWLP_USERDATA, 0);
    Forget(frame);
    DestroyWindow(frame);
  }
}

}  // namespace winamp_standin
