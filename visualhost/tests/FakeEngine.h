// An in-process engine table for host tests: every call is recorded, answers are chosen by the
// test, and a loader hands the table to an EngineLibrary without any file or library.
//
// The fake is strict: a request whose code the test did not give an answer for (in `answers`
// or through `respond`), and any call naming an instance the fake did not hand out or has
// destroyed, fails the running test at once. It still answers such a request 55012, so the
// host goes on as it would with a real engine.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/engine/EngineLoader.h"

struct FakeEngineCall {
  std::string entry;  // "CreateInstance", "DestroyInstance", "SetTarget", "RunFrame", "Request"
  uint32_t instance = 0;
  uint32_t code = 0;  // Request code
  void* target = nullptr;
  void* extra = nullptr;
  uint32_t flags = 0;
  std::string descriptor;
  std::vector<uint8_t> record;  // Request: a copy of the 'Evnt' or 'Trck' record received
  std::string name;             // Request: the preference name of 'GPrf'
};

// The one fake engine of the test process. Reset before each test.
struct FakeEngine {
  static FakeEngine& Get();
  static const EngineTable* Table();
  void Reset();
  std::vector<std::string> Entries() const;
  // The Request calls of one code, in order.
  std::vector<FakeEngineCall> RequestsOf(uint32_t code) const;

  std::vector<FakeEngineCall> calls;
  int32_t createStatus = 0;
  uint32_t nextInstance = 7;
  // Whether CreateInstance writes an instance handle: on success (writeInstance), and even
  // when it reports failure (writeInstanceOnFailure, an engine that misbehaves).
  bool writeInstance = true;
  bool writeInstanceOnFailure = false;
  int32_t runFramePeriod = 30;
  // Answers by request code: the n-th request of a code gets the n-th answer, the last one
  // repeats. A code not listed is unexpected (see above).
  std::map<uint32_t, std::vector<int64_t>> answers;
  // When set, answers every request (after it is recorded) and may fill its out record.
  std::function<int64_t(uint32_t code, void* in, void* out)> respond;
  // Instances handed out and not yet destroyed.
  std::vector<uint32_t> liveInstances;
  EngineCallback lastCallback = nullptr;
  void* lastUserData = nullptr;
};

// A loader that binds the fake table when told to succeed, and counts its calls.
class FakeEngineLoader : public EngineLoader {
 public:
  struct Counters {
    int loads = 0;
    int unbinds = 0;
  };
  FakeEngineLoader(int32_t loadStatus, const EngineTable* table, std::shared_ptr<Counters> counters)
      : mLoadStatus(loadStatus), mFakeTable(table), mCounters(std::move(counters)) {}
  ~FakeEngineLoader() override { Unbind(); }

  int32_t LoadByName(const UtilStr&, ProductInfo*) override {
    ++mCounters->loads;
    if (mLoadStatus == NVStatus::kOk) mTable = mFakeTable;
    return mLoadStatus;
  }
  void Unbind() override {
    if (mTable != nullptr) ++mCounters->unbinds;
    mTable = nullptr;
  }

 private:
  int32_t mLoadStatus;
  const EngineTable* mFakeTable;
  std::shared_ptr<FakeEngineLoader::Counters> mCounters;
};

// A library (one reference, the caller's) whose loader answers loadStatus.
EngineLibrary* MakeFakeLibrary(int32_t loadStatus,
                               std::shared_ptr<FakeEngineLoader::Counters> counters,
                               const EngineTable* table = FakeEngine::Table());
