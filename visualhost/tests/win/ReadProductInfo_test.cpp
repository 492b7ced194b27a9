// The product information file read from real files in a temporary product folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "utility/FileStatus.h"
#include "utility/TextFunctions.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/ProductInfo.h"

namespace {

std::wstring Wide(const std::string& text) {
  std::u16string wide(text.size() + 1, u'\0');
  wide.resize(static_cast<size_t>(
      Utf8ToUtf16(text.c_str(), -1, wide.data(), static_cast<int32_t>(wide.size()))));
  return std::wstring(wide.begin(), wide.end());
}

// A product folder "<temp>\nv-product-<pid>" with a "Resources" subfolder, removed afterwards.
// It is prepared with plain system calls, not with the file code under test.
class ProductFolder {
 public:
  ProductFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    char narrow[4 * MAX_PATH] = {};
    Utf16ToUtf8(reinterpret_cast<const char16_t*>(temp), -1, narrow, sizeof narrow - 1);
    mPath = std::string(narrow) + "nv-product-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(Wide(mPath).c_str(), nullptr);
    CreateDirectoryW(Wide(Resources()).c_str(), nullptr);
  }
  ~ProductFolder() {
    DeleteFileW(Wide(EngineTxt()).c_str());
    RemoveDirectoryW(Wide(Resources()).c_str());
    RemoveDirectoryW(Wide(mPath).c_str());
  }

  const std::string& Path() const { return mPath; }
  std::string Resources() const { return mPath + "\\Resources"; }
  std::string EngineTxt() const { return Resources() + "\\engine.txt"; }
  NVFileSpec Spec() const {
    NVFileSpec spec;
    spec.SetPath(UtilStr(mPath.c_str()));
    return spec;
  }

  bool Write(const std::string& bytes) const {
    HANDLE file = CreateFileW(Wide(EngineTxt()).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
  }

 private:
  std::string mPath;
};

const char kWorkedFile[] =
    "REVISION = 2\r\n"
    "PRODUCT_NAME = \"Glimmora\"\r\n"
    "VERSION = 3\r\n"
    "LIB = \"Engine\\\\GlimmoraEngine.dll\"\r\n";

// kWorkedFile padded with blanks to the given size.
std::string PaddedTo(size_t size) {
  std::string text(kWorkedFile);
  text.resize(size, ' ');
  return text;
}

TEST(ReadProductInfoTest, StatusesOfRealFiles) {
  struct Case {
    const char* name;
    std::string content;
    int32_t status;
    const char* library;  // relative to the product folder, on status 0
  };
  const Case cases[] = {
      {"worked file", kWorkedFile, 0, "Engine\\GlimmoraEngine.dll"},
      {"55000 bytes", PaddedTo(55000), 0, "Engine\\GlimmoraEngine.dll"},
      {"55001 bytes", PaddedTo(55001), NVStatus::kProductInfoTooLarge, nullptr},
      {"LIB as a bare number", "REVISION = 1 PRODUCT_NAME = g VERSION = 1 LIB = 12", 0, "12"},
      {"REVISION 0 with LIB", "REVISION = 0\nLIB = \"e.dll\"", 0, "e.dll"},
      {"no PRODUCT_NAME", "REVISION = 2\nVERSION = 3\n", NVStatus::kProductInfoIncomplete, nullptr},
      {"empty file", "", NVStatus::kRevisionTooLow, nullptr},
  };
  ProductFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(folder.Write(c.content));
    ProductInfo info = {};
    NVFileSpec library;
    EXPECT_EQ(ReadProductInfo(folder.Spec(), &info, &library), c.status);
    if (c.status == 0) {
      const std::string expected = folder.Path() + "\\" + c.library;
      EXPECT_STREQ(library.Text(), expected.c_str());
      EXPECT_STREQ(info.libraryPath, expected.c_str());
    } else {
      EXPECT_TRUE(library.IsEmpty());
      EXPECT_EQ(info.productName[0], 0);
    }
  }
}

TEST(ReadProductInfoTest, TheWorkedFileFillsTheRecord) {
  ProductFolder folder;
  ASSERT_TRUE(folder.Write(kWorkedFile));
  ProductInfo info = {};
  NVFileSpec library;
  ASSERT_EQ(ReadProductInfo(folder.Spec(), &info, &library), 0);
  EXPECT_STREQ(info.productName, "Glimmora");
  EXPECT_EQ(info.version, 3);
  EXPECT_EQ(ReadProductInfo(folder.Spec(), nullptr, nullptr), 0);
}

TEST(ReadProductInfoTest, AMissingFileOrFolderGivesTheFileStatus) {
  ProductFolder folder;
  NVFileSpec library;
  EXPECT_EQ(ReadProductInfo(folder.Spec(), nullptr, &library), FileStatus::kFileNotFound);

  NVFileSpec missing;
  missing.SetChild("no-such-product", -1, folder.Spec());
  EXPECT_EQ(ReadProductInfo(missing, nullptr, &library), FileStatus::kPathNotFound);

  EXPECT_EQ(ReadProductInfo(NVFileSpec(), nullptr, &library), FileStatus::kFileNotFound);
  EXPECT_TRUE(library.IsEmpty());
}

}  // namespace
