#include "refengine/Scene.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "refengine/CoverDraw.h"

namespace refengine {
namespace {

struct Palette {
  COLORREF background;
  COLORREF bars;
  COLORREF wave;
  COLORREF text;
};

constexpr Palette kPalettes[SceneState::kPaletteCount] = {
    {RGB(12, 16, 40), RGB(70, 170, 255), RGB(255, 220, 120), RGB(255, 255, 255)},
    {RGB(40, 8, 24), RGB(255, 90, 140), RGB(120, 255, 200), RGB(255, 240, 240)},
    {RGB(6, 32, 18), RGB(120, 230, 90), RGB(250, 250, 250), RGB(230, 255, 230)},
    {RGB(30, 30, 30), RGB(230, 230, 230), RGB(255, 140, 40), RGB(255, 200, 120)},
};

// Bar heights between 0 and 1: the host's spectrum bands when it delivered any, else a slow
// self-running pattern.
std::vector<float> BarLevels(const SceneInput& input) {
  const int count = input.scene.barCount;
  std::vector<float> levels(static_cast<size_t>(count), 0.0f);
  const double t = double(input.scene.animationMs);
  const AudioFeed* audio = input.audio;
  for (int i = 0; i < count; ++i) {
    float level;
    if (audio && audio->bandsDelivered > 0) {
      const int band = i * audio->bandsDelivered / count;
      level = std::sqrt(std::fabs(audio->bands[band])) * 0.8f;
    } else if (audio) {
      level = 0.02f;  // the host gives audio but has none now: silence
    } else {
      level = float(0.5 + 0.45 * std::sin(t * 0.002 + i * 0.45) * std::cos(t * 0.0007 + i * 0.13));
    }
    levels[size_t(i)] = std::clamp(level, 0.0f, 1.0f);
  }
  return levels;
}

void DrawBars(HDC dc, const RECT& area, const SceneInput& input, const Palette& palette) {
  const std::vector<float> levels = BarLevels(input);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HBRUSH brush = CreateSolidBrush(palette.bars);
  for (size_t i = 0; i < levels.size(); ++i) {
    RECT bar;
    bar.left = area.left + int(i * size_t(width) / levels.size()) + 1;
    bar.right = area.left + int((i + 1) * size_t(width) / levels.size()) - 1;
    bar.bottom = area.bottom;
    bar.top = area.bottom - std::max(1, int(levels[i] * float(height) * 0.9f));
    if (bar.right > bar.left) FillRect(dc, &bar, brush);
  }
  DeleteObject(brush);
}

float WaveValue(const SceneInput& input, int index, int count) {
  const AudioFeed* audio = input.audio;
  if (audio) {
    if (audio->samplesDelivered <= 0) return 0.0f;
    return audio->samples[index * audio->samplesDelivered / count];
  }
  const double t = double(input.scene.animationMs) * 0.004;
  const double x = double(index) / count * 6.283;
  return float(0.5 * std::sin(3 * x + t) + 0.25 * std::sin(7 * x - 1.7 * t));
}

void DrawWave(HDC dc, const RECT& area, const SceneInput& input, const Palette& palette) {
  const int width = area.right - area.left;
  const int middle = (area.top + area.bottom) / 2;
  const int amplitude = (area.bottom - area.top) / 3;
  const int count = std::max(2, std::min(width, AudioFeed::kSamples));
  std::vector<POINT> points(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const float value = std::clamp(WaveValue(input, i, count), -1.0f, 1.0f);
    points[size_t(i)] = {area.left + i * (width - 1) / (count - 1),
                         middle - int(value * float(amplitude))};
  }
  HPEN pen = CreatePen(PS_SOLID, 2, palette.wave);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Polyline(dc, points.data(), count);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(size_t(std::max(units, 0)), L'\0');
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), units);
  return wide;
}

void DrawTitle(HDC dc, const RECT& area, const SceneInput& input, const Palette& palette) {
  const TrackInfo& track = input.track;
  if (!input.scene.showTitle || (track.title.empty() && track.artist.empty())) return;
  std::wstring text = Widen(track.title);
  if (!track.artist.empty()) text += L"\n" + Widen(track.artist);
  RECT box = area;
  InflateRect(&box, -12, -10);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, palette.text);
  DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

}  // namespace

void DrawScene(HDC dc, const SceneInput& input) {
  const RECT& area = input.area;
  if (area.right <= area.left || area.bottom <= area.top) return;
  const Palette& palette = kPalettes[input.scene.palette % SceneState::kPaletteCount];
  HBRUSH background = CreateSolidBrush(palette.background);
  FillRect(dc, &area, background);
  DeleteObject(background);
  DrawBars(dc, area, input, palette);
  DrawWave(dc, area, input, palette);
  if (input.cover) DrawCover(dc, area, *input.cover);
  DrawTitle(dc, area, input, palette);
}

}  // namespace refengine
