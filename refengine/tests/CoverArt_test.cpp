// Album covers: pushed with 'CArt' or given on 'GArt', decoded and drawn in a square inside the
// insets. Bad art gets a clear status and leaves the picture as it was.
#include <algorithm>
#include <functional>

#include "refengine/tests/ArtImages.h"
#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

uint32_t Opaque(uint32_t rgb) {
  return 0xFF000000u | rgb;
}

class CoverTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    mInstance = Create(&mHost, 0);
    mPixels.assign(size_t(kWidth) * kHeight, 0);
    PixelBufferDesc desc{};
    desc.format = PixelBufferDesc::kFormat32;
    desc.stride = kWidth * 4;
    desc.width = kWidth;
    desc.height = kHeight;
    desc.planes = 1;
    desc.pixels = mPixels.data();
    ASSERT_EQ(Table()->SetTarget(mInstance, &desc, nullptr, TargetFlags::kPixelBuffer), 0);
  }

  int64_t Push(ArtRecord* art) {
    return Table()->Request(mInstance, HostRequest::kCoverArt, art, nullptr);
  }
  int64_t PushBytes(const std::vector<uint8_t>& bytes) {
    ArtRecord art{};
    art.kind = ArtKind::kImageBytes;
    art.payload.image.bytes = bytes.data();
    art.payload.image.byteCount = uint32_t(bytes.size());
    return Push(&art);
  }
  void Frame() { Table()->RunFrame(mInstance, nullptr, nullptr); }
  uint32_t Pixel(int x, int y) const { return mPixels[size_t(y) * kWidth + size_t(x)]; }
  // The middle of the drawing area, where the cover's square is centred.
  uint32_t Middle() const { return Pixel(kWidth / 2, kHeight / 2); }
  std::pair<int32_t, int32_t> CoverSize() const {
    int32_t width = -1;
    int32_t height = -1;
    mControl->CoverSize(mInstance, &width, &height);
    return {width, height};
  }

  FakeHost mHost;
  uint32_t mInstance = 0;
  std::vector<uint32_t> mPixels;
};

TEST_F(CoverTest, EveryKindOfPushedArtIsDrawn) {
  const std::vector<uint8_t> bmp = SolidBmp(6, 4, 0x0AC81E);
  const std::vector<uint8_t> png = SolidPng(6, 4, 0xC8321E);
  ASSERT_FALSE(png.empty()) << "the PNG encoder is missing";
  const std::string bmpPath = TempImageFile("refengine_cover.bmp", bmp);
  const std::string pngPath = TempImageFile("refengine_cover.png", png);
  const std::u16string wideBmpPath = Utf16(bmpPath);
  const std::u16string widePngPath = Utf16(pngPath);

  std::vector<uint32_t> bufferPixels(6 * 4, 0xFF1E32C8u);
  PixelBufferDesc buffer{PixelBufferDesc::kFormat32, 6 * 4, 6, 4, 1, bufferPixels.data(), {}};
  std::vector<uint32_t> bitmapBits(6 * 4, 0x00641EC8u);
  HBITMAP bitmap = CreateBitmap(6, 4, 1, 32, bitmapBits.data());
  ASSERT_NE(bitmap, nullptr);

  struct Case {
    const char* name;
    uint32_t rgb;
    std::function<void(ArtRecord&)> fill;
  };
  const Case cases[] = {
      {"IBuf bmp", 0x0AC81E,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.bytes = bmp.data();
         a.payload.image.byteCount = uint32_t(bmp.size());
       }},
      {"IBuf png", 0xC8321E,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.bytes = png.data();
         a.payload.image.byteCount = uint32_t(png.size());
       }},
      {"Fil8 bmp", 0x0AC81E,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kUtf8Path;
         a.payload.utf8Path = bmpPath.c_str();
       }},
      {"Fil8 png", 0xC8321E,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kUtf8Path;
         a.payload.utf8Path = pngPath.c_str();
       }},
      {"FlW2 png", 0xC8321E,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kWidePathZ;
         a.payload.widePathZ = widePngPath.c_str();
       }},
      {"FilW bmp", 0x0AC81E,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kCountedWidePath;
         a.payload.countedWidePath.length = uint32_t(wideBmpPath.size());
         a.payload.countedWidePath.path = wideBmpPath.c_str();
       }},
      {"HBit", 0x641EC8,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kBitmap;
         a.payload.handle = bitmap;
       }},
      {"Fbuf", 0x1E32C8,
       [&](ArtRecord& a) {
         a.kind = ArtKind::kPixelBuffer;
         a.payload.pixelBuffer = &buffer;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ArtRecord none{};
    ASSERT_EQ(Push(&none), 0);
    Frame();
    EXPECT_NE(Middle(), Opaque(c.rgb)) << "no cover yet";
    ArtRecord art{};
    c.fill(art);
    EXPECT_EQ(Push(&art), 0);
    EXPECT_EQ(CoverSize(), std::make_pair(6, 4));
    Frame();
    EXPECT_EQ(Middle(), Opaque(c.rgb));
  }
  DeleteObject(bitmap);
  DeleteFileA(bmpPath.c_str());
  DeleteFileA(pngPath.c_str());
}

