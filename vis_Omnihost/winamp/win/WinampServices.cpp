#include "vis_Omnihost/winamp/win/WinampServices.h"

namespace winamp {

namespace {

// Answers of 0 and 1 to the service-interface query both mean "no services".
constexpr uintptr_t kNoServiceInterface = 1;

// A message to a service object; a null object, or one without a table or dispatch entry,
// handles nothing.
int32_t Dispatch(ServiceObject* object, int32_t message, void* result, void** params,
                 int32_t count) {
  if (object == nullptr || object->table == nullptr || object->table->dispatch == nullptr) {
    return 0;
  }
  return object->table->dispatch(object, message, result, params, count);
}

ServiceObject* ServiceByGuid(ServiceObject* services, const ServiceGuid& guid) {
  void* found = nullptr;
  ServiceGuid argument = guid;
  void* params[] = {&argument};
  if (Dispatch(services, service::kGetServiceByGuid, &found, params, 1) != service::kHandled) {
    return nullptr;
  }
  return static_cast<ServiceObject*>(found);
}

void ReleaseService(ServiceObject* object) {
  // Nothing is expected back, but a player may write a result all the same.
  intptr_t ignored = 0;
  Dispatch(object, service::kRelease, &ignored, nullptr, 0);
}

}  // namespace

void PlayerServices::Acquire(void* serviceInterface) {
  Release();
  if (reinterpret_cast<uintptr_t>(serviceInterface) <= kNoServiceInterface) return;
  auto* services = static_cast<ServiceObject*>(serviceInterface);
  mMemory = ServiceByGuid(services, kMemoryServiceGuid);
  mAlbumArt = ServiceByGuid(services, kAlbumArtServiceGuid);
}

void PlayerServices::Release() {
  ReleaseService(mMemory);
  ReleaseService(mAlbumArt);
  mMemory = nullptr;
  mAlbumArt = nullptr;
}

bool PlayerServices::GetAlbumArt(const char16_t* file, int32_t* width, int32_t* height,
                                 uint32_t** pixels) {
  *width = 0;
  *height = 0;
  *pixels = nullptr;
  const char16_t* type = u"cover";
  void* params[] = {&file, &type, &width, &height, &pixels};
  int32_t result = -1;
  const int32_t handled = Dispatch(mAlbumArt, service::kGetAlbumArt, &result, params, 5);
  if (handled != service::kHandled || result != 0 || *pixels == nullptr) return false;
  if (*width > 0 && *height > 0) return true;
  // Pixels of no size are of no use to the engine, but they are still the player's memory.
  Free(*pixels);
  *pixels = nullptr;
  return false;
}

void PlayerServices::Free(void* block) {
  void* params[] = {&block};
  intptr_t ignored = 0;
  Dispatch(mMemory, service::kFree, &ignored, params, 1);
}

}  // namespace winamp
