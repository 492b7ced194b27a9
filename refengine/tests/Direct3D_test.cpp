// A Direct3D 9 device as the target: each frame clears its render target to a colour that
// follows the host's audio; the engine holds a reference only while the device is attached.
#include <d3d9.h>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

// A windowed device on a small hidden window, and reading its render target back.
class Direct3DTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    if (HasFatalFailure()) return;
    mWindow = CreateWindowExW(0, L"STATIC", L"refengine d3d", WS_POPUP, 0, 0, 64, 48, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(mWindow, nullptr);
    mDirect3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!mDirect3D) GTEST_SKIP() << "Direct3DCreate9 failed on this machine";
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferWidth = 64;
    parameters.BackBufferHeight = 48;
    parameters.hDeviceWindow = mWindow;
    const HRESULT result =
        mDirect3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mWindow,
                                D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &mDevice);
    if (FAILED(result) || !mDevice) {
      GTEST_SKIP() << "no Direct3D 9 device on this machine (0x" << std::hex << result << ")";
    }
  }

  void TearDown() override {
    EngineTest::TearDown();  // instances first: they may hold the device
    if (mDevice) mDevice->Release();
    if (mDirect3D) mDirect3D->Release();
    if (mWindow) DestroyWindow(mWindow);
  }

  ULONG References() {
    mDevice->AddRef();
    return mDevice->Release();
  }

  // The render target's top-left pixel as 0x00RRGGBB, or ~0 when it cannot be read.
  uint32_t ClearColour() {
    IDirect3DSurface9* target = nullptr;
    IDirect3DSurface9* copy = nullptr;
    uint32_t colour = ~0u;
    D3DSURFACE_DESC desc{};
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(mDevice->GetRenderTarget(0, &target)) && SUCCEEDED(target->GetDesc(&desc)) &&
        SUCCEEDED(mDevice->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                       D3DPOOL_SYSTEMMEM, &copy, nullptr)) &&
        SUCCEEDED(mDevice->GetRenderTargetData(target, copy)) &&
        SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      colour = *static_cast<const uint32_t*>(locked.pBits) & 0x00FFFFFFu;
      copy->UnlockRect();
    }
    if (copy) copy->Release();
    if (target) target->Release();
    return colour;
  }

  HWND mWindow = nullptr;
  IDirect3D9* mDirect3D = nullptr;
  IDirect3DDevice9* mDevice = nullptr;
};

TEST_F(Direct3DTest, ClearColourFollowsTheAudio) {
  FakeHost host;
  host.samplesToDeliver = 512;
  const uint32_t instance = Create(&host, 1);
  ASSERT_EQ(Table()->SetTarget(instance, mDevice, nullptr, 0), 0);
  EXPECT_EQ(EntriesOf(Journal(), "SetTarget").back().Get("device"), "1");

  struct Case {
    float level;
    uint32_t red;  // at least, in the cleared colour
  };
  uint32_t previous = ~0u;
  for (const Case& c : {Case{0.0f, 0x00}, Case{0.9f, 0xC0}, Case{0.3f, 0x40}}) {
    SCOPED_TRACE(c.level);
    host.sampleValue = c.level;
    mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_XRGB(1, 2, 3), 1.0f, 0);
    Table()->RunFrame(instance, nullptr, nullptr);
    const uint32_t colour = ClearColour();
    ASSERT_NE(colour, ~0u) << "render target not readable";
    EXPECT_NE(colour, 0x010203u) << "the engine cleared nothing";
    EXPECT_NE(colour, previous);
    EXPECT_GE(colour >> 16, c.red);
    EXPECT_LE(colour >> 16, c.red + 0x30);
    previous = colour;
  }
}

TEST_F(Direct3DTest, ReferenceIsHeldOnlyWhileAttached) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  const ULONG before = References();
  ASSERT_EQ(Table()->SetTarget(instance, mDevice, nullptr, 0), 0);
  EXPECT_EQ(References(), before + 1);
  ASSERT_EQ(Table()->SetTarget(instance, mDevice, nullptr, 0), 0);  // again: still one
  EXPECT_EQ(References(), before + 1);
  ASSERT_EQ(Table()->SetTarget(instance, nullptr, nullptr, 0), 0);
  EXPECT_EQ(References(), before);

  ASSERT_EQ(Table()->SetTarget(instance, mDevice, nullptr, 0), 0);
  Destroy(instance);
  EXPECT_EQ(References(), before);
}

// Other targets that are not devices are kept, never called into, and never drawn.
TEST_F(EngineTest, OtherTargetsThatAreNotDevicesAreLeftAlone) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  uint64_t zeroes[4] = {};
  const uint64_t data = 0x1122334455667788ull;
  const void* pointsAtData[4] = {&data, &data, &data, &data};
  void* cases[] = {zeroes, pointsAtData, reinterpret_cast<void*>(uintptr_t(0x300))};
  for (void* target : cases) {
    SCOPED_TRACE(target);
    EXPECT_EQ(Table()->SetTarget(instance, target, nullptr, 0), 0);
    EXPECT_EQ(EntriesOf(Journal(), "SetTarget").back().Get("device"), "0");
    EXPECT_EQ(Table()->RunFrame(instance, nullptr, nullptr), 33);
  }
  EXPECT_EQ(zeroes[0], 0u);
}

}  // namespace
}  // namespace refengine_test
