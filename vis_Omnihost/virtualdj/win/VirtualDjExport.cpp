// The entry point VirtualDJ loads the effect through. It carries the COM name but creates no
// COM object: for VirtualDJ 8's plug-in class and video effect interface it hands out a new
// plug-in object, and for anything else it answers CLASS_E_CLASSNOTAVAILABLE.
#include <windows.h>

#include "vis_Omnihost/virtualdj/win/VirtualDjPlugin.h"

STDAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId, LPVOID* object) {
  using virtualdj::Guid;
  try {
    const auto& wantedClass = reinterpret_cast<const Guid&>(classId);
    const auto& wantedInterface = reinterpret_cast<const Guid&>(interfaceId);
    if (!(wantedClass == virtualdj::kPluginClass) ||
        !(wantedInterface == virtualdj::kVideoEffectInterface)) {
      return virtualdj::result::kClassNotAvailable;
    }
    if (object == nullptr) return virtualdj::result::kPointer;
    *object = &virtualdj::NewPluginObject()->face;
    return S_OK;
  } catch (...) {
    return virtualdj::result::kFail;
  }
}
