// Targets: the picture arrives in pixel buffers and device contexts; bad targets change
// nothing.
#include <algorithm>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

PixelBufferDesc BufferDesc(std::vector<uint32_t>& pixels) {
  PixelBufferDesc desc{};
  desc.format = PixelBufferDesc::kFormat32;
  desc.stride = kWidth * 4;
  desc.width = kWidth;
  desc.height = kHeight;
  desc.planes = 1;
  desc.pixels = pixels.data();
  return desc;
}

size_t CountDistinct(const std::vector<uint32_t>& pixels) {
  std::vector<uint32_t> sorted = pixels;
  std::sort(sorted.begin(), sorted.end());
  return size_t(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

TEST_F(EngineTest, PixelBufferReceivesThePicture) {
  for (int hostAudio : {0, 1}) {
    SCOPED_TRACE(hostAudio);
    FakeHost host;
    host.samplesToDeliver = 512;
    const uint32_t instance = Create(&host, hostAudio);
    std::vector<uint32_t> pixels(kWidth * kHeight, 0);
    PixelBufferDesc desc = BufferDesc(pixels);
    ASSERT_EQ(Table()->SetTarget(instance, &desc, nullptr, TargetFlags::kPixelBuffer), 0);
    desc = PixelBufferDesc{};  // the engine keeps its own copy of the description
    for (int i = 0; i < 3; ++i) Table()->RunFrame(instance, nullptr, nullptr);
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), 0u), kWidth * kHeight);
    EXPECT_GE(CountDistinct(pixels), 2u) << "background and bars";
  }
  const auto targets = EntriesOf(Journal(), "SetTarget");
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets[0].Get("width"), "64");
  EXPECT_EQ(targets[0].Get("format"), "14624");
  EXPECT_EQ(targets[0].Get("flags"), "1");
}

TEST_F(EngineTest, PixelBufferStrideLeavesPaddingAlone) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  const int stride = kWidth * 4 + 16;
  std::vector<uint32_t> pixels(size_t(stride / 4) * kHeight, 0xABABABAB);
  PixelBufferDesc desc = BufferDesc(pixels);
  desc.stride = stride;
  ASSERT_EQ(Table()->SetTarget(instance, &desc, nullptr, TargetFlags::kPixelBuffer), 0);
  Table()->RunFrame(instance, nullptr, nullptr);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = kWidth; x < stride / 4; ++x) {
      ASSERT_EQ(pixels[size_t(y) * (stride / 4) + x], 0xABABABABu) << x << "," << y;
    }
  }
}

TEST_F(EngineTest, BadPixelBufferIsRefusedAndKeepsTheOldTarget) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  std::vector<uint32_t> pixels(kWidth * kHeight, 0);
  PixelBufferDesc good = BufferDesc(pixels);
  ASSERT_EQ(Table()->SetTarget(instance, &good, nullptr, TargetFlags::kPixelBuffer), 0);
  struct Case {
    const char* name;
    void (*spoil)(PixelBufferDesc&);
  };
  const Case cases[] = {
      {"format", [](PixelBufferDesc& d) { d.format = 1; }},
      {"stride", [](PixelBufferDesc& d) { d.stride = d.width * 4 - 4; }},
      {"width", [](PixelBufferDesc& d) { d.width = 0; }},
      {"height", [](PixelBufferDesc& d) { d.height = -5; }},
      {"pixels", [](PixelBufferDesc& d) { d.pixels = nullptr; }},
  };
  std::vector<uint32_t> other(kWidth * kHeight, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBufferDesc bad = BufferDesc(other);
    c.spoil(bad);
    EXPECT_EQ(Table()->SetTarget(instance, &bad, nullptr, TargetFlags::kPixelBuffer),
              REFENGINE_STATUS_BAD_ARGUMENT);
  }
  EXPECT_EQ(Table()->SetTarget(instance, &good, nullptr,
                               TargetFlags::kPixelBuffer | TargetFlags::kWindow),
            REFENGINE_STATUS_BAD_ARGUMENT);
  Table()->RunFrame(instance, nullptr, nullptr);
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), 0u), kWidth * kHeight);
  EXPECT_EQ(std::count(other.begin(), other.end(), 0u), kWidth * kHeight);
}

TEST_F(EngineTest, DeviceContextReceivesThePicture) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  ASSERT_EQ(Table()->SetTarget(instance, dc, nullptr, TargetFlags::kDeviceContext), 0);
  Table()->RunFrame(instance, nullptr, nullptr);
  int coloured = 0;
  for (int y = 0; y < kHeight; y += 4) {
    for (int x = 0; x < kWidth; x += 4) coloured += GetPixel(dc, x, y) != RGB(0, 0, 0);
  }
  EXPECT_GT(coloured, 0);
  Table()->SetTarget(instance, nullptr, nullptr, 0);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(EngineTest, WindowTargetIsDrawnWithoutTrouble) {
  HWND window = CreateWindowExW(0, L"STATIC", L"refengine test", WS_POPUP | WS_VISIBLE, 0, 0,
                                kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  FakeHost host;
  const uint32_t instance = Create(&host, 1);
  ASSERT_EQ(Table()->SetTarget(instance, window, nullptr, TargetFlags::kWindow), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Table()->RunFrame(instance, nullptr, nullptr), 33);
  DestroyWindow(window);
  // A window that went away is no reason to fail.
  EXPECT_EQ(Table()->RunFrame(instance, nullptr, nullptr), 33);
  const auto targets = EntriesOf(Journal(), "SetTarget");
  ASSERT_EQ(targets.size(), 1u);
  EXPECT_EQ(targets[0].Number("target"), int64_t(reinterpret_cast<uintptr_t>(window)));
  EXPECT_EQ(targets[0].Get("flags"), "4");
}

TEST_F(EngineTest, DetachedInstanceCountsIdleSeconds) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  std::vector<uint32_t> pixels(kWidth * kHeight, 0);
  PixelBufferDesc desc = BufferDesc(pixels);
  Table()->SetTarget(instance, &desc, nullptr, TargetFlags::kPixelBuffer);
  EXPECT_EQ(Table()->Request(instance, HostRequest::kStopQuery, nullptr, nullptr), 0);
  Table()->SetTarget(instance, nullptr, nullptr, 0);
  EXPECT_GE(Table()->Request(instance, HostRequest::kStopQuery, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace refengine_test
