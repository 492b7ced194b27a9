#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "utility/FileStatus.h"
#include "utility/SettingsTable.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/ProductInfo.h"

namespace {

const char kFolder[] = "C:\\Support\\Glimmora";

NVFileSpec Folder(const char* path = kFolder) {
  NVFileSpec folder;
  folder.SetPath(UtilStr(path));
  return folder;
}

// The result of one check, with the outputs pre-filled so that untouched ones can be seen.
struct Outcome {
  int32_t status;
  ProductInfo info;
  std::string libraryPath;
};

Outcome Check(const std::string& text, const char* folder = kFolder) {
  Outcome outcome;
  memset(&outcome.info, 0x5A, sizeof(outcome.info));
  NVFileSpec library;
  library.SetPath(UtilStr("untouched"));
  outcome.status = ProductInfoFromText(text.data(), static_cast<int32_t>(text.size()),
                                       Folder(folder), &outcome.info, &library);
  outcome.libraryPath = library.Text();
  return outcome;
}

const char kWorkedFile[] =
    "REVISION = 2\n"
    "PRODUCT_NAME = \"Glimmora\"\n"
    "VERSION = 3\n"
    "LIB = \"Engine\\\\GlimmoraEngine.dll\"\n";

TEST(ProductInfoTextTest, StatusesOfTheChecks) {
  struct Case {
    const char* name;
    std::string text;
    const char* folder;
    int32_t status;
    const char* libraryPath;  // on status 0
  };
  const Case cases[] = {
      {"worked file", kWorkedFile, kFolder, 0, "C:\\Support\\Glimmora\\Engine\\GlimmoraEngine.dll"},
      {"LIB and REVISION 0 only", "LIB = \"x.dll\"\nREVISION = 0", kFolder, 0,
       "C:\\Support\\Glimmora\\x.dll"},
      {"LIB as a bare number", "REVISION = 1 PRODUCT_NAME = a VERSION = 1 LIB = 12", kFolder, 0,
       "C:\\Support\\Glimmora\\12"},
      {"LIB replaces a malformed status", "LIB = x.dll\n# note", kFolder, 0,
       "C:\\Support\\Glimmora\\x.dll"},
      {"no LIB, checks passed", "REVISION = 1 PRODUCT_NAME = a VERSION = 1", kFolder, 0, ""},
      {"no PRODUCT_NAME", "REVISION = 2 VERSION = 3", kFolder, NVStatus::kProductInfoIncomplete,
       nullptr},
      {"no VERSION", "REVISION = 2 PRODUCT_NAME = a", kFolder, NVStatus::kProductInfoIncomplete,
       nullptr},
      {"REVISION 0", "REVISION = 0 PRODUCT_NAME = a VERSION = 1", kFolder,
       NVStatus::kRevisionTooLow, nullptr},
      {"no REVISION", "PRODUCT_NAME = a VERSION = 1", kFolder, NVStatus::kRevisionTooLow, nullptr},
      {"empty text", "", kFolder, NVStatus::kRevisionTooLow, nullptr},
      {"malformed", "REVISION = 1 PRODUCT_NAME = a VERSION = 1 ; x", kFolder,
       SettingsStatus::kMalformed, nullptr},
      {"LIB joined to nothing", kWorkedFile, "", NVStatus::kNoInstance, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = Check(c.text, c.folder);
    EXPECT_EQ(outcome.status, c.status);
    if (c.status == 0) {
      EXPECT_EQ(outcome.libraryPath, c.libraryPath);
      EXPECT_STREQ(outcome.info.libraryPath, c.libraryPath);
    } else {
      // A failure leaves the caller's record and path as they were.
      EXPECT_EQ(outcome.libraryPath, "untouched");
      EXPECT_EQ(static_cast<unsigned char>(outcome.info.productName[0]), 0x5A);
    }
  }
}

TEST(ProductInfoTextTest, EveryKeyReachesItsField) {
  const std::string text =
      "REVISION = 2 PRODUCT_NAME = \"Glimmora\" VERSION = 0x100000003 LIB = e.dll\n"
      "VERSION_STR = \"3.0.1\" VERSION_DATE = 20240115 BUILD_NUMBER = 77 SKU = -4\n"
      "PRODUCT_URL_NAME = glimmora PROJECT_NAME = \"Glimmora Project\" BUNDLE_ID = com.nv.g\n"
      "DISTRO = 7 AUTHOR_NAME = \"Novalume\" AUTHOR_URL = \"https://a\" ABOUT_URL = \"https://b\"\n"
      "UPGRADE_URL = \"https://c\" UPDATE_URL = \"https://d\" COPYRIGHT = \"(c) N\"\n"
      "AFFILIATE = 2.5\n";
  const Outcome outcome = Check(text);
  ASSERT_EQ(outcome.status, 0);
  const ProductInfo& info = outcome.info;
  EXPECT_EQ(info.version, 3);  // low 32 bits
  EXPECT_EQ(info.versionDate, 20240115);
  EXPECT_EQ(info.buildNumber, 77);
  EXPECT_EQ(info.edition, -4);
  EXPECT_STREQ(info.versionText, "3.0.1");
  EXPECT_STREQ(info.productName, "Glimmora");
  EXPECT_STREQ(info.productUrlName, "glimmora");
  EXPECT_STREQ(info.libraryPath, "C:\\Support\\Glimmora\\e.dll");
  EXPECT_STREQ(info.projectName, "Glimmora Project");
  EXPECT_STREQ(info.bundleId, "com.nv.g");
  EXPECT_STREQ(info.distribution, "7");
  EXPECT_STREQ(info.authorName, "Novalume");
  EXPECT_STREQ(info.authorUrl, "https://a");
  EXPECT_STREQ(info.aboutUrl, "https://b");
  EXPECT_STREQ(info.upgradeUrl, "https://c");
  EXPECT_STREQ(info.updateUrl, "https://d");
  EXPECT_STREQ(info.copyright, "(c) N");
  EXPECT_STREQ(info.affiliate, "2.5");
}

TEST(ProductInfoTextTest, AbsentKeysLeaveZeroedFields) {
  const Outcome outcome = Check(kWorkedFile);
  ASSERT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.info.versionText[0], 0);
  EXPECT_EQ(outcome.info.edition, 0);
  const char* tail = reinterpret_cast<const char*>(&outcome.info.projectName);
  const size_t tailSize = sizeof(ProductInfo) - offsetof(ProductInfo, projectName);
  EXPECT_EQ(std::string(tail, tailSize), std::string(tailSize, '\0'));
}

TEST(ProductInfoTextTest, LongTextsAreCutInsideTheirFields) {
  struct Case {
    const char* name;
    std::string value;
    std::string expected;
  };
  const Case cases[] = {
      {"ascii", std::string(300, 'n'), std::string(127, 'n')},
      {"exactly full", std::string(127, 'n'), std::string(127, 'n')},
      // A two-byte letter that would straddle the end is left out whole.
      {"utf-8", std::string(126, 'n') + "\xC3\xA9", std::string(126, 'n')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = Check("REVISION = 1 VERSION = 1 LIB = e.dll PRODUCT_NAME = \"" +
                                  c.value + "\" AFFILIATE = after");
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(std::string(outcome.info.productName), c.expected);
    EXPECT_STREQ(outcome.info.productUrlName, "");  // the neighbour is untouched
  }
}

TEST(ProductInfoTextTest, ALibraryPathLongerThanItsFieldStaysWholeOutsideTheRecord) {
  const std::string lib(1100, 'L');
  const Outcome outcome = Check("REVISION = 1 LIB = \"" + lib + "\"");
  ASSERT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.libraryPath, std::string(kFolder) + "\\" + lib);
  EXPECT_EQ(strlen(outcome.info.libraryPath), 1023u);
  EXPECT_EQ(outcome.info.projectName[0], 0);
}

TEST(ProductInfoTextTest, NullOutputsAreAllowed) {
  EXPECT_EQ(ProductInfoFromText(kWorkedFile, -1, Folder(), nullptr, nullptr), 0);
}

TEST(ProductInfoTextTest, ReadAnswersDecideWhetherTheTextIsParsed) {
  struct Case {
    int32_t readStatus;
    int32_t status;
  };
  const Case cases[] = {
      {FileStatus::kShorterThanMaximum, 0},
      {FileStatus::kOk, NVStatus::kProductInfoTooLarge},
      {FileStatus::kFileNotFound, FileStatus::kFileNotFound},
      {FileStatus::kAccessDenied, FileStatus::kAccessDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.readStatus);
    NVFileSpec library;
    EXPECT_EQ(ProductInfoFromRead(c.readStatus, UtilStr(kWorkedFile), Folder(), nullptr, &library),
              c.status);
    EXPECT_EQ(library.IsEmpty(), c.status != 0);
  }
}

TEST(ProductInfoTextTest, HostileTextsGiveAStatus) {
  std::string noise;
  uint32_t seed = 5;
  for (int i = 0; i < 55000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    noise.push_back(static_cast<char>(seed >> 24));
  }
  const std::string texts[] = {
      noise,
      std::string(kWorkedFile) + noise,
      "REVISION = 99999999999999999999999 PRODUCT_NAME = 'abc VERSION = 1",
      "LIB = \"unterminated",
      std::string("LIB = \"a\0b\" REVISION = 1", 24),
  };
  for (const std::string& text : texts) {
    const Outcome outcome = Check(text);
    EXPECT_GE(outcome.status, 0);
    if (outcome.status == 0) {
      EXPECT_NE(memchr(outcome.info.libraryPath, 0, sizeof(outcome.info.libraryPath)), nullptr);
    }
  }
}

}  // namespace
