#include "visualhost/host/VisualHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "visualhost/host/HostDescriptors.h"
#include "visualhost/tests/FakeEngine.h"

namespace {

using Counters = FakeEngineLoader::Counters;
using Entries = std::vector<std::string>;

// A host that marks its destruction in the engine's call list and answers audio requests.
class RecordingHost : public VisualHost {
 public:
  int32_t HandleGetS(AudioRequest* request) override {
    lastAudioRequest = request;
    return NVStatus::kOk;
  }
  int32_t HandleGArt(ArtRecord*) override { throw std::runtime_error("art failed"); }
  int32_t HandleFSSt(bool flag, void*, void*) override {
    fullscreenStartedFlag = flag;
    return NVStatus::kOk;
  }

  void SetExtraTargetFlags(uint32_t flags) { mExtraTargetFlags = flags; }
  // What a window's move or resize message does.
  void MarkSizeChanged() { mSizeChanged = true; }

  AudioRequest* lastAudioRequest = nullptr;
  bool fullscreenStartedFlag = false;

 protected:
  ~RecordingHost() override {
    FakeEngineCall call;
    call.entry = "~Host";
    FakeEngine::Get().calls.push_back(call);
  }
};

class VisualHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeEngine::Get().Reset();
    host = new RecordingHost();
    host->SetDescriptor(HostDescriptor::kStandalone);
  }
  void TearDown() override {
    if (host != nullptr) host->Release();
    for (EngineLibrary* library : libraries) library->Release();
  }

  // A library held by the test for the whole test.
  EngineLibrary* Library(int32_t loadStatus = NVStatus::kOk) {
    libraries.push_back(MakeFakeLibrary(loadStatus, counters));
    return libraries.back();
  }

  FakeEngine& engine = FakeEngine::Get();
  RecordingHost* host = nullptr;
  std::shared_ptr<Counters> counters = std::make_shared<Counters>();
  std::vector<EngineLibrary*> libraries;
};

TEST_F(VisualHostTest, NewHostIsNotStartedAndHoldsNothing) {
  EXPECT_EQ(host->Status(), NVStatus::kNotStarted);
  EXPECT_EQ(host->Instance(), 0u);
  EXPECT_EQ(host->Table(), nullptr);
  EXPECT_EQ(host->NextPeriod(), 0);
  EXPECT_EQ(host->ScheduledPeriod(), -1);
  EXPECT_EQ(host->AttachedLibrary(), nullptr);
}

TEST_F(VisualHostTest, StartInstanceLoadsTheEngineAndCreatesOneInstanceWithTheDescriptor) {
  host->AttachEngine(Library());
  EXPECT_EQ(counters->loads, 0);
  host->StartInstance();
  host->StartInstance();

  EXPECT_EQ(counters->loads, 1);
  EXPECT_EQ(engine.Entries(), Entries{"CreateInstance"});
  EXPECT_EQ(engine.calls[0].descriptor, HostDescriptor::kStandalone);
  EXPECT_EQ(engine.lastUserData, host);
  EXPECT_EQ(engine.lastCallback, &VisualHostEngineCallback);
  EXPECT_EQ(host->Status(), NVStatus::kOk);
  EXPECT_EQ(host->Instance(), 7u);
  EXPECT_EQ(host->NextPeriod(), 1);
}

TEST_F(VisualHostTest, AttachingTheSameLibraryChangesNothing) {
  EngineLibrary* library = Library();
  host->AttachEngine(library);
  host->StartInstance();
  host->AttachEngine(library);

  EXPECT_EQ(engine.Entries(), Entries{"CreateInstance"});
  EXPECT_EQ(host->Instance(), 7u);
  EXPECT_EQ(library->RefCount(), 2);
}

TEST_F(VisualHostTest, AttachingAnotherLibraryStopsTheInstanceAndNeedsANewStart) {
  EngineLibrary* first = Library();
  EngineLibrary* second = Library();
  host->AttachEngine(first);
  host->StartInstance();
  host->AttachEngine(second);

  EXPECT_EQ(engine.Entries(), (Entries{"CreateInstance", "SetTarget", "DestroyInstance"}));
  EXPECT_EQ(engine.calls[2].instance, 7u);
  EXPECT_EQ(host->Status(), NVStatus::kNotStarted);
  EXPECT_EQ(host->Instance(), 0u);
  EXPECT_EQ(host->Table(), nullptr);
  EXPECT_EQ(first->RefCount(), 1);
  EXPECT_EQ(second->RefCount(), 2);

  host->StartInstance();
  EXPECT_EQ(host->Instance(), 8u);
}

TEST_F(VisualHostTest, AttachingALibraryAlreadyLoadedTakesItsTableAtOnce) {
  EngineLibrary* library = Library();
  ASSERT_NE(library->GetTable(), nullptr);
  host->AttachEngine(library);
  EXPECT_EQ(host->Table(), FakeEngine::Table());
  EXPECT_EQ(host->Status(), NVStatus::kNotStarted);
  EXPECT_EQ(counters->loads, 1);
}

