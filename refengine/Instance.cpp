#include "refengine/Instance.h"

#include <map>
#include <mutex>

#include "refengine/EngineClock.h"
#include "refengine/HostDescriptor.h"

namespace refengine {
namespace {

std::mutex gLock;
uint32_t gLastHandle = 0;
std::map<uint32_t, std::shared_ptr<Instance>>& Instances() {
  static auto* instances = new std::map<uint32_t, std::shared_ptr<Instance>>;
  return *instances;
}

}  // namespace

std::shared_ptr<Instance> AddInstance(EngineCallback callback, void* userData,
                                      std::string descriptor) {
  auto instance = std::make_shared<Instance>();
  instance->callback = callback;
  instance->userData = userData;
  instance->hostAudio = DescriptorSetting(descriptor, "HostAudio") == "1";
  instance->descriptor = std::move(descriptor);
  instance->targetLostMs = ClockMs();
  std::lock_guard<std::mutex> guard(gLock);
  do {
    ++gLastHandle;
  } while (gLastHandle == 0 || Instances().count(gLastHandle));
  instance->handle = gLastHandle;
  Instances()[instance->handle] = instance;
  return instance;
}

std::shared_ptr<Instance> FindInstance(uint32_t handle) {
  std::lock_guard<std::mutex> guard(gLock);
  const auto found = Instances().find(handle);
  return found == Instances().end() ? nullptr : found->second;
}

std::shared_ptr<Instance> RemoveInstance(uint32_t handle) {
  std::lock_guard<std::mutex> guard(gLock);
  const auto found = Instances().find(handle);
  if (found == Instances().end()) return nullptr;
  std::shared_ptr<Instance> instance = found->second;
  Instances().erase(found);
  return instance;
}

int32_t LiveInstanceCount() {
  std::lock_guard<std::mutex> guard(gLock);
  return int32_t(Instances().size());
}

}  // namespace refengine