TEST_F(CoverTest, BadArtIsRefusedAndTheCoverStays) {
  ASSERT_EQ(PushBytes(SolidBmp(4, 4, 0x0AC81E)), 0);
  const std::vector<uint8_t> png = SolidPng(4, 4, 0x102030);
  const std::vector<uint8_t> garbage(64, 0x5A);
  static const char kMissing[] = "C:\\no such folder\\cover.png";
  static const char kBadUtf8[] = "\xFF\xFE.png";
  static const uint8_t kSomeBytes[16] = {};
  PixelBufferDesc goodBuffer{PixelBufferDesc::kFormat32, 16, 4, 4, 1, nullptr, {}};
  std::vector<uint32_t> pixels(16, 0);
  goodBuffer.pixels = pixels.data();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));

  constexpr int64_t kBad = REFENGINE_STATUS_BAD_ARGUMENT;
  constexpr int64_t kNoImage = REFENGINE_STATUS_NO_IMAGE;
  struct Case {
    const char* name;
    int64_t status;
    std::function<void(ArtRecord&, PixelBufferDesc&)> fill;
  };
  const Case cases[] = {
      {"unknown kind", kBad, [](ArtRecord& a, PixelBufferDesc&) { a.kind = FourCC("Junk"); }},
      {"bytes null", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.byteCount = 100;
       }},
      {"byte count 0", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.bytes = kSomeBytes;
       }},
      {"byte count huge", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.bytes = kSomeBytes;  // never read: the count is refused first
         a.payload.image.byteCount = 0xFFFFFFF0u;
       }},
      {"bytes not an image", kNoImage,
       [&](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.bytes = garbage.data();
         a.payload.image.byteCount = uint32_t(garbage.size());
       }},
      {"png cut short", kNoImage,
       [&](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kImageBytes;
         a.payload.image.bytes = png.data();
         a.payload.image.byteCount = uint32_t(std::min<size_t>(png.size(), 40));
       }},
      {"missing file", kNoImage,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kUtf8Path;
         a.payload.utf8Path = kMissing;
       }},
      {"empty path", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kUtf8Path;
         a.payload.utf8Path = "";
       }},
      {"path not UTF-8", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kUtf8Path;
         a.payload.utf8Path = kBadUtf8;
       }},
      {"wide path null", kBad,
       [](ArtRecord& a, PixelBufferDesc&) { a.kind = ArtKind::kWidePathZ; }},
      {"counted path empty", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kCountedWidePath;
         a.payload.countedWidePath.path = u"C:\\x.png";
       }},
      {"counted path null", kBad,
       [](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kCountedWidePath;
         a.payload.countedWidePath.length = 5;
       }},
      {"bitmap null", kBad, [](ArtRecord& a, PixelBufferDesc&) { a.kind = ArtKind::kBitmap; }},
      {"bitmap is a brush", kBad,
       [&](ArtRecord& a, PixelBufferDesc&) {
         a.kind = ArtKind::kBitmap;
         a.payload.handle = brush;
       }},
      {"buffer null", kBad, [](ArtRecord& a, PixelBufferDesc&) { a.kind = ArtKind::kPixelBuffer; }},
      {"buffer format", kBad,
       [](ArtRecord& a, PixelBufferDesc& b) {
         a.kind = ArtKind::kPixelBuffer;
         b.format = 1;
         a.payload.pixelBuffer = &b;
       }},
      {"buffer stride", kBad,
       [](ArtRecord& a, PixelBufferDesc& b) {
         a.kind = ArtKind::kPixelBuffer;
         b.stride = 12;
         a.payload.pixelBuffer = &b;
       }},
      {"buffer huge", kBad,
       [](ArtRecord& a, PixelBufferDesc& b) {
         a.kind = ArtKind::kPixelBuffer;
         b.width = 100000;
         b.stride = 400000;
         a.payload.pixelBuffer = &b;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ArtRecord art{};
    PixelBufferDesc buffer = goodBuffer;
    c.fill(art, buffer);
    EXPECT_EQ(Push(&art), c.status);
    EXPECT_EQ(CoverSize(), std::make_pair(4, 4));
    Frame();
    EXPECT_EQ(Middle(), Opaque(0x0AC81E));
  }
  EXPECT_EQ(Push(nullptr), REFENGINE_STATUS_BAD_ARGUMENT);
  DeleteObject(brush);
}

