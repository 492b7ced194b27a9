#include "visualhost/engine/LibraryPathText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LibraryFolderTextTest, DropsTheFileNameAndTheLongPathPrefixes) {
  struct Case {
    const char* path;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Novalume\\Glimmora\\Engine.dll",
       "C:\\Program Files\\Novalume\\Glimmora"},
      {"C:\\Engine.dll", "C:"},
      {"C:/Apps/Engine.dll", "C:/Apps"},
      {"C:\\Apps\\Sub\\", "C:\\Apps"},
      {"\\\\?\\C:\\Apps\\Engine.dll", "C:\\Apps"},
      {"\\\\?\\unc\\server\\share\\Engine.dll", "\\\\server\\share"},
      {"\\\\?\\UNC\\server\\share\\Engine.dll", "\\\\server\\share"},
      {"\\\\server\\share\\Engine.dll", "\\\\server\\share"},
      {"C:\\Apps\\\\Engine.dll", "C:\\Apps"},
      {"C:\\\\Engine.dll", "C:\\"},
      {"Engine.dll", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_STREQ(LibraryFolderText(UtilStr(c.path)).Text(), c.folder);
  }
}

TEST(ReplaceLibraryExtensionTest, CutsTheNameAtItsLastPointAndAppendsTheSuffix) {
  struct Case {
    const char* path;
    const char* result;
  };
  const Case cases[] = {
      {"C:\\P\\GlimmoraEngine.dll", "C:\\P\\GlimmoraEngine.x64.dll"},
      {"C:\\P\\Glimmora.Engine.dll", "C:\\P\\Glimmora.Engine.x64.dll"},
      {"C:\\P.d\\Engine", "C:\\P.d\\Engine.x64.dll"},
      {"Engine.dll", "Engine.x64.dll"},
      {"C:\\P\\.dll", "C:\\P\\.x64.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_STREQ(ReplaceLibraryExtension(UtilStr(c.path), ".x64.dll").Text(), c.result);
  }
}

TEST(ReplaceLibraryExtensionTest, ArchitectureSuffixFollowsTheBuild) {
  const std::string expected = sizeof(void*) == 8 ? ".x64.dll" : ".x86.dll";
  EXPECT_EQ(std::string(kArchitectureLibrarySuffix), expected);
}

}  // namespace
