#include "refengine/WicImage.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>

#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

constexpr int32_t kNoImage = REFENGINE_STATUS_NO_IMAGE;
// Images claiming more than this on a side are refused before any pixel is decoded.
constexpr UINT kMaxSourceSide = 32768;

// COM for the calling thread. A thread already in another apartment model keeps it.
class ComApartment {
 public:
  ComApartment() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    mOwned = SUCCEEDED(result);
    mUsable = mOwned || result == RPC_E_CHANGED_MODE;
  }
  ~ComApartment() {
    if (mOwned) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool usable() const { return mUsable; }

 private:
  bool mOwned = false;
  bool mUsable = false;
};

// Holds one COM reference.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (mPointer) mPointer->Release();
  }
  T* get() const { return mPointer; }
  T* operator->() const { return mPointer; }
  T** out() { return &mPointer; }
  explicit operator bool() const { return mPointer != nullptr; }

 private:
  T* mPointer = nullptr;
};

bool MakeFactory(ComRef<IWICImagingFactory>* factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory->out())));
}

// The size the cover is kept at: the source's, scaled down to fit kMaxSide.
void FittedSize(UINT width, UINT height, UINT* fittedWidth, UINT* fittedHeight) {
  const UINT side = std::max(width, height);
  const UINT limit = CoverImage::kMaxSide;
  if (side <= limit) {
    *fittedWidth = width;
    *fittedHeight = height;
    return;
  }
  *fittedWidth = std::max<UINT>(1, UINT(uint64_t(width) * limit / side));
  *fittedHeight = std::max<UINT>(1, UINT(uint64_t(height) * limit / side));
}

// Converts to 32-bit BGRA, scales and copies the pixels out.
int32_t TakePixels(IWICImagingFactory* factory, IWICBitmapSource* source, CoverImage* image) {
  UINT width = 0;
  UINT height = 0;
  if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > kMaxSourceSide || height > kMaxSourceSide) {
    return kNoImage;
  }
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return kNoImage;
  }
  UINT fittedWidth = 0;
  UINT fittedHeight = 0;
  FittedSize(width, height, &fittedWidth, &fittedHeight);
  IWICBitmapSource* last = converter.get();
  ComRef<IWICBitmapScaler> scaler;
  if (fittedWidth != width || fittedHeight != height) {
    if (FAILED(factory->CreateBitmapScaler(scaler.out())) ||
        FAILED(scaler->Initialize(converter.get(), fittedWidth, fittedHeight,
                                  WICBitmapInterpolationModeFant))) {
      return kNoImage;
    }
    last = scaler.get();
  }
  std::vector<uint32_t> pixels(size_t(fittedWidth) * fittedHeight);
  const UINT stride = fittedWidth * 4;
  if (FAILED(last->CopyPixels(nullptr, stride, UINT(pixels.size() * 4),
                              reinterpret_cast<BYTE*>(pixels.data())))) {
    return kNoImage;
  }
  image->width = int(fittedWidth);
  image->height = int(fittedHeight);
  image->pixels = std::move(pixels);
  return 0;
}

int32_t TakeFirstFrame(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, CoverImage* image) {
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.out()))) return kNoImage;
  return TakePixels(factory, frame.get(), image);
}

}  // namespace

int32_t DecodeImageFile(const std::wstring& path, CoverImage* image) {
  ComApartment apartment;
  ComRef<IWICImagingFactory> factory;
  if (!apartment.usable() || !MakeFactory(&factory)) return kNoImage;
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out()))) {
    return kNoImage;
  }
  return TakeFirstFrame(factory.get(), decoder.get(), image);
}

int32_t DecodeImageBytes(const void* bytes, uint32_t byteCount, CoverImage* image) {
  ComApartment apartment;
  ComRef<IWICImagingFactory> factory;
  if (!apartment.usable() || !MakeFactory(&factory)) return kNoImage;
  ComRef<IWICStream> stream;
  ComRef<IWICBitmapDecoder> decoder;
  // The stream only reads the bytes; the cast is the interface's, not a write.
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(
          stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), byteCount)) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out()))) {
    return kNoImage;
  }
  return TakeFirstFrame(factory.get(), decoder.get(), image);
}

int32_t DecodeBitmapHandle(HBITMAP bitmap, CoverImage* image) {
  ComApartment apartment;
  ComRef<IWICImagingFactory> factory;
  if (!apartment.usable() || !MakeFactory(&factory)) return kNoImage;
  ComRef<IWICBitmap> source;
  if (FAILED(
          factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, source.out()))) {
    return kNoImage;
  }
  return TakePixels(factory.get(), source.get(), image);
}

}  // namespace refengine
