#include "players/jriver/Player.h"

#include <cstdio>
#include <string>

#include "NV_JMC/JmcIdentity.h"
#include "players/jriver/JRiverStandInControl.h"
#include "players/shared/MessagePump.h"
#include "players/shared/StandInJournal.h"
#include "refengine/JournalLine.h"

namespace jriver_standin {
namespace {

using refengine::JournalLine;
using standin::WriteJournal;

constexpr int64_t kBetweenStepsMs = 20;

std::string VersionKey(int version, bool plugin) {
  char key[128];
  std::snprintf(key, sizeof(key), "Software\\J. River\\Media Center %d%s", version,
                plugin ? "\\Plugins\\Display\\Glimmora" : "");
  return key;
}

HRESULT WriteProbeKeys(const std::vector<int32_t>& versions) {
  for (const int32_t version : versions) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, VersionKey(version, false).c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return E_FAIL;
    RegCloseKey(key);
  }
  return S_OK;
}

HRESULT RemoveProbeKeys(const std::vector<int32_t>& versions) {
  for (const int32_t version : versions)
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, VersionKey(version, false).c_str());
  return S_OK;
}

// The class the plug-in key of the version names, as the media center finds its plug-ins.
bool PluginClass(int version, CLSID* clsid) {
  char text[64] = {};
  DWORD size = sizeof(text) - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, VersionKey(version, true).c_str(), "CLSID", RRF_RT_REG_SZ,
                   nullptr, text, &size) != ERROR_SUCCESS)
    return false;
  wchar_t wide[64];
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 64);
  return SUCCEEDED(CLSIDFromString(wide, clsid));
}

template <class Interface>
Interface* Query(IOleObject* control, REFIID iid) {
  void* face = nullptr;
  if (FAILED(IOleObject_QueryInterface(control, iid, &face))) return nullptr;
  return static_cast<Interface*>(face);
}

}  // namespace

int Player::Run(HINSTANCE instance) {
  if (!standin::OpenJournal(mSetup.journal)) return 2;
  OleInitialize(nullptr);
  mAutomation = AutomationObject(&mAutomationState);
  mSite.window = CreatePlayerWindow(instance);
  mSite.place = {kAreaLeft, kAreaTop, kAreaLeft + kAreaWidth, kAreaTop + kAreaHeight};
  const ULONGLONG deadline = GetTickCount64() + ULONGLONG(mSetup.maxMs);
  for (const standin::Step& step : mSetup.steps) {
    if (GetTickCount64() >= deadline) break;
    const HRESULT result = RunStep(step);
    WriteJournal(JournalLine(call::kStep).Text("verb", step.verb).Number("result", result));
    standin::PumpMessagesFor(kBetweenStepsMs, deadline);
  }
  if (!mEnded) End();
  if (mSite.window != nullptr) {
    // Hidden first: a shown window takes the display's server a while to take away.
    ShowWindow(mSite.window, SW_HIDE);
    DestroyWindow(mSite.window);
  }
  OleUninitialize();
  standin::CloseJournal();
  return kExitNormal;
}

HRESULT Player::RunStep(const standin::Step& step) {
  const std::string& verb = step.verb;
  const auto number = [&step](size_t i) { return i < step.numbers.size() ? step.numbers[i] : 0; };
  if (verb == "probe") return WriteProbeKeys(step.numbers);
  if (verb == "unprobe") return RemoveProbeKeys(step.numbers);
  if (verb == "serve") return ServeAutomation(mAutomation, &mCookie) ? S_OK : E_FAIL;
  if (verb == "factory") return ServeClass(mAutomation, &mClassCookie) ? S_OK : E_FAIL;
  if (verb == "nullsamples") mAutomationState.content.nullSamples = true;
  if (verb == "nulltexts") mAutomationState.content.texts = VisContent::Texts::kNull;
  if (verb == "endlesstexts") mAutomationState.content.texts = VisContent::Texts::kEndless;
  if (verb == "fail35") mAutomationState.fail35 = true;
  if (verb == "zero35") mAutomationState.zero35 = true;
  if (verb == "cover") return WriteCover();
  if (verb == "track") ++mAutomationState.pendingChanges;
  if (verb == "draw") return Draw();
  if (verb == "create") return Create();
  if (verb == "show") return Show();
  if (verb == "site")
    return mControl ? IOleObject_SetClientSite(mControl, mSite.ClientSite()) : E_UNEXPECTED;
  if (verb == "resize") return Resize(number(0), number(1));
  if (verb == "key") return SendToControl(WM_KEYDOWN, WPARAM(number(0)), 1);
  if (verb == "char") return SendToControl(WM_CHAR, WPARAM(number(0)), 1);
  if (verb == "rclick") {
    const LPARAM point = MAKELPARAM(number(0), number(1));
    POINT screen = {number(0), number(1)};
    if (mControlWindow != nullptr) ClientToScreen(mControlWindow, &screen);
    WriteJournal(JournalLine(call::kClicked).Number("x", screen.x).Number("y", screen.y));
    SendToControl(WM_RBUTTONDOWN, MK_RBUTTON, point);
    return SendToControl(WM_RBUTTONUP, 0, point);
  }
  if (verb == "wait") standin::PumpMessagesFor(number(0), GetTickCount64() + ULONGLONG(number(0)));
  if (verb == "close") return mControl ? IOleObject_Close(mControl, OLECLOSE_NOSAVE) : E_UNEXPECTED;
  if (verb == "unsite") return mControl ? IOleObject_SetClientSite(mControl, nullptr) : E_UNEXPECTED;
  if (verb == "release") {
    if (mControl == nullptr) return E_UNEXPECTED;
    const ULONG left = IOleObject_Release(mControl);
    mControl = nullptr;
    WriteJournal(JournalLine(call::kReleased).Number("left", left));
  }
  if (verb == "end") End();
  return S_OK;
}