TEST_F(VisualHostTest, LastReleaseDestroysTheInstanceBeforeTheHostGoesAndDropsTheLibrary) {
  EngineLibrary* library = Library();
  host->AttachEngine(library);
  host->StartInstance();
  engine.calls.clear();

  EXPECT_EQ(host->Release(), 0);
  host = nullptr;

  ASSERT_EQ(engine.Entries(), (Entries{"SetTarget", "DestroyInstance", "~Host"}));
  EXPECT_EQ(engine.calls[0].target, nullptr);
  EXPECT_EQ(engine.calls[1].instance, 7u);
  EXPECT_EQ(library->RefCount(), 1);
}

TEST_F(VisualHostTest, HostWithTheOnlyReferenceUnloadsTheLibraryWhenItGoes) {
  EngineLibrary* library = MakeFakeLibrary(NVStatus::kOk, counters);
  host->AttachEngine(library);
  library->Release();
  host->StartInstance();

  host->Release();
  host = nullptr;
  EXPECT_EQ(engine.Entries(), (Entries{"CreateInstance", "SetTarget", "DestroyInstance", "~Host"}));
  EXPECT_EQ(counters->unbinds, 1);
}

TEST_F(VisualHostTest, FailedLibraryStaysAt55040UntilAnotherAttach) {
  host->AttachEngine(Library(NVStatus::kFolderNotFound));
  host->StartInstance();
  EXPECT_EQ(host->Status(), NVStatus::kNotLoaded);
  host->StartInstance();
  EXPECT_EQ(host->Status(), NVStatus::kNotLoaded);
  EXPECT_EQ(counters->loads, 1);
  EXPECT_TRUE(engine.calls.empty());
  EXPECT_EQ(host->AttachWindow(reinterpret_cast<HostWindow>(0x10), 0, nullptr),
            NVStatus::kNoInstance);

  host->AttachEngine(Library());
  EXPECT_EQ(host->Status(), NVStatus::kNotStarted);
  host->StartInstance();
  EXPECT_EQ(host->Status(), NVStatus::kOk);
}

TEST_F(VisualHostTest, StartWithoutAnyLibraryStaysNotStarted) {
  host->StartInstance();
  EXPECT_EQ(host->Status(), NVStatus::kNotStarted);
  EXPECT_TRUE(engine.calls.empty());
}

