#include "players/winamp/WindowProbe.h"

#include <set>
#include <vector>

#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"
#include "testsupport/win/WindowTexts.h"

namespace winamp_standin {
namespace {

// Pixels sampled on a grid of this many points across and down.
constexpr int kGrid = 16;

// The client area's pixels as 0xRRGGBB, row by row; empty when they cannot be read.
std::vector<uint32_t> ClientPixels(HWND window, int width, int height) {
  std::vector<uint32_t> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (source && memory && copy && bits) {
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* read = static_cast<const uint32_t*>(bits);
    pixels.assign(read, read + size_t(width) * size_t(height));
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
  }
  if (copy) DeleteObject(copy);
  if (memory) DeleteDC(memory);
  if (source) ReleaseDC(window, source);
  return pixels;
}

void DescribePixels(refengine::JournalLine& line, HWND window, int width, int height) {
  const std::vector<uint32_t> pixels = ClientPixels(window, width, height);
  if (pixels.empty()) return;
  std::set<uint32_t> colours;
  for (int gy = 0; gy < kGrid; ++gy) {
    for (int gx = 0; gx < kGrid; ++gx) {
      const int x = (2 * gx + 1) * width / (2 * kGrid);
      const int y = (2 * gy + 1) * height / (2 * kGrid);
      colours.insert(pixels[size_t(y) * size_t(width) + size_t(x)]);
    }
  }
  line.Number("corner", pixels[size_t(2) * size_t(width) + 2])
      .Number("centre", pixels[size_t(height / 2) * size_t(width) + size_t(width / 2)])
      .Number("colours", int64_t(colours.size()));
}

}  // namespace

void ProbeWindow(HWND window) {
  refengine::JournalLine line(call::kProbe);
  line.Address("window", window).Number("exists", IsWindow(window) ? 1 : 0);
  if (IsWindow(window)) {
    RECT client = {};
    RECT placed = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &placed);
    line.Text("class", WindowClass(window))
        .Text("text", WindowText(window))
        .Number("visible", IsWindowVisible(window) ? 1 : 0)
        .Number("style", int64_t(uint32_t(GetWindowLongW(window, GWL_STYLE))))
        .Number("exstyle", int64_t(uint32_t(GetWindowLongW(window, GWL_EXSTYLE))))
        .Address("parent", GetAncestor(window, GA_PARENT))
        .Address("owner", GetWindow(window, GW_OWNER))
        .Number("width", client.right)
        .Number("height", client.bottom)
        .Number("left", placed.left)
        .Number("top", placed.top)
        .Number("right", placed.right)
        .Number("bottom", placed.bottom);
    if (client.right > 4 && client.bottom > 4) {
      DescribePixels(line, window, client.right, client.bottom);
    }
  }
  WriteJournal(line);
}

}  // namespace winamp_standin
