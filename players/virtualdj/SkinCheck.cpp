#include "players/virtualdj/SkinCheck.h"

#include <wincodec.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "players/shared/StandInJournal.h"
#include "players/virtualdj/SkinXml.h"
#include "players/virtualdj/VirtualDjStandInControl.h"

namespace virtualdj_standin {
namespace {

using refengine::JournalLine;
using standin::WriteJournal;

constexpr int kXmlResource = 103;
constexpr int kPngResource = 104;

// The elements of a control that name where one of its states sits in the picture.
constexpr const char* kStateElements[] = {"up",           "over", "selected", "down",
                                          "overselected", "off",  "on",       "clipmask"};

struct Picture {
  bool decoded = false;
  UINT width = 0;
  UINT height = 0;
  std::vector<uint8_t> pixels;  // BGRA rows

  bool Painted(int x, int y, int w, int h) const {
    for (int row = y; row < y + h; ++row) {
      for (int column = x; column < x + w; ++column) {
        if (pixels[(size_t(row) * width + size_t(column)) * 4 + 3] != 0) return true;
      }
    }
    return false;
  }
  bool Inside(int x, int y, int w, int h) const {
    return decoded && x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= int(width) &&
           y + h <= int(height);
  }
};

std::string ResourceBytes(HMODULE module, int id, const wchar_t* type) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
}

Picture Decode(const std::string& bytes) {
  Picture picture;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(
          reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), DWORD(bytes.size()))) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                 &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(frame->GetSize(&picture.width, &picture.height)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    picture.pixels.resize(size_t(picture.width) * picture.height * 4);
    picture.decoded = SUCCEEDED(converter->CopyPixels(
        nullptr, picture.width * 4, UINT(picture.pixels.size()), picture.pixels.data()));
  }
  if (converter) converter->Release();
  if (frame) frame->Release();
  if (decoder) decoder->Release();
  if (stream) stream->Release();
  if (factory) factory->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return picture;
}

int Number(const std::string& text, int fallback) {
  if (text.empty()) return fallback;
  return std::atoi(text.c_str());
}

// A state's coordinate: "+N" is relative to the control's own place, a plain number absolute.
int Coordinate(const std::string& text, int base) {
  if (!text.empty() && text[0] == '+') return base + std::atoi(text.c_str() + 1);
  return std::atoi(text.c_str());
}

void JournalState(int control, const XmlElement& element, const char* state, int x, int y, int w,
                  int h, const Picture& picture) {
  const bool inside = picture.Inside(x, y, w, h);
  WriteJournal(JournalLine(call::kSkinState)
                   .Number("control", control)
                   .Text("element", element.name)
                   .Text("action", element.Attribute("action"))
                   .Text("state", state)
                   .Number("x", x)
                   .Number("y", y)
                   .Number("width", w)
                   .Number("height", h)
                   .Number("inside", inside ? 1 : 0)
                   .Number("painted", inside && picture.Painted(x, y, w, h) ? 1 : 0));
}

void CheckControl(int index, const XmlElement& control, const Picture& picture) {
  const XmlElement* pos = control.Child("pos");
  const XmlElement* size = control.Child("size");
  const XmlElement* tooltip = control.Child("tooltip");
  const int x = pos ? Number(pos->Attribute("x"), -1) : -1;
  const int y = pos ? Number(pos->Attribute("y"), -1) : -1;
  const int w = size ? Number(size->Attribute("width"), 0) : 0;
  const int h = size ? Number(size->Attribute("height"), 0) : 0;
  WriteJournal(JournalLine(call::kSkinControl)
                   .Number("control", index)
                   .Text("element", control.name)
                   .Text("action", control.Attribute("action"))
                   .Text("action2", control.Attribute("action2"))
                   .Text("orientation", control.Attribute("orientation"))
                   .Text("direction", control.Attribute("direction"))
                   .Text("direction2", control.Attribute("direction2"))
                   .Text("tooltip", tooltip ? tooltip->text : "")
                   .Number("x", x)
                   .Number("y", y)
                   .Number("width", w)
                   .Number("height", h));
  for (const auto& child : control.children) {
    for (const char* state : kStateElements) {
      if (child->name != state) continue;
      JournalState(index, control, state, Coordinate(child->Attribute("x"), x),
                   Coordinate(child->Attribute("y"), y), w, h, picture);
    }
  }
  // The fader's frames: nb of them, nbx a row, each of the fader's own size or the control's.
  if (const XmlElement* fader = control.Child("fader")) {
    const XmlElement* faderPos = fader->Child("pos");
    const XmlElement* faderSize = fader->Child("size");
    const int fw = faderSize ? Number(faderSize->Attribute("width"), 0) : w;
    const int fh = faderSize ? Number(faderSize->Attribute("height"), 0) : h;
    const int frames = faderPos ? Number(faderPos->Attribute("nb"), 1) : 1;
    const int perRow = faderPos ? Number(faderPos->Attribute("nbx"), frames) : frames;
    const int rows = perRow > 0 ? (frames + perRow - 1) / perRow : 0;
    JournalState(index, control, "fader", faderPos ? Number(faderPos->Attribute("x"), -1) : -1,
                 faderPos ? Number(faderPos->Attribute("y"), -1) : -1, fw * perRow, fh * rows,
                 picture);
  }
}

}  // namespace

void CheckSkin(HMODULE plugin) {
  const std::string png = ResourceBytes(plugin, kPngResource, L"PNG");
  const Picture picture = png.empty() ? Picture() : Decode(png);
  WriteJournal(JournalLine(call::kSkinImage)
                   .Number("found", png.empty() ? 0 : 1)
                   .Number("bytes", int64_t(png.size()))
                   .Number("decoded", picture.decoded ? 1 : 0)
                   .Number("width", picture.width)
                   .Number("height", picture.height));

  const std::string xml = ResourceBytes(plugin, kXmlResource, L"XML");
  std::string error;
  const std::unique_ptr<XmlElement> root = xml.empty() ? nullptr : ParseXml(xml, &error);
  JournalLine line(call::kSkinXml);
  line.Number("found", xml.empty() ? 0 : 1)
      .Number("bytes", int64_t(xml.size()))
      .Number("parsed", root ? 1 : 0)
      .Text("error", error);
  int controls = 0;
  if (root) {
    for (const auto& child : root->children) {
      if (child->name == "button" || child->name == "slider")
        CheckControl(controls++, *child, picture);
    }
    line.Text("root", root->name)
        .Text("name", root->Attribute("name"))
        .Text("version", root->Attribute("version"))
        .Text("width", root->Attribute("width"))
        .Text("height", root->Attribute("height"))
        .Text("first", root->children.empty() ? "" : root->children[0]->name)
        .Text("copyright", root->children.empty() ? "" : root->children[0]->text);
  }
  line.Number("controls", controls);
  WriteJournal(line);
}

}  // namespace virtualdj_standin
