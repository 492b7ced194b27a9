// The effect against the system's own Media Player core (Wine's partial player): no
// connection point for IWMPEvents, no play state, media with null attributes and without
// IWMPMedia3. The effect takes each answer in its stride and gives back every reference.
#include <windows.h>
#include <objbase.h>
#include <olectl.h>
#include <wmp.h>

#include <gtest/gtest.h>

#include "NV_WMP/tests/win/EffectHarness.h"
#include "testsupport/win/InstalledProduct.h"

namespace wmptest {
namespace {

// {6BF52A52-394A-11D3-B153-00C04F79FAA6}
constexpr CLSID kClsidPlayer = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

ULONG ReferencesOf(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

TEST(EffectRealCoreTest, APartialPlayerIsTakenInItsStrideAndGetsEveryReferenceBack) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  InstalledProduct product(InstalledProduct::Options{});
  ASSERT_TRUE(product.ok());
  EngineJournal journal;
  IWMPCore* core = nullptr;
  const HRESULT created = CoCreateInstance(kClsidPlayer, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWMPCore, reinterpret_cast<void**>(&core));
  if (FAILED(created) || core == nullptr) GTEST_SKIP() << "no Media Player core registered";
  const ULONG coreReferences = ReferencesOf(core);

  PlayerWindows windows;
  wmp::Effects* effect = NewEffect();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->table->SetCore(effect, core), CONNECT_E_NOCONNECTION);
  windows.RouteTo(effect);
  EXPECT_EQ(effect->table->Create(effect, windows.EffectWindow()), S_OK);
  RenderFrames(effect, 12, Levels(60));
  IWMPMedia* media = nullptr;
  ULONG mediaReferences = 0;
  if (SUCCEEDED(core->get_currentMedia(&media)) && media != nullptr) {
    mediaReferences = ReferencesOf(media);
    EXPECT_EQ(effect->table->NotifyNewMedia(effect, media), S_OK);
  }
  RenderFrames(effect, 4, Levels(60));

  const Journal engine = journal.Read();
  ASSERT_EQ(Calls(engine, "CreateInstance").size(), 1u);
  // State unknown counts as not playing: the engine hears silence.
  const Journal audio = Calls(engine, "Callback", "GetS");
  for (const JournalEntry& request : audio) {
    EXPECT_EQ(request.Number("peakMilli"), 0);
  }
  if (media != nullptr) {
    const JournalEntry track = Calls(engine, "Request", "Trck").back();
    EXPECT_EQ(track.Get("title"), "");
    EXPECT_EQ(track.Get("artist"), "");
  }

  EXPECT_EQ(effect->table->Destroy(effect), S_OK);
  EXPECT_EQ(effect->table->SetCore(effect, nullptr), S_OK);
  windows.RouteTo(nullptr);
  EXPECT_EQ(effect->table->Release(effect), 0u);
  if (media != nullptr) {
    EXPECT_EQ(ReferencesOf(media), mediaReferences) << "the effect kept a reference to the media";
    media->Release();
  }
  EXPECT_EQ(ReferencesOf(core), coreReferences) << "the effect kept a reference to the core";
  core->Release();
  EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace wmptest
