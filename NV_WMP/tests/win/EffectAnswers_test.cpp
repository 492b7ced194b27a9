// The effect object's plain answers through the module's real exports: the effect methods'
// results and out-values, null pointers, the interfaces it answers, aggregation, IDispatch from
// the type library, and the module lock behind DllCanUnloadNow.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "NV_WMP/tests/win/EffectHarness.h"

namespace wmptest {
namespace {

// {3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B31}, {…33}
constexpr CLSID kClsid = {
    0x3B6C8E51, 0x0D2A, 0x4F7B, {0x9E, 0x14, 0x6A, 0x2C, 0x5D, 0x8F, 0x0B, 0x31}};
constexpr IID kIidAutomation = {
    0x3B6C8E51, 0x0D2A, 0x4F7B, {0x9E, 0x14, 0x6A, 0x2C, 0x5D, 0x8F, 0x0B, 0x33}};
// {19A6627B-DA9E-47C1-BB23-00B5E668236A}
constexpr IID kIidEvents = {
    0x19A6627B, 0xDA9E, 0x47C1, {0xBB, 0x23, 0x00, 0xB5, 0xE6, 0x68, 0x23, 0x6A}};

class EffectAnswersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(EffectModule(), nullptr);
    effect_ = NewEffect();
    ASSERT_NE(effect_, nullptr);
  }
  void TearDown() override {
    if (effect_ != nullptr) {
      EXPECT_EQ(effect_->table->Release(effect_), 0u);
    }
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
  }
  wmp::Effects* effect_ = nullptr;
};

std::wstring TakeText(BSTR text) {
  std::wstring copy = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"<null>";
  SysFreeString(text);
  return copy;
}

TEST_F(EffectAnswersTest, EffectMethodsAnswerAsThePlayerExpects) {
  const wmp::EffectsTable& t = *effect_->table;
  wmp::Effects* e = effect_;
  struct Case {
    const char* name;
    std::function<HRESULT(std::wstring* out)> call;
    HRESULT result;
    std::wstring out;  // the value written, as text ("" when nothing is read)
  };
  const Case cases[] = {
      {"Render", [&](std::wstring*) { return t.Render(e, nullptr, nullptr, nullptr); },
       E_NOTIMPL, L""},
      {"MediaInfo", [&](std::wstring*) { return t.MediaInfo(e, 2, 44100, nullptr); }, S_OK, L""},
      {"GetCapabilities",
       [&](std::wstring* out) {
         DWORD value = 99;
         const HRESULT hr = t.GetCapabilities(e, &value);
         *out = std::to_wstring(value);
         return hr;
       },
       S_OK, L"1"},
      {"GetCapabilities(null)", [&](std::wstring*) { return t.GetCapabilities(e, nullptr); },
       E_POINTER, L""},
      {"GetTitle",
       [&](std::wstring* out) {
         BSTR title = nullptr;
         const HRESULT hr = t.GetTitle(e, &title);
         *out = TakeText(title);
         return hr;
       },
       S_OK, L"Glimmora"},
      {"GetTitle(null)", [&](std::wstring*) { return t.GetTitle(e, nullptr); }, E_POINTER, L""},
      {"GetPresetTitle(0)",
       [&](std::wstring* out) {
         BSTR title = nullptr;
         const HRESULT hr = t.GetPresetTitle(e, 0, &title);
         *out = TakeText(title);
         return hr;
       },
       S_OK, L"Glimmora"},
      {"GetPresetTitle(1)",
       [&](std::wstring* out) {
         BSTR title = nullptr;
         const HRESULT hr = t.GetPresetTitle(e, 1, &title);
         *out = TakeText(title);
         return hr;
       },
       E_INVALIDARG, L"<null>"},
      {"GetPresetTitle(-1)",
       [&](std::wstring*) {
         BSTR title = nullptr;
         return t.GetPresetTitle(e, -1, &title);
       },
       E_INVALIDARG, L""},
      {"GetPresetTitle(null)", [&](std::wstring*) { return t.GetPresetTitle(e, 0, nullptr); },
       E_POINTER, L""},
      {"GetPresetCount",
       [&](std::wstring* out) {
         LONG count = 99;
         const HRESULT hr = t.GetPresetCount(e, &count);
         *out = std::to_wstring(count);
         return hr;
       },
       S_OK, L"1"},
      {"GetPresetCount(null)", [&](std::wstring*) { return t.GetPresetCount(e, nullptr); },
       E_POINTER, L""},
      {"SetCurrentPreset(5) then GetCurrentPreset",
       [&](std::wstring* out) {
         LONG preset = 99;
         const HRESULT set = t.SetCurrentPreset(e, 5);
         const HRESULT hr = t.GetCurrentPreset(e, &preset);
         *out = std::to_wstring(preset);
         return set == S_OK ? hr : set;
       },
       S_OK, L"0"},
      {"GetCurrentPreset(null)", [&](std::wstring*) { return t.GetCurrentPreset(e, nullptr); },
       E_POINTER, L""},
      {"DisplayPropertyPage", [&](std::wstring*) { return t.DisplayPropertyPage(e, nullptr); },
       E_NOTIMPL, L""},
      {"SetCore(null) never connected", [&](std::wstring*) { return t.SetCore(e, nullptr); },
       S_OK, L""},
      {"NotifyNewMedia(null)", [&](std::wstring*) { return t.NotifyNewMedia(e, nullptr); }, S_OK,
       L""},
      {"RenderWindowed(null) without a window",
       [&](std::wstring*) { return t.RenderWindowed(e, nullptr, FALSE); }, S_OK, L""},
      {"RenderFullScreen(null) without a window",
       [&](std::wstring*) { return t.RenderFullScreen(e, nullptr); }, S_OK, L""},
      {"OnWindowMessage with a null result", [&](std::wstring*) {
         return t.OnWindowMessage(e, WM_USER + 77, 0, 0, nullptr);
       },
       S_FALSE, L""},
      {"Destroy before Create", [&](std::wstring*) { return t.Destroy(e); }, S_OK, L""},
  };
  for (const Case& c : cases) {
    std::wstring out;
    EXPECT_EQ(c.call(&out), c.result) << c.name;
    if (!c.out.empty()) {
      EXPECT_EQ(out, c.out) << c.name;
    }
  }
}

