// The control framework as a container meets it: a site of the test's own that journals what
// the control asked of it, and a small control that journals the messages of its window. The
// container's calls come in the orders real containers use and in orders they should not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "activex/testsupport/win/ContainerSite.h"
#include "activex/win/ActiveXControl.h"
#include "activex/win/ClassFactory.h"
#include "activex/win/ModuleLock.h"

namespace {

using activex::ActiveXControl;

// The shared container site, keeping the control's in-place calls in order, with a place of its
// own in the parent window.
struct FakeSite : activex_site::ContainerSite {
  std::vector<std::string> calls;

  FakeSite() {
    place = {10, 20, 210, 170};
    heard = [this](const char* call) { calls.push_back(call); };
  }
};

// {A1C3E5F7-0B2D-4F60-8A9C-1E3F5A7C9B01}
const CLSID kTestClassId = {0xA1C3E5F7, 0x0B2D, 0x4F60, {0x8A, 0x9C, 0x1E, 0x3F, 0x5A, 0x7C, 0x9B, 0x01}};
// {A1C3E5F7-0B2D-4F60-8A9C-1E3F5A7C9B02}
const IID kTestDispatchId = {0xA1C3E5F7, 0x0B2D, 0x4F60, {0x8A, 0x9C, 0x1E, 0x3F, 0x5A, 0x7C, 0x9B, 0x02}};

constexpr DWORD kTestMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT;

const activex::ControlIdentity kIdentity = {&kTestClassId, &kTestDispatchId,
                                            L"ActiveXFrameworkTestControl", kTestMiscStatus,
                                            L"Test Control"};

std::vector<std::string>* gControlJournal = nullptr;

class TestControl : public ActiveXControl {
 public:
  TestControl() : ActiveXControl(kIdentity) {}

  IOleObject* Object() { return &mOleObject.face; }

