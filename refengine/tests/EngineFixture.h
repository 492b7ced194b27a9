// Loads the built reference engine from the test program's own folder, the way a host does,
// and gives each test a fresh engine: its table, its controls and its journal.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "refengine/RefEngineControl.h"
#include "testsupport/win/RefEngineJournal.h"
#include "testsupport/win/ReferenceEngine.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/EngineRecords.h"

namespace refengine_test {

using refengine_journal::EntriesOf;
using refengine_journal::JournalEntry;

// Stands in for a host: records the engine's requests and answers them as the test says.
struct FakeHost {
  std::vector<uint32_t> codes;
  std::vector<bool> inGiven;  // per request: whether it came with an `in` record
  int32_t fullscreenHostAnswer = NVStatus::kNotHandled;  // the answer to 'FSHt'

  int32_t getSamplesStatus = 0;
  int samplesToDeliver = 0;
  float sampleValue = 0.5f;
  ArtRecord artToGive{};  // kind 0: answer 'GArt' with 55323
  int artReleased = 0;

  static int32_t NV_ENGINE_CALL Callback(void* user, uint32_t code, void* in, void* out) {
    return static_cast<FakeHost*>(user)->Answer(code, in, out);
  }

  int32_t Answer(uint32_t code, void* in, void*) {
    codes.push_back(code);
    inGiven.push_back(in != nullptr);
    if (code == EngineRequest::kFullscreenHost) return fullscreenHostAnswer;
    if (code == EngineRequest::kGetSamples) {
      auto* request = static_cast<AudioRequest*>(in);
      const int count = std::min(samplesToDeliver, request->samplesWanted);
      for (int i = 0; i < count; ++i) request->samples[i] = (i % 2 ? -1 : 1) * sampleValue;
      request->samplesDelivered = count;
      const int bands = std::min(samplesToDeliver, request->bandsWanted);
      for (int i = 0; i < bands; ++i) request->bands[i] = sampleValue;
      request->bandsDelivered = bands;
      return getSamplesStatus;
    }
    if (code == EngineRequest::kGetArt) {
      if (artToGive.kind == 0) return NVStatus::kNoAlbumArt;
      *static_cast<ArtRecord*>(in) = artToGive;
      return 0;
    }
    if (code == EngineRequest::kReleaseArt) {
      ++artReleased;
      return 0;
    }
    return NVStatus::kNotHandled;
  }
};

inline std::string Descriptor(int hostAudio) {
  return "Host=\"Test host\"                 Realtime=1 FSFlags=0 Kybd=1 Mouse=1 HostAudio=" +
         std::to_string(hostAudio) + "   ";
}

// A preference file of this test program's own, empty at the start of every test, so that
// tests never read or write the user's preferences or each other's.
inline std::wstring TestPreferenceFile() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"refengine_tests_prefs_" + std::to_wstring(GetCurrentProcessId()) +
         L".txt";
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring preferences = TestPreferenceFile();
    DeleteFileW(preferences.c_str());
    SetEnvironmentVariableW(L"" REFENGINE_PREFERENCES_ENV, preferences.c_str());
    mModule = LoadLibraryW(ReferenceEnginePath().c_str());
    ASSERT_NE(mModule, nullptr) << "cannot load " << REFENGINE_DLL_NAME;
    mGetApi = reinterpret_cast<GetNVVisualAPIFn>(
        reinterpret_cast<void*>(GetProcAddress(mModule, kGetNVVisualAPIName)));
    mReleaseApi = reinterpret_cast<ReleaseNVVisualAPIFn>(
        reinterpret_cast<void*>(GetProcAddress(mModule, kReleaseNVVisualAPIName)));
    auto controlEntry = reinterpret_cast<RefEngineControlFn>(
        reinterpret_cast<void*>(GetProcAddress(mModule, REFENGINE_CONTROL_EXPORT)));
    ASSERT_NE(mGetApi, nullptr);
    ASSERT_NE(mReleaseApi, nullptr);
    ASSERT_NE(controlEntry, nullptr);
    mControl = controlEntry(REFENGINE_CONTROL_VERSION);
    ASSERT_NE(mControl, nullptr);
    mControl->Reset();
  }

  void TearDown() override {
    for (uint32_t instance : mInstances) mTable->DestroyInstance(instance);
    if (mModule) FreeLibrary(mModule);
    DeleteFileW(TestPreferenceFile().c_str());
  }

  // The table, as a host gets it.
  const EngineTable* Table() {
    if (!mTable) {
      EXPECT_EQ(mGetApi(kEngineApiVersion, &mTable, nullptr), 0);
    }
    return mTable;
  }

  // A new instance whose requests go to the host; destroyed at the end of the test.
  uint32_t Create(FakeHost* host, int hostAudio) {
    uint32_t instance = 0;
    const std::string descriptor = Descriptor(hostAudio);
    EXPECT_EQ(Table()->CreateInstance(&instance, 0, &FakeHost::Callback, host, descriptor.c_str()),
              0);
    if (instance != 0) mInstances.push_back(instance);
    return instance;
  }

  void Destroy(uint32_t instance) {
    Table()->DestroyInstance(instance);
    std::erase(mInstances, instance);
  }

  std::vector<JournalEntry> Journal() const { return refengine_journal::ReadJournal(mControl); }

  HMODULE mModule = nullptr;
  GetNVVisualAPIFn mGetApi = nullptr;
  ReleaseNVVisualAPIFn mReleaseApi = nullptr;
  const RefEngineControlApi* mControl = nullptr;
  const EngineTable* mTable = nullptr;
  std::vector<uint32_t> mInstances;
};

}  // namespace refengine_test
