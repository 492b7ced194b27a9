// Media Center detection by executable path, and the product name from the module's marker.
#include "NV_WMP/HostProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace wmp {
namespace {

TEST(HostProcessTest, MediaCenterIsTheExecutableNamedEhshellInAnyCase) {
  struct Case {
    const char* path;
    bool mediaCenter;
  };
  const Case cases[] = {
      {"C:\\Windows\\ehome\\ehshell.exe", true},
      {"C:\\Windows\\ehome\\EHSHELL.EXE", true},
      {"D:\\x\\EhShell.Exe", true},
      {"\\ehshell.exe", true},
      {"C:\\Windows\\ehome\\myehshell.exe", false},
      {"ehshell.exe", false},  // shorter than the compared text with its backslash
      {"C:\\Program Files\\Windows Media Player\\wmplayer.exe", false},
      {"C:\\ehshell.exe\\x.exe", false},
      {"C:\\ehshell.ex", false},
      {"", false},
      {nullptr, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsMediaCenterExecutable(c.path), c.mediaCenter) << (c.path ? c.path : "(null)");
  }
}

TEST(HostProcessTest, ProductNameIsTheTextAfterTheDashUpToAControlCharacter) {
  struct Case {
    const char* marker;
    size_t capacity;
    const char* name;
  };
  const Case cases[] = {
      {"DebugBreak-Glimmora\r\nmore text", 64, "Glimmora"},
      {"DebugBreak-Glimmora", 64, "Glimmora"},
      {"DebugBreak-Two-Dashes\tx", 64, "Two-Dashes"},
      {"DebugBreak-Glimmora\n", 5, "Glim"},
      {"DebugBreak-\r\n", 64, ""},
      {"NoDashHere\r\n", 64, ""},
      {nullptr, 64, ""},
  };
  for (const Case& c : cases) {
    char name[64];
    std::fill(name, name + 64, 'x');
    ProductNameFromMarker(c.marker, name, c.capacity);
    EXPECT_EQ(std::string(name), c.name) << (c.marker ? c.marker : "(null)");
  }
}

}  // namespace
}  // namespace wmp
