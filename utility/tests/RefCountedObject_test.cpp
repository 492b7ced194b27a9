#include "utility/RefCountedObject.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// Writes what happens to it into a shared journal.
class JournalingObject : public RefCountedObject {
 public:
  explicit JournalingObject(std::vector<std::string>* journal) : mJournal(journal) {}

  void Dispose() override {
    mJournal->push_back("dispose, count " + std::to_string(RefCount()));
    if (mReferenceInDispose) {
      // Something that borrows the object while it shuts down.
      AddRef();
      Release();
    }
  }

  void TakeAndDropReferenceInDispose() { mReferenceInDispose = true; }

 protected:
  ~JournalingObject() override { mJournal->push_back("destroyed"); }

 private:
  std::vector<std::string>* mJournal;
  bool mReferenceInDispose = false;
};

TEST(RefCountedObjectTest, LastReleaseDisposesThenDestroys) {
  std::vector<std::string> journal;
  auto* object = new JournalingObject(&journal);
  EXPECT_EQ(object->RefCount(), 1);
  EXPECT_EQ(object->AddRef(), 2);
  EXPECT_EQ(object->Release(), 1);
  EXPECT_TRUE(journal.empty());

  EXPECT_EQ(object->Release(), 0);
  EXPECT_EQ(journal, (std::vector<std::string>{"dispose, count 0", "destroyed"}));
}

TEST(RefCountedObjectTest, ReferenceTakenDuringDisposeDoesNotEndTheObjectTwice) {
  std::vector<std::string> journal;
  auto* object = new JournalingObject(&journal);
  object->TakeAndDropReferenceInDispose();

  EXPECT_EQ(object->Release(), 0);
  EXPECT_EQ(journal, (std::vector<std::string>{"dispose, count 0", "destroyed"}));
}

TEST(RefCountedObjectTest, CountSurvivesConcurrentTakingAndReleasing) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 20000;
  std::vector<std::string> journal;
  auto* object = new JournalingObject(&journal);

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([object] {
      for (int i = 0; i < kRounds; ++i) {
        object->AddRef();
        object->AddRef();
        object->Release();
        object->Release();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(object->RefCount(), 1);
  EXPECT_TRUE(journal.empty());
  object->Release();
  EXPECT_EQ(journal, (std::vector<std::string>{"dispose, count 0", "destroyed"}));
}

TEST(RefCountedObjectTest, LastReleaseOnAnotherThreadDisposesOnce) {
  constexpr int kThreads = 4;
  std::vector<std::string> journal;
  auto* object = new JournalingObject(&journal);
  for (int t = 1; t < kThreads; ++t) object->AddRef();

  // Every thread drops its one reference; whichever is last ends the object.
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back([object] { object->Release(); });
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(journal, (std::vector<std::string>{"dispose, count 0", "destroyed"}));
}

}  // namespace