TEST_F(EffectAnswersTest, AnswersItsInterfacesAsOneObject) {
  const IID answered[] = {IID_IUnknown, kIidAutomation, IID_IDispatch, kIidEvents,
                          wmp::kIidEffects, wmp::kIidEffects2};
  IUnknown* identity = nullptr;
  ASSERT_EQ(effect_->table->QueryInterface(effect_, IID_IUnknown,
                                           reinterpret_cast<void**>(&identity)),
            S_OK);
  for (const IID& iid : answered) {
    IUnknown* found = nullptr;
    ASSERT_EQ(effect_->table->QueryInterface(effect_, iid, reinterpret_cast<void**>(&found)),
              S_OK);
    IUnknown* back = nullptr;
    ASSERT_EQ(found->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, identity) << "every interface leads back to the same IUnknown";
    back->Release();
    found->Release();
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(effect_->table->QueryInterface(effect_, IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(effect_->table->QueryInterface(effect_, IID_IUnknown, nullptr), E_POINTER);
  identity->Release();
}

TEST_F(EffectAnswersTest, DispatchIsServedFromTheTypeLibrary) {
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(effect_->table->QueryInterface(effect_, IID_IDispatch,
                                           reinterpret_cast<void**>(&dispatch)),
            S_OK);
  UINT count = 0;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* info = nullptr;
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, kIidAutomation));
  EXPECT_TRUE((attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0);
  info->ReleaseTypeAttr(attributes);
  info->Release();
  EXPECT_EQ(dispatch->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
  // INV_WMP has no methods of its own: no name is known.
  LPOLESTR name = const_cast<LPOLESTR>(L"Play");
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_IUnknown, &name, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  dispatch->Release();
}

// A minimal controlling object for the aggregation test.
struct Outer : IUnknown {
  LONG references = 1;
  IUnknown* inner = nullptr;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
  ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
};

TEST(EffectFactoryTest, AggregationDelegatesToTheOuterObjectAndOnlyIUnknownMayBeAsked) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(ModuleGetClassObject(kClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  Outer outer;
  void* refused = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(&outer, wmp::kIidEffects2, &refused), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);
  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
            S_OK);
  wmp::Effects* effect = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(wmp::kIidEffects2, reinterpret_cast<void**>(&effect)),
            S_OK);
  EXPECT_EQ(outer.references, 2) << "the interface's reference counts for the outer object";
  IUnknown* identity = nullptr;
  effect->table->QueryInterface(effect, IID_IUnknown, reinterpret_cast<void**>(&identity));
  EXPECT_EQ(identity, &outer) << "queries go to the controlling object";
  identity->Release();
  effect->table->Release(effect);
  EXPECT_EQ(outer.references, 1);
  EXPECT_EQ(outer.inner->Release(), 0u);
  factory->Release();
  EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}

TEST(EffectFactoryTest, ModuleStaysWhileAnObjectOrALockIsOutstanding) {
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(ModuleGetClassObject(IID_IUnknown, IID_IClassFactory, &none),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(ModuleGetClassObject(kClsid, IID_IClassFactory, nullptr), E_POINTER);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(ModuleGetClassObject(kClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "a factory reference";
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "a lock";
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  factory->LockServer(FALSE);
  EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "an object";
  effect->table->Release(effect);
  EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace wmptest
