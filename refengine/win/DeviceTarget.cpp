#include "refengine/DeviceTarget.h"

#include <d3d9.h>
#include <windows.h>

namespace refengine {
namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kExecutable =
    PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

bool PagesAllow(const void* address, size_t bytes, DWORD protection) {
  MEMORY_BASIC_INFORMATION info{};
  if (!address || VirtualQuery(address, &info, sizeof info) != sizeof info) return false;
  if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
  if ((info.Protect & protection) == 0) return false;
  const auto end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
  return reinterpret_cast<uintptr_t>(address) + bytes <= end;
}

// A host may pass any pointer as an "other" target. Before calling into it as a COM object,
// make sure it has the shape of one: readable, with a readable table whose first entry is code.
bool LooksLikeComObject(void* target) {
  if (!PagesAllow(target, sizeof(void*), kReadable)) return false;
  void* const* table = *static_cast<void* const* const*>(target);
  if (!PagesAllow(table, 3 * sizeof(void*), kReadable)) return false;
  return PagesAllow(table[0], 1, kExecutable);
}

}  // namespace

bool DeviceTarget::Attach(void* target) {
  IDirect3DDevice9* device = nullptr;
  if (LooksLikeComObject(target)) {
    auto* unknown = static_cast<IUnknown*>(target);
    if (FAILED(unknown->QueryInterface(__uuidof(IDirect3DDevice9),
                                       reinterpret_cast<void**>(&device)))) {
      device = nullptr;
    }
  }
  Detach();
  mDevice = device;  // QueryInterface gave the reference we keep
  return device != nullptr;
}

bool DeviceTarget::Readable(const void* address, size_t bytes) {
  return PagesAllow(address, bytes, kReadable);
}

void DeviceTarget::Detach() {
  if (mDevice) mDevice->Release();
  mDevice = nullptr;
}

bool DeviceTarget::Clear(uint32_t rgb) {
  if (!mDevice) return false;
  return SUCCEEDED(mDevice->Clear(0, nullptr, D3DCLEAR_TARGET,
                                  D3DCOLOR_XRGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF),
                                  1.0f, 0));
}

}  // namespace refengine
