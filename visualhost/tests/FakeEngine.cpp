#include "visualhost/tests/FakeEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "visualhost/engine/EngineRecords.h"

namespace {

FakeEngine gEngine;

std::string CodeText(uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text += char((code >> shift) & 0xFF);
  return "'" + text + "'";
}

bool IsLive(uint32_t instance) {
  return std::find(gEngine.liveInstances.begin(), gEngine.liveInstances.end(), instance) !=
         gEngine.liveInstances.end();
}

// A host must only name instances the engine handed out and has not destroyed.
void CheckLive(const char* entry, uint32_t instance) {
  if (!IsLive(instance)) {
    ADD_FAILURE() << "fake engine: " << entry << " on instance " << instance
                  << ", which is not a live instance";
  }
}

int32_t NV_ENGINE_CALL FakeCreateInstance(uint32_t* instance, int32_t, EngineCallback callback,
                                          void* userData, const char* descriptor) {
  FakeEngineCall call;
  call.entry = "CreateInstance";
  call.descriptor = descriptor != nullptr ? descriptor : "";
  gEngine.lastCallback = callback;
  gEngine.lastUserData = userData;
  const bool write = gEngine.createStatus == 0 ? gEngine.writeInstance
                                               : gEngine.writeInstanceOnFailure;
  if (write) {
    *instance = gEngine.nextInstance++;
    gEngine.liveInstances.push_back(*instance);
  }
  call.instance = *instance;
  gEngine.calls.push_back(call);
  return gEngine.createStatus;
}

void NV_ENGINE_CALL FakeDestroyInstance(uint32_t instance) {
  FakeEngineCall call;
  call.entry = "DestroyInstance";
  call.instance = instance;
  gEngine.calls.push_back(call);
  CheckLive("DestroyInstance", instance);
  std::erase(gEngine.liveInstances, instance);
}

int32_t NV_ENGINE_CALL FakeSetTarget(uint32_t instance, void* target, void* extra, uint32_t flags) {
  FakeEngineCall call;
  call.entry = "SetTarget";
  call.instance = instance;
  call.target = target;
  call.extra = extra;
  call.flags = flags;
  gEngine.calls.push_back(call);
  CheckLive("SetTarget", instance);
  return 0;
}

int32_t NV_ENGINE_CALL FakeRunFrame(uint32_t instance, void*, void*) {
  FakeEngineCall call;
  call.entry = "RunFrame";
  call.instance = instance;
  gEngine.calls.push_back(call);
  CheckLive("RunFrame", instance);
  return gEngine.runFramePeriod;
}

// Keeps what the engine could read of the request's in record.
void CopyRequestInput(uint32_t code, const void* in, FakeEngineCall* call) {
  if (in == nullptr) return;
  const auto* bytes = static_cast<const uint8_t*>(in);
  if (code == HostRequest::kEvent) call->record.assign(bytes, bytes + sizeof(EventRecord));
  if (code == HostRequest::kTrack) call->record.assign(bytes, bytes + sizeof(TrackRecord));
  if (code == HostRequest::kGetPreference) call->name = static_cast<const char*>(in);
}

int64_t ChosenAnswer(uint32_t code) {
  const auto chosen = gEngine.answers.find(code);
  if (chosen == gEngine.answers.end() || chosen->second.empty()) {
    ADD_FAILURE() << "fake engine: unexpected request " << CodeText(code)
                  << "; the test gave no answer for it";
    return NVStatus::kNotHandled;
  }
  size_t asked = 0;
  for (const FakeEngineCall& call : gEngine.calls) {
    if (call.entry == "Request" && call.code == code) ++asked;
  }
  return chosen->second[std::min(asked, chosen->second.size()) - 1];
}

int64_t NV_ENGINE_CALL FakeRequest(uint32_t instance, uint32_t code, void* in, void* out) {
  FakeEngineCall call;
  call.entry = "Request";
  call.instance = instance;
  call.code = code;
  CopyRequestInput(code, in, &call);
  gEngine.calls.push_back(call);
  CheckLive("Request", instance);
  if (gEngine.respond) return gEngine.respond(code, in, out);
  return ChosenAnswer(code);
}

EngineTable MakeTable() {
  EngineTable table = {};
  table.CreateInstance = &FakeCreateInstance;
  table.DestroyInstance = &FakeDestroyInstance;
  table.SetTarget = &FakeSetTarget;
  table.RunFrame = &FakeRunFrame;
  table.Request = &FakeRequest;
  return table;
}

const EngineTable gTable = MakeTable();

}  // namespace

FakeEngine& FakeEngine::Get() {
  return gEngine;
}

const EngineTable* FakeEngine::Table() {
  return &gTable;
}

void FakeEngine::Reset() {
  *this = FakeEngine();
}

std::vector<std::string> FakeEngine::Entries() const {
  std::vector<std::string> entries;
  for (const FakeEngineCall& call : calls) entries.push_back(call.entry);
  return entries;
}

std::vector<FakeEngineCall> FakeEngine::RequestsOf(uint32_t code) const {
  std::vector<FakeEngineCall> found;
  for (const FakeEngineCall& call : calls) {
    if (call.entry == "Request" && call.code == code) found.push_back(call);
  }
  return found;
}

EngineLibrary* MakeFakeLibrary(int32_t loadStatus,
                               std::shared_ptr<FakeEngineLoader::Counters> counters,
                               const EngineTable* table) {
  auto* library =
      new EngineLibrary(std::make_unique<FakeEngineLoader>(loadStatus, table, std::move(counters)));
  library->SetName(UtilStr("Glimmora"));
  return library;
}
