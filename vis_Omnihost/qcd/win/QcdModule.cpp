// The QCD visual module: the exported QVisualModule0, which fills the player's module structure,
// and the four functions it sets there, which the player calls on its thread.
//
// Nothing thrown inside reaches the player: a function that fails answers 0.
#include "utility/ExitCallbackList.h"
#include "vis_Omnihost/qcd/QcdRecords.h"
#include "vis_Omnihost/qcd/win/QcdClient.h"
#include "visualhost/engine/SharedEngineLibrary.h"

namespace qcd {

namespace {

constexpr int32_t kOne = 1;

// The player's structure, kept from QVisualModule0 for the later calls.
Module* gModule = nullptr;
QcdClient* gClient = nullptr;

QcdClient& Client() {
  if (gClient == nullptr) gClient = new QcdClient(gModule);
  return *gClient;
}

int32_t QCD_CALL Init() {
  try {
    // A new client asks for the window itself; an existing one asks again.
    if (gClient == nullptr) {
      Client();
    } else {
      gClient->Restart();
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

int32_t QCD_CALL Render() {
  try {
    return Client().Render();
  } catch (...) {
    return 0;
  }
}

int32_t QCD_CALL Event(int32_t type, int32_t value1, int32_t value2) {
  try {
    return gClient != nullptr ? gClient->Event(type, value1, value2) : 0;
  } catch (...) {
    return 0;
  }
}

void QCD_CALL Shutdown() {
  try {
    QcdClient* client = gClient;
    gClient = nullptr;
    delete client;
    ExitCallbackList::Run();
  } catch (...) {
  }
}

void Fill(Module* module) {
  module->size = kModuleSize;
  module->event = &Event;
  module->render = &Render;
  module->init = &Init;
  module->shutdown = &Shutdown;
  for (void*& cleared : module->cleared) cleared = nullptr;
  module->cleared2[0] = module->cleared2[1] = 0;
  module->one = kOne;
  module->spectrumSize = kSpectrumWanted;
  module->cleared3[0] = module->cleared3[1] = 0;
}

int32_t Describe(Module* module, void** output) {
  const EngineTable* table = SharedEngineLibrary()->GetTable();
  if (table == nullptr) return 0;
  if (output != nullptr) {
    // The engine's information record starts with a value for this player.
    const auto* info = static_cast<void* const*>(table->info);
    *output = info != nullptr ? *info : nullptr;
  }
  if (module != nullptr) {
    Fill(module);
    gModule = module;
  }
  return 1;
}

}  // namespace

}  // namespace qcd

extern "C" int32_t QCD_CALL QVisualModule0(qcd::Module* module, void** output) {
  try {
    return qcd::Describe(module, output);
  } catch (...) {
    return 0;
  }
}