HRESULT Player::Create() {
  CLSID clsid = {};
  const int version = int(mSetup.Number("version", kDefaultVersion));
  HRESULT result = PluginClass(version, &clsid) ? S_OK : REGDB_E_CLASSNOTREG;
  if (SUCCEEDED(result))
    result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(&mControl));
  wchar_t text[64] = {};
  StringFromGUID2(clsid, text, 64);
  WriteJournal(JournalLine(call::kCreated)
                   .Number("result", result)
                   .Text("clsid", refengine::WideToUtf8(reinterpret_cast<char16_t*>(text), 64)));
  return result;
}

HRESULT Player::Show() {
  if (mControl == nullptr) return E_UNEXPECTED;
  IPersistStreamInit* persist = Query<IPersistStreamInit>(mControl, IID_IPersistStreamInit);
  HRESULT result = persist ? IPersistStreamInit_InitNew(persist) : E_NOINTERFACE;
  if (persist) IPersistStreamInit_Release(persist);
  if (SUCCEEDED(result)) result = IOleObject_SetClientSite(mControl, mSite.ClientSite());
  SIZEL extent = {kAreaWidth * 2540 / 96, kAreaHeight * 2540 / 96};
  if (SUCCEEDED(result)) result = IOleObject_SetExtent(mControl, DVASPECT_CONTENT, &extent);
  if (SUCCEEDED(result))
    result = IOleObject_DoVerb(mControl, OLEIVERB_INPLACEACTIVATE, nullptr, mSite.ClientSite(), 0,
                               mSite.window, &mSite.place);
  IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(mControl, IID_IOleInPlaceObject);
  mControlWindow = nullptr;
  if (inPlace) {
    IOleInPlaceObject_GetWindow(inPlace, &mControlWindow);
    IOleInPlaceObject_Release(inPlace);
  }
  WriteJournal(JournalLine(call::kShown)
                   .Number("result", result)
                   .Address("window", mControlWindow)
                   .Address("parent", mControlWindow ? GetParent(mControlWindow) : nullptr)
                   .Address("player", mSite.window));
  if (SUCCEEDED(result)) UseInterfaces();
  return result;
}

// What a media center asks of a control besides embedding it: its status, ambient changes,
// accelerators and the view's extent.
HRESULT Player::UseInterfaces() {
  JournalLine line(call::kInterfaces);
  DWORD misc = 0;
  line.Number("misc", IOleObject_GetMiscStatus(mControl, DVASPECT_CONTENT, &misc))
      .Number("miscStatus", misc);
  IOleControl* control = Query<IOleControl>(mControl, IID_IOleControl);
  line.Number("ambient", control ? IOleControl_OnAmbientPropertyChange(control, DISPID_UNKNOWN)
                                 : E_NOINTERFACE);
  if (control) IOleControl_Release(control);
  IOleInPlaceActiveObject* active =
      Query<IOleInPlaceActiveObject>(mControl, IID_IOleInPlaceActiveObject);
  MSG message = {};
  message.hwnd = mControlWindow;
  message.message = WM_KEYDOWN;
  message.wParam = 'A';
  line.Number("accelerator",
              active ? IOleInPlaceActiveObject_TranslateAccelerator(active, &message) : E_NOINTERFACE);
  if (active) IOleInPlaceActiveObject_Release(active);
  IViewObject2* view = Query<IViewObject2>(mControl, IID_IViewObject2);
  SIZEL extent = {};
  line.Number("viewExtent", view ? IViewObject2_GetExtent(view, DVASPECT_CONTENT, -1, nullptr, &extent)
                                 : E_NOINTERFACE)
      .Number("extentX", extent.cx);
  if (view) IViewObject2_Release(view);
  IDispatch* dispatch = Query<IDispatch>(mControl, IID_IDispatch);
  UINT count = 0;
  line.Number("typeInfoCount", dispatch ? IDispatch_GetTypeInfoCount(dispatch, &count) : E_NOINTERFACE)
      .Number("count", count);
  if (dispatch) {
    ITypeInfo* info = nullptr;
    line.Number("typeInfo", IDispatch_GetTypeInfo(dispatch, 0, 0, &info));
    if (info) ITypeInfo_Release(info);
    IDispatch_Release(dispatch);
  }
  WriteJournal(line);
  return S_OK;
}

