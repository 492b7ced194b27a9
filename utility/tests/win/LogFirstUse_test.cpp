// The log reads its settings (the desktop through the shell, the key state) at its first use in
// a module, once, whichever threads come first; loading the module does nothing of the kind.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "testsupport/win/Folders.h"
#include "utility/LogFile.h"

namespace {

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(LogFirstUseTest, SettingsAreReadOnceAtTheFirstUseNotWhenTheModuleLoads) {
  const HMODULE module = LoadLibraryW(InProgramFolder(L"LogFirstUse.dll").c_str());
  ASSERT_NE(module, nullptr);
  const auto reads = Export<int (*)()>(module, "LogFirstUseReads");
  const auto folder = Export<const char* (*)()>(module, "LogFirstUseFolder");
  const auto message = Export<void (*)()>(module, "LogFirstUseMessage");
  ASSERT_TRUE(reads != nullptr && folder != nullptr && message != nullptr);
  EXPECT_EQ(reads(), 0) << "the settings were read while the module loaded";

  // Threads that use the log at once, half by a message, half by asking for the folder.
  constexpr int kThreads = 8;
  std::atomic<bool> go{false};
  std::vector<std::string> folders(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      while (!go.load()) std::this_thread::yield();
      if (i % 2 == 0) message();
      folders[size_t(i)] = folder();
    });
  }
  go = true;
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(reads(), 1);
  // The same desktop this test program's own log found.
  for (const std::string& seen : folders) EXPECT_EQ(seen, LogFolder());
  EXPECT_NE(std::string(LogFolder()), "\\") << "no desktop was found";
  FreeLibrary(module);
}

}  // namespace