TEST_F(VisualHostTest, MisbehavingCreateInstanceLeavesAStatusAndNoInstance) {
  struct Case {
    const char* name;
    int32_t createStatus;
    bool writeInstance;
    bool writeInstanceOnFailure;
    int32_t hostStatus;
    Entries entries;
  };
  const Case cases[] = {
      {"engine refuses", 55321, true, false, 55321, {"CreateInstance", "~Host"}},
      {"engine refuses but writes a handle", 55321, true, true, 55321,
       {"CreateInstance", "DestroyInstance", "~Host"}},
      {"success without an instance", NVStatus::kOk, false, false, NVStatus::kNoInstance,
       {"CreateInstance", "~Host"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    engine.Reset();
    engine.createStatus = c.createStatus;
    engine.writeInstance = c.writeInstance;
    engine.writeInstanceOnFailure = c.writeInstanceOnFailure;
    RecordingHost* misbehaving = new RecordingHost();
    misbehaving->AttachEngine(Library());
    misbehaving->StartInstance();
    misbehaving->StartInstance();
    EXPECT_EQ(misbehaving->Status(), c.hostStatus);
    EXPECT_EQ(misbehaving->Instance(), 0u);
    EXPECT_EQ(misbehaving->AttachWindow(nullptr, 0, nullptr), NVStatus::kNoInstance);
    misbehaving->Step();
    misbehaving->Release();
    EXPECT_EQ(engine.Entries(), c.entries);
    // The handle the engine wrote is the one given back.
    if (c.writeInstanceOnFailure) {
      EXPECT_EQ(engine.calls[1].instance, engine.calls[0].instance);
    }
    EXPECT_TRUE(engine.liveInstances.empty());
  }
}

TEST_F(VisualHostTest, TableWithoutCreateInstanceGives55040) {
  static const EngineTable emptyTable = {};
  libraries.push_back(MakeFakeLibrary(NVStatus::kOk, counters, &emptyTable));
  host->AttachEngine(libraries.back());
  host->StartInstance();
  EXPECT_EQ(host->Status(), NVStatus::kNotLoaded);
  EXPECT_EQ(host->Instance(), 0u);
}

TEST_F(VisualHostTest, EngineCallbackDispatchesByCodeAndNeverLetsAnExceptionOut) {
  AudioRequest audio = {};
  ArtRecord art = {};
  int marker = 0;
  struct Case {
    const char* name;
    uint32_t code;
    void* in;
    int32_t answer;
  };
  const Case cases[] = {
      {"audio goes to HandleGetS", EngineRequest::kGetSamples, &audio, NVStatus::kOk},
      {"art handler throwing", EngineRequest::kGetArt, &art, NVStatus::kNotHandled},
      {"art given back, default", EngineRequest::kReleaseArt, &art, NVStatus::kNotHandled},
      {"host fullscreen, default", EngineRequest::kFullscreenHost, &marker, NVStatus::kNotHandled},
      {"fullscreen started", EngineRequest::kFullscreenStarted, &marker, NVStatus::kNotHandled},
      {"fullscreen ended", EngineRequest::kFullscreenEnded, nullptr, NVStatus::kNotHandled},
      {"fullscreen prepare", EngineRequest::kFullscreenPrepare, nullptr, NVStatus::kNotHandled},
      {"unknown code", FourCC("Zzzz"), nullptr, NVStatus::kNotHandled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VisualHostEngineCallback(host, c.code, c.in, nullptr), c.answer);
  }
  EXPECT_EQ(host->lastAudioRequest, &audio);
  EXPECT_TRUE(host->fullscreenStartedFlag);
  EXPECT_EQ(VisualHostEngineCallback(nullptr, EngineRequest::kGetSamples, &audio, nullptr),
            NVStatus::kNotHandled);
}

TEST_F(VisualHostTest, AttachOperationsCombineTheFlagsAndRecordTheirTarget) {
  host->AttachEngine(Library());
  host->StartInstance();
  engine.calls.clear();
  auto* window = reinterpret_cast<HostWindow>(0x100);
  auto* deviceContext = reinterpret_cast<HostDeviceContext>(0x200);
  auto* target = reinterpret_cast<void*>(0x300);
  auto* extra = reinterpret_cast<void*>(0x40);
  PixelBufferDesc buffer = {};
  host->SetExtraTargetFlags(0x10000);

  EXPECT_EQ(host->AttachDC(deviceContext, 2, extra), 0);
  EXPECT_EQ(host->AttachedDeviceContext(), deviceContext);
  EXPECT_EQ(host->AttachTarget(target, 2, extra), 0);
  EXPECT_EQ(host->AttachedTarget(), target);
  EXPECT_EQ(host->AttachedDeviceContext(), nullptr);
  EXPECT_EQ(host->AttachWindow(window, 2, extra), 0);
  EXPECT_EQ(host->AttachedWindow(), window);
  EXPECT_EQ(host->AttachedTarget(), nullptr);
  EXPECT_EQ(host->AttachBuffer(&buffer, 2, extra), 0);
  EXPECT_EQ(host->AttachedWindow(), window);

  const uint32_t expectedFlags[] = {0x1000A, 0x10002, 0x10006, 0x10003};
  const void* expectedTargets[] = {deviceContext, target, window, &buffer};
  ASSERT_EQ(engine.calls.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(engine.calls[i].flags, expectedFlags[i]);
    EXPECT_EQ(engine.calls[i].target, expectedTargets[i]);
    EXPECT_EQ(engine.calls[i].extra, extra);
    EXPECT_EQ(engine.calls[i].instance, 7u);
  }
}

TEST_F(VisualHostTest, StepRunsAFrameAndReattachesAResizedWindowWithTheFullscreenMark) {
  host->AttachEngine(Library());
  host->StartInstance();
  auto* window = reinterpret_cast<HostWindow>(0x100);
  host->AttachWindow(window, 0, nullptr);
  engine.calls.clear();
  engine.runFramePeriod = 25;
  engine.answers[HostRequest::kIsFullscreen] = {1};

  bool handled = false;
  host->MarkSizeChanged();
  EXPECT_EQ(host->HandleMessage(0x209, 0, 0xDEADBEEF, &handled), 25);
  EXPECT_TRUE(handled);
  host->Step();

  ASSERT_EQ(engine.Entries(), (Entries{"Request", "SetTarget", "RunFrame", "RunFrame"}));
  EXPECT_EQ(engine.calls[0].code, HostRequest::kIsFullscreen);
  EXPECT_EQ(engine.calls[1].flags, TargetFlags::kWindow | TargetFlags::kFullscreen);
  EXPECT_EQ(engine.calls[1].target, window);
  EXPECT_EQ(host->NextPeriod(), 25);

  EXPECT_EQ(host->HandleMessage(0x209, 0, 0, &handled), -1);
  EXPECT_FALSE(handled);
}

TEST_F(VisualHostTest, ScheduleOffForgetsThePeriodsAndOnTakesTheNextPeriod) {
  host->AttachEngine(Library());
  host->StartInstance();
  host->Schedule(true);
  EXPECT_EQ(host->ScheduledPeriod(), 1);
  host->Schedule(false);
  EXPECT_EQ(host->NextPeriod(), 0);
  EXPECT_EQ(host->ScheduledPeriod(), -1);
  host->Schedule(true);
  EXPECT_EQ(host->ScheduledPeriod(), 0);
}

}  // namespace
