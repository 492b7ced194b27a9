// The visualization object's operations, in the interface's order, as one explicit table; the
// object's life; and the exported MPACreateVisualization. Nothing thrown inside reaches the
// player: an operation that fails answers E_FAIL.
#include <cstring>

#include "vis_Omnihost/PluginIdentity.h"
#include "vis_Omnihost/realplayer/win/VisualizationObject.h"

namespace realplayer {

namespace {

Result REALPLAYER_CALL QueryInterface(Visualization* self, const Guid* iid, void** object) {
  if (object == nullptr) return result::kPointer;
  *object = nullptr;
  if (self == nullptr || iid == nullptr) return result::kInvalidArgument;
  if (!(*iid == kUnknownIid) && !(*iid == kVisualizationIid)) return result::kNoInterface;
  ObjectOf(self)->references.fetch_add(1);
  *object = self;
  return result::kOk;
}

uint32_t REALPLAYER_CALL AddRef(Visualization* self) {
  return self != nullptr ? ObjectOf(self)->references.fetch_add(1) + 1 : 0;
}

uint32_t REALPLAYER_CALL Release(Visualization* self) {
  if (self == nullptr) return 0;
  const uint32_t left = ObjectOf(self)->references.fetch_sub(1) - 1;
  if (left == 0) {
    try {
      DestroyVisualizationObject(ObjectOf(self));
    } catch (...) {
    }
  }
  return left;
}

// Keeps the context's service interface; the context's answer when it has none.
Result REALPLAYER_CALL Initialise(Visualization* self, Unknown* context) {
  if (self == nullptr || context == nullptr || context->table == nullptr) {
    return result::kInvalidArgument;
  }
  void* service = nullptr;
  const Result answer = context->table->queryInterface(context, &kContextServiceIid, &service);
  if (answer != result::kOk || service == nullptr)
    return answer != result::kOk ? answer : result::kNoInterface;
  VisualizationObject* object = ObjectOf(self);
  if (object->context != nullptr) object->context->table->release(object->context);
  object->context = static_cast<Unknown*>(service);
  return result::kOk;
}

void CopyText(char* buffer, const char* text) {
  if (buffer != nullptr) std::memcpy(buffer, text, std::strlen(text) + 1);
}

Result REALPLAYER_CALL Describe(Visualization*, char* product, char* maker, char* address) {
  CopyText(product, omnihost::kProductName);
  CopyText(maker, omnihost::kMakerName);
  CopyText(address, omnihost::kMakerAddress);
  return result::kOk;
}

Result REALPLAYER_CALL Capabilities(Visualization*, int32_t* value, uint8_t* flag,
                                    PropertySet* properties) {
  if (value != nullptr) *value = 0;
  if (flag != nullptr) *flag = 1;
  if (properties != nullptr && properties->table != nullptr) {
    properties->table->setUnsigned(properties, "SupportConfigure", 0);
    properties->table->setUnsigned(properties, "RenderMode", 1);
  }
  return result::kOk;
}

Result REALPLAYER_CALL Operation6(Visualization*, void*) {
  return result::kOk;
}

Result REALPLAYER_CALL NotImplemented(Visualization*, void*) {
  return result::kNotImplemented;
}

Result REALPLAYER_CALL Activate(Visualization* self, int32_t on) {
  try {
    if (self == nullptr || on == 0) return result::kOk;
    RealPlayerVisualHost* host = ObjectOf(self)->host;
    if (host->Instance() != 0) return result::kOk;
    host->StartInstance();
    return host->Instance() != 0 ? result::kOk : result::kFail;
  } catch (...) {
    return result::kFail;
  }
}

Result REALPLAYER_CALL SetWindow(Visualization* self, const Window* window) {
  try {
    if (self == nullptr || window == nullptr) return result::kPointer;
    return MoveToWindow(ObjectOf(self), static_cast<HWND>(*window));
  } catch (...) {
    return result::kFail;
  }
}

Result REALPLAYER_CALL Audio(Visualization* self, const AudioData* data) {
  if (self != nullptr) ObjectOf(self)->host->TakeAudio(data);
  return result::kOk;
}

void REALPLAYER_CALL Destroy(Visualization* self) {
  try {
    if (self != nullptr) DestroyVisualizationObject(ObjectOf(self));
  } catch (...) {
  }
}

const VisualizationTable kTable = {
    &QueryInterface, &AddRef,     &Release,        &Initialise, &Describe,
    &Capabilities,   &Operation6, &NotImplemented, &Activate,   &NotImplemented,
    &NotImplemented, &SetWindow,  &Audio,          &Destroy,
};

}  // namespace

VisualizationObject* NewVisualizationObject() {
  auto* object = new VisualizationObject();
  object->face.table = &kTable;
  object->host = new RealPlayerVisualHost();
  return object;
}

void DestroyVisualizationObject(VisualizationObject* object) {
  // The window must not keep calling a procedure whose object is gone.
  MoveToWindow(object, nullptr);
  if (object->context != nullptr) object->context->table->release(object->context);
  object->host->Release();
  delete object;
}

}  // namespace realplayer

extern "C" realplayer::Result REALPLAYER_CALL
MPACreateVisualization(realplayer::Visualization** object) {
  try {
    if (object == nullptr) return realplayer::result::kPointer;
    *object = &realplayer::NewVisualizationObject()->face;
    return realplayer::result::kOk;
  } catch (...) {
    return realplayer::result::kFail;
  }
}
