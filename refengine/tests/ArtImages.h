// Small images for album art tests, made in the test: BMP files written byte by byte, PNG files
// from the system's encoder, and files of either on disk.
#pragma once

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace refengine_test {

// A 24-bit BMP file of one colour (0xRRGGBB).
inline std::vector<uint8_t> SolidBmp(int width, int height, uint32_t rgb) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const uint32_t pixelBytes = uint32_t(rowBytes * height);
  std::vector<uint8_t> file(54 + pixelBytes, 0);
  auto put32 = [&file](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + size_t(i)] = uint8_t(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(width));
  put32(22, uint32_t(height));
  file[26] = 1;   // planes
  file[28] = 24;  // bits per pixel
  put32(34, pixelBytes);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = &file[54 + size_t(y) * size_t(rowBytes) + size_t(x) * 3];
      pixel[0] = uint8_t(rgb);
      pixel[1] = uint8_t(rgb >> 8);
      pixel[2] = uint8_t(rgb >> 16);
    }
  }
  return file;
}

// A PNG file of one colour, encoded by the system's codec; empty when that fails.
inline std::vector<uint8_t> SolidPng(int width, int height, uint32_t rgb) {
  std::vector<uint8_t> bytes;
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  IStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0xFF000000u | rgb);
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  bool ok =
      SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
      SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(UINT(width), UINT(height))) &&
      SUCCEEDED(frame->SetPixelFormat(&format)) &&
      IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
      SUCCEEDED(frame->WritePixels(UINT(height), UINT(width) * 4, UINT(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data()))) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  HGLOBAL memory = nullptr;
  if (ok && SUCCEEDED(GetHGlobalFromStream(stream, &memory))) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
    if (data) bytes.assign(data, data + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
  }
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  if (factory) factory->Release();
  if (SUCCEEDED(init)) CoUninitialize();
  return bytes;
}

// Writes the bytes to a file in the temporary folder; returns its UTF-8 path.
inline std::string TempImageFile(const char* name, const std::vector<uint8_t>& bytes) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

inline std::u16string Utf16(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace refengine_test
