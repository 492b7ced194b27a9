// Creating, running and destroying engine instances.
#include <set>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

TEST_F(EngineTest, SeveralInstancesLiveAtOnceWithDistinctHandles) {
  FakeHost hosts[3];
  std::set<uint32_t> handles;
  for (FakeHost& host : hosts) handles.insert(Create(&host, 1));
  EXPECT_EQ(handles.size(), 3u);
  EXPECT_EQ(handles.count(0), 0u);
  EXPECT_EQ(mControl->InstanceCount(), 3);
  Destroy(*handles.begin());
  EXPECT_EQ(mControl->InstanceCount(), 2);
}

TEST_F(EngineTest, CreateInstanceJournalsItsArguments) {
  FakeHost host;
  const uint32_t instance = Create(&host, 1);
  const auto creates = EntriesOf(Journal(), "CreateInstance");
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].Get("descriptor"), Descriptor(1));
  EXPECT_EQ(creates[0].Number("instance"), instance);
  EXPECT_EQ(creates[0].Number("userdata"), int64_t(reinterpret_cast<uintptr_t>(&host)));
  EXPECT_EQ(creates[0].Get("reserved"), "0");
  EXPECT_EQ(creates[0].Get("status"), "0");
}

TEST_F(EngineTest, ControlFailsCreateInstance) {
  mControl->FailCreateInstance(55033);
  uint32_t instance = 0;
  const std::string descriptor = Descriptor(0);
  EXPECT_EQ(Table()->CreateInstance(&instance, 0, &FakeHost::Callback, nullptr, descriptor.c_str()),
            55033);
  EXPECT_EQ(instance, 0u);
  EXPECT_EQ(mControl->InstanceCount(), 0);
  const auto creates = EntriesOf(Journal(), "CreateInstance");
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].Get("status"), "55033");
  EXPECT_FALSE(creates[0].Has("instance"));
}

TEST_F(EngineTest, CreateInstanceWithoutHandleOutputChangesNothing) {
  EXPECT_EQ(Table()->CreateInstance(nullptr, 0, &FakeHost::Callback, nullptr, "Host=\"x\""),
            REFENGINE_STATUS_BAD_ARGUMENT);
  EXPECT_EQ(mControl->InstanceCount(), 0);
}

TEST_F(EngineTest, UnknownRequestCodesAnswerNotHandled) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  const uint32_t codes[] = {0, FourCC("wind"), FourCC("GetS"), FourCC("GArt"), 0xFFFFFFFF};
  for (uint32_t code : codes) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Table()->Request(instance, code, nullptr, nullptr), NVStatus::kNotHandled);
  }
  const auto requests = EntriesOf(Journal(), "Request");
  ASSERT_EQ(requests.size(), std::size(codes));
  EXPECT_EQ(requests[1].Get("code"), "wind");
  EXPECT_EQ(requests[4].Get("code"), "0xffffffff");
  EXPECT_EQ(requests[4].Get("answer"), "55012");
}

TEST_F(EngineTest, CallsForUnknownInstancesAnswerNoInstance) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  const uint32_t stranger = instance + 1000;
  EngineRect rect{};
  EXPECT_EQ(Table()->Request(stranger, HostRequest::kWindowRect, &rect, nullptr),
            NVStatus::kNoInstance);
  EXPECT_EQ(rect.right, 0);
  EXPECT_EQ(Table()->SetTarget(stranger, nullptr, nullptr, 0), NVStatus::kNoInstance);
  Table()->DestroyInstance(stranger);
  EXPECT_EQ(mControl->InstanceCount(), 1);
  const auto destroys = EntriesOf(Journal(), "DestroyInstance");
  ASSERT_EQ(destroys.size(), 1u);
  EXPECT_EQ(destroys[0].Get("known"), "0");
}

TEST_F(EngineTest, RunFrameAnswersTheChosenPeriod) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  EXPECT_EQ(Table()->RunFrame(instance, nullptr, nullptr), 33);
  mControl->SetRunFramePeriod(30);
  EXPECT_EQ(Table()->RunFrame(instance, nullptr, nullptr), 30);
  const auto frames = EntriesOf(Journal(), "RunFrame");
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1].Get("period"), "30");
  EXPECT_EQ(frames[1].Number("instance"), instance);
}

TEST_F(EngineTest, IdleRunFrameOnlyAnswersItsPeriod) {
  FakeHost host;
  const uint32_t instance = Create(&host, 1);
  mControl->SetIdle(1);
  mControl->SetRunFramePeriod(12);
  EXPECT_EQ(Table()->RunFrame(instance, nullptr, nullptr), 12);
  EXPECT_TRUE(host.codes.empty());
  EXPECT_TRUE(EntriesOf(Journal(), "RunFrame").empty());
}

}  // namespace
}  // namespace refengine_test