 protected:
  LRESULT HandleControlMessage(HWND, UINT message, WPARAM, LPARAM, bool* handled) override {
    if (gControlJournal == nullptr) return 0;
    if (message == WM_CREATE) gControlJournal->push_back("WM_CREATE");
    if (message == WM_DESTROY) gControlJournal->push_back("WM_DESTROY");
    if (message == WM_ERASEBKGND) {
      *handled = true;
      return 1;
    }
    return 0;
  }
  void DrawPicture(HDC dc, const RECT& bounds) override {
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    FillRect(dc, &bounds, brush);
    DeleteObject(brush);
  }
};

HWND MakeParentWindow() {
  return CreateWindowExW(0, L"STATIC", L"ActiveX framework test", WS_OVERLAPPEDWINDOW,
                         0, 0, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class ActiveXControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gControlJournal = &mMessages;
    mLocksBefore = activex::ModuleLockCount();
    mControl = new TestControl();
    mParent = MakeParentWindow();
    ASSERT_NE(mParent, nullptr);
    mSite.window = mParent;
  }
  void TearDown() override {
    if (mControl != nullptr) IOleObject_Release(mControl->Object());
    DestroyWindow(mParent);
    gControlJournal = nullptr;
    // Every reference the control took on the site was given back, and the module lock too.
    EXPECT_EQ(mSite.references, 1);
    EXPECT_EQ(activex::ModuleLockCount(), mLocksBefore);
  }

  IOleObject* Object() { return mControl->Object(); }
  template <class Interface>
  Interface* As(REFIID iid) {
    void* face = nullptr;
    EXPECT_EQ(IOleObject_QueryInterface(Object(), iid, &face), S_OK);
    return static_cast<Interface*>(face);
  }

  TestControl* mControl = nullptr;
  FakeSite mSite;
  HWND mParent = nullptr;
  std::vector<std::string> mMessages;
  long mLocksBefore = 0;
};

TEST_F(ActiveXControlTest, EveryInterfaceLeadsBackToTheOneObject) {
  const IID* served[] = {&IID_IUnknown,           &IID_IOleObject,        &IID_IOleWindow,
                         &IID_IOleInPlaceObject,  &IID_IOleInPlaceActiveObject,
                         &IID_IOleControl,        &IID_IViewObject,       &IID_IViewObject2,
                         &IID_IViewObjectEx,      &IID_IPersist,          &IID_IPersistStreamInit,
                         &IID_IQuickActivate,     &IID_ISpecifyPropertyPages,
                         &IID_IProvideClassInfo,  &IID_IProvideClassInfo2, &IID_IDispatch,
                         &kTestDispatchId};
  IUnknown* identity = As<IUnknown>(IID_IUnknown);
  for (size_t i = 0; i < std::size(served); ++i) {
    IUnknown* face = As<IUnknown>(*served[i]);
    ASSERT_NE(face, nullptr) << i;
    IUnknown* back = nullptr;
    ASSERT_EQ(IUnknown_QueryInterface(face, IID_IUnknown, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, identity) << i;
    IUnknown_Release(back);
    IUnknown_Release(face);
  }
  // Never windowless, and nothing it does not know.
  const IID* refused[] = {&IID_IOleInPlaceObjectWindowless, &IID_IClassFactory, &IID_IPersistFile};
  for (const IID* iid : refused) {
    void* face = reinterpret_cast<void*>(1);
    EXPECT_EQ(IOleObject_QueryInterface(Object(), *iid, &face), E_NOINTERFACE);
    EXPECT_EQ(face, nullptr);
  }
  IUnknown_Release(identity);
}

// The calls of the system's control container, in its order: the control comes up as a child
// of the site's window at the site's place, follows SetObjectRects, and goes at Close.
TEST_F(ActiveXControlTest, ContainerOrderActivatesAndClosesOnce) {
  IPersistStreamInit* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
  EXPECT_EQ(IPersistStreamInit_InitNew(persist), S_OK);
  IPersistStreamInit_Release(persist);

  DWORD misc = 0;
  EXPECT_EQ(IOleObject_GetMiscStatus(Object(), DVASPECT_CONTENT, &misc), S_OK);
  EXPECT_EQ(misc, kTestMiscStatus);
  EXPECT_EQ(IOleObject_SetClientSite(Object(), mSite.ClientSite()), S_OK);
  EXPECT_EQ(IOleObject_SetHostNames(Object(), L"Container", nullptr), S_OK);
  SIZEL extent = {};
  EXPECT_EQ(IOleObject_GetExtent(Object(), DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, 5080);
  EXPECT_EQ(extent.cy, 5080);
  const SIZEL wanted = {3000, 2000};
  EXPECT_EQ(IOleObject_SetExtent(Object(), DVASPECT_CONTENT, const_cast<SIZEL*>(&wanted)), S_OK);
  EXPECT_EQ(IOleObject_GetExtent(Object(), DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(extent.cx, 3000);

  RECT place = {0, 0, 100, 100};
  ASSERT_EQ(IOleObject_DoVerb(Object(), OLEIVERB_INPLACEACTIVATE, nullptr, mSite.ClientSite(), 0,
                              mParent, &place),
            S_OK);
  HWND window = mControl->ControlWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetParent(window), mParent);
  EXPECT_EQ(mMessages, std::vector<std::string>{"WM_CREATE"});
  RECT inParent = {};
  GetWindowRect(window, &inParent);
  MapWindowPoints(nullptr, mParent, reinterpret_cast<POINT*>(&inParent), 2);
  EXPECT_EQ(inParent.left, 10);
  EXPECT_EQ(inParent.top, 20);
  EXPECT_EQ(inParent.right, 210);

  // Activating again keeps the window.
  EXPECT_EQ(
      IOleObject_DoVerb(Object(), OLEIVERB_SHOW, nullptr, mSite.ClientSite(), 0, mParent, &place),
      S_OK);
  EXPECT_EQ(mControl->ControlWindow(), window);

  IOleInPlaceObject* inPlace = As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  const RECT moved = {5, 6, 105, 56};
  EXPECT_EQ(IOleInPlaceObject_SetObjectRects(inPlace, &moved, &moved), S_OK);
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 100);
  EXPECT_EQ(client.bottom, 50);
  HWND reported = nullptr;
  EXPECT_EQ(IOleInPlaceObject_GetWindow(inPlace, &reported), S_OK);
  EXPECT_EQ(reported, window);
  IOleInPlaceObject_Release(inPlace);

  EXPECT_EQ(IOleObject_Close(Object(), OLECLOSE_NOSAVE), S_OK);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(mControl->ControlWindow(), nullptr);
  EXPECT_EQ(IOleObject_Close(Object(), OLECLOSE_NOSAVE), S_OK);  // twice: nothing more
  EXPECT_EQ(IOleObject_SetClientSite(Object(), nullptr), S_OK);
  EXPECT_EQ(mMessages, (std::vector<std::string>{"WM_CREATE", "WM_DESTROY"}));
  EXPECT_EQ(mSite.calls,
            (std::vector<std::string>{"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow",
                                      "GetWindowContext", "GetWindow", "GetWindowContext",
                                      "OnInPlaceDeactivate"}));
}

TEST_F(ActiveXControlTest, CallsOutOfOrderAnswerWithoutHarm) {
  // Activation without a site, or with one that refuses.
  RECT place = {0, 0, 50, 50};
  EXPECT_EQ(IOleObject_DoVerb(Object(), OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, mParent,
                              &place),
            E_UNEXPECTED);
  mSite.allowInPlace = false;
  EXPECT_EQ(IOleObject_SetClientSite(Object(), mSite.ClientSite()), S_OK);
  EXPECT_EQ(IOleObject_DoVerb(Object(), OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, mParent,
                              &place),
            E_FAIL);
  EXPECT_EQ(mControl->ControlWindow(), nullptr);
  EXPECT_TRUE(mMessages.empty());

  // A second site replaces the first, which is given back; the same site again changes nothing.
  FakeSite second;
  second.window = mParent;
  EXPECT_EQ(IOleObject_SetClientSite(Object(), second.ClientSite()), S_OK);
  EXPECT_EQ(mSite.references, 1);
  EXPECT_EQ(second.references, 2);
  EXPECT_EQ(IOleObject_SetClientSite(Object(), second.ClientSite()), S_OK);
  EXPECT_EQ(second.references, 2);

  // Extents of another aspect, and missing out parameters.
  SIZEL size = {1, 1};
  EXPECT_EQ(IOleObject_SetExtent(Object(), DVASPECT_ICON, &size), DV_E_DVASPECT);
  EXPECT_EQ(IOleObject_GetExtent(Object(), DVASPECT_CONTENT, nullptr), E_POINTER);
  EXPECT_EQ(IOleObject_Unadvise(Object(), 7), OLE_E_NOCONNECTION);
  EXPECT_EQ(IOleObject_DoVerb(Object(), 12, nullptr, nullptr, 0, mParent, &place),
            OLEOBJ_S_INVALIDVERB);

  // Deactivating what was never active, and closing twice.
  IOleInPlaceObject* inPlace = As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  EXPECT_EQ(IOleInPlaceObject_InPlaceDeactivate(inPlace), S_OK);
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(IOleInPlaceObject_GetWindow(inPlace, &window), E_FAIL);
  EXPECT_EQ(window, nullptr);
  IOleInPlaceObject_Release(inPlace);
  EXPECT_EQ(IOleObject_Close(Object(), OLECLOSE_NOSAVE), S_OK);
  EXPECT_EQ(IOleObject_Close(Object(), OLECLOSE_NOSAVE), S_OK);

  // The last release gives the second site back too (checked here, the first in TearDown).
  IOleObject_Release(Object());
  mControl = nullptr;
  EXPECT_EQ(second.references, 1);
}

TEST_F(ActiveXControlTest, DrawsIntoTheContainersContextBeforeActivation) {
  IViewObjectEx* view = As<IViewObjectEx>(IID_IViewObjectEx);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all = {0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  const RECTL bounds = {5, 5, 20, 20};
  EXPECT_EQ(IViewObjectEx_Draw(view, DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds,
                               nullptr, nullptr, 0),
            S_OK);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(dc, 30, 30), RGB(255, 255, 255));  // nothing outside the bounds
  // Without bounds and without a window there is nowhere to draw; another aspect is refused.
  EXPECT_EQ(IViewObjectEx_Draw(view, DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr,
                               nullptr, nullptr, 0),
            E_INVALIDARG);
  EXPECT_EQ(IViewObjectEx_Draw(view, DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc, &bounds,
                               nullptr, nullptr, 0),
            DV_E_DVASPECT);
  DWORD status = 0;
  EXPECT_EQ(IViewObjectEx_GetViewStatus(view, &status), S_OK);
  EXPECT_EQ(status, DWORD(VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND));

  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  IViewObjectEx_Release(view);
}

TEST_F(ActiveXControlTest, QuickActivateTakesTheSiteAndTellsTheStatus) {
  IQuickActivate* quick = As<IQuickActivate>(IID_IQuickActivate);
  QACONTAINER container = {};
  container.cbSize = sizeof(container);
  container.pClientSite = mSite.ClientSite();
  QACONTROL control = {};
  control.cbSize = sizeof(control);
  EXPECT_EQ(IQuickActivate_QuickActivate(quick, &container, &control), S_OK);
  EXPECT_EQ(control.dwMiscStatus, kTestMiscStatus);
  EXPECT_EQ(mSite.references, 2);
  control.cbSize = 4;
  EXPECT_EQ(IQuickActivate_QuickActivate(quick, &container, &control), E_INVALIDARG);
  EXPECT_EQ(IQuickActivate_QuickActivate(quick, nullptr, &control), E_POINTER);
  IQuickActivate_Release(quick);

  // The small interfaces: no accelerators, no property pages, nothing to persist.
  IOleControl* oleControl = As<IOleControl>(IID_IOleControl);
  CONTROLINFO info = {};
  info.cb = sizeof(info);
  EXPECT_EQ(IOleControl_GetControlInfo(oleControl, &info), S_OK);
  EXPECT_EQ(info.cAccel, 0);
  EXPECT_EQ(IOleControl_OnAmbientPropertyChange(oleControl, DISPID_UNKNOWN), S_OK);
  EXPECT_EQ(IOleControl_FreezeEvents(oleControl, TRUE), S_OK);
  IOleControl_Release(oleControl);
  ISpecifyPropertyPages* pages = As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
  CAUUID list = {5, reinterpret_cast<GUID*>(1)};
  EXPECT_EQ(ISpecifyPropertyPages_GetPages(pages, &list), S_OK);
  EXPECT_EQ(list.cElems, 0u);
  EXPECT_EQ(list.pElems, nullptr);
  ISpecifyPropertyPages_Release(pages);
  IPersistStreamInit* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
  CLSID clsid = {};
  EXPECT_EQ(IPersistStreamInit_GetClassID(persist, &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, kTestClassId));
  EXPECT_EQ(IPersistStreamInit_IsDirty(persist), S_FALSE);
  IPersistStreamInit_Release(persist);
  // Without a type library the dual interface has no type information to give.
  IDispatch* dispatch = As<IDispatch>(kTestDispatchId);
  ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_TRUE(FAILED(IDispatch_GetTypeInfo(dispatch, 0, 0, &typeInfo)));
  EXPECT_EQ(typeInfo, nullptr);
  EXPECT_EQ(IDispatch_GetTypeInfo(dispatch, 1, 0, &typeInfo), DISP_E_BADINDEX);
  IDispatch_Release(dispatch);
}

IUnknown* CreateTestControl() {
  return reinterpret_cast<IUnknown*>(static_cast<TestControl*>(new TestControl())->Object());
}

TEST(ActiveXClassFactory, MakesControlsRefusesAggregationAndCountsLocks) {
  const long before = activex::ModuleLockCount();
  activex::ClassFactory factory = activex::MakeClassFactory(&CreateTestControl);
  IClassFactory* classFactory = nullptr;
  EXPECT_EQ(activex::GetClassObject(&factory, kTestClassId, IID_IDispatch, IID_IClassFactory,
                                    reinterpret_cast<void**>(&classFactory)),
            CLASS_E_CLASSNOTAVAILABLE);
  ASSERT_EQ(activex::GetClassObject(&factory, kTestClassId, kTestClassId, IID_IClassFactory,
                                    reinterpret_cast<void**>(&classFactory)),
            S_OK);
  EXPECT_EQ(activex::ModuleLockCount(), before + 1);

  void* object = reinterpret_cast<void*>(1);
  IUnknown outer = {};
  EXPECT_EQ(IClassFactory_CreateInstance(classFactory, &outer, IID_IUnknown, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(IClassFactory_CreateInstance(classFactory, nullptr, IID_IClassFactory, &object),
            E_NOINTERFACE);
  EXPECT_EQ(activex::ModuleLockCount(), before + 1);  // the refused object is gone again
  ASSERT_EQ(IClassFactory_CreateInstance(classFactory, nullptr, IID_IOleObject, &object), S_OK);
  EXPECT_EQ(activex::ModuleLockCount(), before + 2);
  IOleObject_Release(static_cast<IOleObject*>(object));

  EXPECT_EQ(IClassFactory_LockServer(classFactory, TRUE), S_OK);
  EXPECT_EQ(activex::ModuleLockCount(), before + 2);
  EXPECT_EQ(IClassFactory_LockServer(classFactory, FALSE), S_OK);
  IClassFactory_Release(classFactory);
  EXPECT_EQ(activex::ModuleLockCount(), before);
}

}  // namespace