HRESULT Player::Draw() {
  if (mControl == nullptr) return E_UNEXPECTED;
  IViewObject* view = Query<IViewObject>(mControl, IID_IViewObject);
  if (view == nullptr) return E_NOINTERFACE;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all = {0, 0, 32, 32};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECTL bounds = {0, 0, 32, 32};
  const HRESULT result =
      IViewObject_Draw(view, DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                       nullptr, 0);
  WriteJournal(JournalLine(call::kDrawn).Number("result", result).Number("pixel", GetPixel(dc, 16, 16)));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  IViewObject_Release(view);
  return result;
}

HRESULT Player::Resize(int width, int height) {
  if (mControl == nullptr) return E_UNEXPECTED;
  IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(mControl, IID_IOleInPlaceObject);
  if (inPlace == nullptr) return E_NOINTERFACE;
  const RECT area = {kAreaLeft, kAreaTop, kAreaLeft + width, kAreaTop + height};
  const HRESULT result = IOleInPlaceObject_SetObjectRects(inPlace, &area, &area);
  IOleInPlaceObject_Release(inPlace);
  return result;
}

HRESULT Player::SendToControl(UINT message, WPARAM wParam, LPARAM lParam) {
  if (mControlWindow == nullptr || !IsWindow(mControlWindow)) return E_UNEXPECTED;
  SendMessageW(mControlWindow, message, wParam, lParam);
  return S_OK;
}

// A small bitmap in the temporary folder as the album-art file.
HRESULT Player::WriteCover() {
  wchar_t folder[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"jrc", 0, path) == 0)
    return E_FAIL;
  std::wstring bitmapPath = path;
  DeleteFileW(path);
  bitmapPath += L".bmp";
  constexpr int kSide = 8;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = kSide;
  info.biHeight = kSide;
  info.biPlanes = 1;
  info.biBitCount = 32;
  uint32_t pixels[kSide * kSide];
  for (uint32_t& pixel : pixels) pixel = 0x00D03020;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = DWORD(file.bfOffBits + sizeof(pixels));
  HANDLE handle = CreateFileW(bitmapPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return E_FAIL;
  DWORD written = 0;
  WriteFile(handle, &file, sizeof(file), &written, nullptr);
  WriteFile(handle, &info, sizeof(info), &written, nullptr);
  WriteFile(handle, pixels, sizeof(pixels), &written, nullptr);
  CloseHandle(handle);
  mAutomationState.content.artFile.assign(bitmapPath.begin(), bitmapPath.end());
  WriteJournal(JournalLine(call::kCover).Text(
      "path", refengine::WideToUtf8(mAutomationState.content.artFile.c_str(), MAX_PATH)));
  return S_OK;
}

void Player::End() {
  mEnded = true;
  if (mControl != nullptr) {
    // A media center closing with its display still up takes the control down in order.
    IOleObject_Close(mControl, OLECLOSE_NOSAVE);
    IOleObject_SetClientSite(mControl, nullptr);
    IOleObject_Release(mControl);
    mControl = nullptr;
  }
  RevokeAutomation(mCookie);
  mCookie = 0;
  if (mClassCookie != 0) RevokeClass(mClassCookie);
  mClassCookie = 0;
  standin::PumpMessagesFor(kBetweenStepsMs, GetTickCount64() + kBetweenStepsMs);
  if (!mAutomationState.content.artFile.empty())
    DeleteFileW(reinterpret_cast<const wchar_t*>(mAutomationState.content.artFile.c_str()));
  WriteJournal(JournalLine(call::kEnd)
                   .Number("visDestroyed", mAutomationState.visDestroyed)
                   .Number("redrawDestroyed", mAutomationState.redrawDestroyed)
                   .Number("automationLeft", mAutomationState.references)
                   .Number("siteLeft", mSite.references - 1));
}

}  // namespace jriver_standin
