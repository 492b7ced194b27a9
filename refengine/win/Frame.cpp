#include "refengine/Frame.h"

#include <algorithm>
#include <cstring>

#include "refengine/EngineClock.h"
#include "refengine/HostRequests.h"
#include "refengine/LevelColour.h"
#include "refengine/Scene.h"

namespace refengine {
namespace {

// The size of the target in pixels; false when it has none (or cannot be drawn with GDI).
bool TargetSize(const Target& target, SIZE* size) {
  RECT rect{};
  switch (target.kind) {
    case TargetKind::kWindow:
      if (!IsWindow(target.window) || !GetClientRect(target.window, &rect)) return false;
      break;
    case TargetKind::kDeviceContext: {
      HWND window = WindowFromDC(target.deviceContext);
      if (window ? !GetClientRect(window, &rect)
                 : GetClipBox(target.deviceContext, &rect) == ERROR) {
        return false;
      }
      break;
    }
    case TargetKind::kPixelBuffer:
      rect = {0, 0, target.buffer.width, target.buffer.height};
      break;
    default:
      return false;
  }
  size->cx = rect.right - rect.left;
  size->cy = rect.bottom - rect.top;
  return size->cx > 0 && size->cy > 0;
}

RECT InsideInsets(const SIZE& size, const EngineRect& insets) {
  RECT area{0, 0, size.cx, size.cy};
  area.left = std::clamp<LONG>(insets.left, 0, size.cx);
  area.top = std::clamp<LONG>(insets.top, 0, size.cy);
  area.right = std::max<LONG>(area.left, size.cx - std::max<LONG>(insets.right, 0));
  area.bottom = std::max<LONG>(area.top, size.cy - std::max<LONG>(insets.bottom, 0));
  return area;
}

void CopyToPixelBuffer(const Canvas& canvas, const PixelBufferDesc& buffer) {
  auto* rows = static_cast<uint8_t*>(buffer.pixels);
  const int width = std::min(canvas.width(), buffer.stride / 4);
  for (int y = 0; y < canvas.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(rows + ptrdiff_t(y) * buffer.stride);
    const uint32_t* source = canvas.pixels() + ptrdiff_t(y) * canvas.width();
    for (int x = 0; x < width; ++x) row[x] = source[x] | 0xFF000000u;  // opaque
  }
}

void Present(const Canvas& canvas, const Target& target) {
  const int width = canvas.width();
  const int height = canvas.height();
  switch (target.kind) {
    case TargetKind::kWindow:
      if (HDC dc = GetDC(target.window)) {
        BitBlt(dc, 0, 0, width, height, canvas.dc(), 0, 0, SRCCOPY);
        ReleaseDC(target.window, dc);
      }
      break;
    case TargetKind::kDeviceContext:
      BitBlt(target.deviceContext, 0, 0, width, height, canvas.dc(), 0, 0, SRCCOPY);
      break;
    case TargetKind::kPixelBuffer:
      CopyToPixelBuffer(canvas, target.buffer);
      break;
    default:
      break;
  }
}

void AdvanceClock(SceneState& scene) {
  const uint64_t now = ClockMs();
  if (scene.lastFrameMs != 0 && !scene.paused) scene.animationMs += now - scene.lastFrameMs;
  scene.lastFrameMs = now;
  ++scene.frames;
}

// Where the picture goes: the engine's own fullscreen window while it shows one, else the
// host's target.
Target DrawingTarget(const Instance& instance) {
  if (!instance.fullscreenWindow) return instance.target;
  Target fullscreen;
  fullscreen.kind = TargetKind::kWindow;
  fullscreen.window = instance.fullscreenWindow;
  return fullscreen;
}

}  // namespace

void RunOneFrame(Instance& instance) {
  AdvanceClock(instance.scene);
  if (instance.hostAudio) FetchAudio(instance);
  if (instance.artWanted) FetchArt(instance);
  const AudioFeed* audio = instance.hostAudio ? &instance.audio : nullptr;
  const Target target = DrawingTarget(instance);
  if (target.kind == TargetKind::kOther && instance.device.attached()) {
    instance.device.Clear(LevelColour(PictureLevel(audio, instance.scene)));
    return;
  }
  SIZE size;
  if (!TargetSize(target, &size) || !instance.canvas.Resize(size.cx, size.cy)) return;
  // The host's insets cover parts of its own window, not of the engine's fullscreen window.
  const EngineRect insets = instance.fullscreenWindow ? EngineRect{} : instance.insets;
  const SceneInput input{instance.scene, audio, instance.track, InsideInsets(size, insets),
                         instance.cover.get()};
  DrawScene(instance.canvas.dc(), input);
  GdiFlush();  // the pixel buffer copy reads the DIB's memory directly
  Present(instance.canvas, target);
}

}  // namespace refengine