TEST_F(CoverTest, LargeCoversAreScaledDownKeepingTheirShape) {
  ASSERT_EQ(PushBytes(SolidBmp(1200, 300, 0x0AC81E)), 0);
  EXPECT_EQ(CoverSize(), std::make_pair(512, 128));
  Frame();
  EXPECT_EQ(Middle(), Opaque(0x0AC81E));
  // Letterboxed: a quarter as tall as wide, so the square's top rows show the picture.
  EXPECT_NE(Pixel(kWidth / 2, kHeight / 2 - 6), Opaque(0x0AC81E));
}

TEST_F(CoverTest, CoverStaysInsideTheInsets) {
  EngineRect insets{32, 0, 0, 8};
  ASSERT_EQ(Table()->Request(mInstance, HostRequest::kInsets, &insets, nullptr), 0);
  ASSERT_EQ(PushBytes(SolidBmp(4, 4, 0x0AC81E)), 0);
  Frame();
  // The area is x 32..63, y 0..39: its middle holds the cover.
  EXPECT_EQ(Pixel(48, 20), Opaque(0x0AC81E));
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (x < 32 || y >= 40) {
        ASSERT_NE(Pixel(x, y), Opaque(0x0AC81E)) << x << "," << y;
      }
    }
  }
}

TEST_F(CoverTest, HostArtFollowsTheTrackAndIsGivenBack) {
  const std::vector<uint8_t> png = SolidPng(5, 5, 0xC8321E);
  ASSERT_FALSE(png.empty());
  mHost.artToGive.kind = ArtKind::kImageBytes;
  mHost.artToGive.payload.image.bytes = png.data();
  mHost.artToGive.payload.image.byteCount = uint32_t(png.size());
  Frame();
  EXPECT_EQ(Middle(), Opaque(0xC8321E));
  EXPECT_EQ(mHost.artReleased, 1);
  const auto releases = EntriesOf(Journal(), "Callback", "RArt");
  ASSERT_EQ(releases.size(), 1u);
  EXPECT_EQ(releases[0].Get("decoded"), "0");

  TrackRecord track{};
  track.size = TrackRecord::kSize;
  // A new track whose host has no art: the last track's cover goes.
  mHost.artToGive = ArtRecord{};
  ASSERT_EQ(Table()->Request(mInstance, HostRequest::kTrack, &track, nullptr), 0);
  Frame();
  EXPECT_NE(Middle(), Opaque(0xC8321E));
  EXPECT_EQ(CoverSize(), std::make_pair(0, 0));

  // A cover pushed after the track change is the new track's and stays.
  ASSERT_EQ(Table()->Request(mInstance, HostRequest::kTrack, &track, nullptr), 0);
  ASSERT_EQ(PushBytes(SolidBmp(4, 4, 0x0AC81E)), 0);
  Frame();
  EXPECT_EQ(Middle(), Opaque(0x0AC81E));

  // Host art that does not decode is still given back, and shows nothing.
  static const uint8_t kJunk[] = {1, 2, 3, 4, 5, 6, 7, 8};
  mHost.artToGive.kind = ArtKind::kImageBytes;
  mHost.artToGive.payload.image.bytes = kJunk;
  mHost.artToGive.payload.image.byteCount = sizeof kJunk;
  ASSERT_EQ(Table()->Request(mInstance, HostRequest::kTrack, &track, nullptr), 0);
  Frame();
  EXPECT_EQ(mHost.artReleased, 2);
  EXPECT_EQ(EntriesOf(Journal(), "Callback", "RArt").back().Get("decoded"),
            std::to_string(REFENGINE_STATUS_NO_IMAGE));
  EXPECT_NE(Middle(), Opaque(0x0AC81E));
}

}  // namespace
}  // namespace refengine_test
