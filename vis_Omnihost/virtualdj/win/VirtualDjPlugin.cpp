// The plug-in's operations, in the order of VirtualDJ's video effect interface, as one explicit
// table, and the object's life. Nothing thrown inside reaches VirtualDJ: an operation that fails
// answers E_FAIL. Every operation before load (no host) does nothing and answers 0.
#include "vis_Omnihost/virtualdj/win/VirtualDjPlugin.h"

#include <d3d9.h>

#include "vis_Omnihost/PluginIdentity.h"

namespace virtualdj {

namespace {

// The caller's flags given with the device.
constexpr uint32_t kDeviceTargetFlags = 0x20;

constexpr char kAuthor[] = "Novalume, Inc.";
constexpr char kDescription[] = "Glimmora for VirtualDJ";
constexpr char kVersion[] = "2.5";

void ForceAttach(PluginObject* object) {
  object->target.width = -1;
  object->target.height = -1;
}

Result VIRTUALDJ_CALL Load(Plugin* self) {
  try {
    if (self == nullptr) return result::kOk;
    PluginObject* object = ObjectOf(self);
    if (object->host == nullptr) object->host = new VirtualDjVisualHost();
    return result::kOk;
  } catch (...) {
    return result::kFail;
  }
}

Result VIRTUALDJ_CALL GetInfo(Plugin* self, PluginInfo* info) {
  if (info == nullptr) return result::kPointer;
  info->name = omnihost::kProductName;
  info->author = kAuthor;
  info->description = kDescription;
  info->version = kVersion;
  const bool extended = (info->flags & kInfoExtended) != 0;
  info->flags |= kInfoVisualisationFlags;
  if (extended) info->inputEvents = self != nullptr ? &ObjectOf(self)->inputEvents : nullptr;
  return result::kOk;
}

uint32_t VIRTUALDJ_CALL Release(Plugin* self) {
  try {
    if (self == nullptr) return 0;
    PluginObject* object = ObjectOf(self);
    if (object->host != nullptr) object->host->Release();
    object->host = nullptr;
    delete object;
  } catch (...) {
  }
  return 0;
}

// VirtualDJ never destroys the object this way (release does); nothing to do.
void* VIRTUALDJ_MEMBER_CALL Destructor(Plugin* self, uint32_t) {
  return self;
}

Result VIRTUALDJ_CALL Parameter(Plugin*, int32_t) {
  return result::kOk;
}

Result VIRTUALDJ_CALL ParameterText(Plugin*, int32_t, char*, int32_t) {
  return result::kNotImplemented;
}

Result VIRTUALDJ_CALL UserInterface(Plugin*, void*) {
  return result::kNotImplemented;
}

Result VIRTUALDJ_CALL Start(Plugin* self) {
  try {
    if (self == nullptr) return result::kOk;
    PluginObject* object = ObjectOf(self);
    object->target.width = -1;
    if (object->host != nullptr && object->host->Instance() == 0) object->host->StartInstance();
    return result::kOk;
  } catch (...) {
    return result::kFail;
  }
}

Result VIRTUALDJ_CALL Detach(Plugin* self) {
  try {
    if (self != nullptr && ObjectOf(self)->host != nullptr) ObjectOf(self)->host->DetachTarget();
    return result::kOk;
  } catch (...) {
    return result::kFail;
  }
}

// The device to draw on: the one attached, else VirtualDJ's (then new); null when there is none.
IDirect3DDevice9* DeviceFor(PluginObject* object, bool* isNew) {
  *isNew = false;
  if (void* attached = object->host->AttachedTarget(); attached != nullptr) {
    return static_cast<IDirect3DDevice9*>(attached);
  }
  VideoCallbacks* callbacks = object->face.videoCallbacks;
  if (callbacks == nullptr || callbacks->table == nullptr || callbacks->table->getDevice == nullptr)
    return nullptr;
  void* device = nullptr;
  if (callbacks->table->getDevice(callbacks, kEngineDirect3D9, &device) != result::kOk) {
    return nullptr;
  }
  *isNew = device != nullptr;
  return static_cast<IDirect3DDevice9*>(device);
}

// A device whose viewport cannot be read is not handed to the engine, and no frame is drawn:
// the engine would be given a size that means nothing.
Result VIRTUALDJ_CALL Draw(Plugin* self) {
  try {
    if (self == nullptr || ObjectOf(self)->host == nullptr) return result::kOk;
    PluginObject* object = ObjectOf(self);
    bool isNew = false;
    IDirect3DDevice9* device = DeviceFor(object, &isNew);
    if (device == nullptr) return result::kOk;
    D3DVIEWPORT9 viewport = {};
    if (FAILED(device->GetViewport(&viewport))) return result::kOk;
    const auto width = static_cast<int32_t>(viewport.Width);
    const auto height = static_cast<int32_t>(viewport.Height);
    if (isNew || width != object->target.width || height != object->target.height) {
      object->target = {{}, width, height};
      object->host->AttachTarget(device, kDeviceTargetFlags, &object->target);
    }
    object->host->Step();
    return result::kOk;
  } catch (...) {
    return result::kFail;
  }
}

Result VIRTUALDJ_CALL DeviceInit(Plugin* self) {
  if (self != nullptr) ForceAttach(ObjectOf(self));
  return result::kOk;
}

// Called on VirtualDJ's audio thread: touches nothing but the sample history.
Result VIRTUALDJ_CALL AudioSamples(Plugin* self, float* samples, int32_t count) {
  try {
    if (self != nullptr && ObjectOf(self)->host != nullptr) {
      ObjectOf(self)->host->Samples().AppendStereo(samples, count);
    }
    return result::kOk;
  } catch (...) {
    return result::kFail;
  }
}

const PluginTable kPluginTable = {
    &Load,  &GetInfo, &Release, &Destructor, &Parameter, &ParameterText, &UserInterface,
    &Start, &Detach,  &Draw,    &DeviceInit, &Detach,    &AudioSamples,
};

}  // namespace

PluginObject* NewPluginObject() {
  auto* object = new PluginObject();
  object->face = {};
  object->face.table = &kPluginTable;
  object->inputEvents.table = &kInputEventsTable;
  return object;
}

}  // namespace virtualdj
