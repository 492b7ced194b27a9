// The device's table is filled through the C form of the Direct3D 9 declarations, which names
// each entry, so only the entries that exist here need a function.
#define CINTERFACE
#include <d3d9.h>

#include "players/shared/StandInJournal.h"
#include "players/virtualdj/FailingDevice.h"
#include "players/virtualdj/VirtualDjStandInControl.h"

namespace virtualdj_standin {
namespace {

LONG gReferences = 1;

HRESULT STDMETHODCALLTYPE QueryInterface(IDirect3DDevice9*, REFIID, void** object) {
  if (object != nullptr) *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AddRef(IDirect3DDevice9*) {
  return ULONG(InterlockedIncrement(&gReferences));
}

ULONG STDMETHODCALLTYPE Release(IDirect3DDevice9*) {
  return ULONG(InterlockedDecrement(&gReferences));
}

HRESULT STDMETHODCALLTYPE GetViewport(IDirect3DDevice9*, D3DVIEWPORT9*) {
  standin::WriteJournal(refengine::JournalLine(call::kFailedViewport));
  return D3DERR_INVALIDCALL;
}

IDirect3DDevice9Vtbl MakeTable() {
  IDirect3DDevice9Vtbl table = {};
  table.QueryInterface = &QueryInterface;
  table.AddRef = &AddRef;
  table.Release = &Release;
  table.GetViewport = &GetViewport;
  return table;
}

IDirect3DDevice9Vtbl gTable = MakeTable();
IDirect3DDevice9 gDevice = {&gTable};

}  // namespace

void* FailingDevice() {
  return &gDevice;
}

}  // namespace virtualdj_standin
