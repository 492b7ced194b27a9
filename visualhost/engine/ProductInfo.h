// The product information file: "engine.txt" in the "Resources" subfolder of a product
// folder. It names the engine library (LIB, relative to the product folder) and describes the
// product; the engine loader reads it to accept a product folder and find its library.
//
// Statuses: 55200 for a file of 55001 bytes or more, the file layer's status when it cannot be
// read, 55023 for a malformed statement, 55015 for a REVISION below 1 (or none), 55025 when
// PRODUCT_NAME or VERSION is missing, 55021 when LIB joins to an empty path. A LIB entry that
// joins to a path replaces the status of the checks with 0. A file without LIB that passes the
// checks gives 0 and an empty library path.
#pragma once

#include <cstddef>
#include <cstdint>

#include "utility/NVFileSpec.h"

// The record of the product's entries; texts are zero-terminated and cut to their field.
struct ProductInfo {
  char versionText[32];      // VERSION_STR
  int32_t version;           // VERSION
  int32_t versionDate;       // VERSION_DATE
  int32_t buildNumber;       // BUILD_NUMBER
  int32_t edition;           // SKU
  char productName[128];     // PRODUCT_NAME
  char productUrlName[128];  // PRODUCT_URL_NAME
  char libraryPath[1024];    // the product folder joined with LIB
  char projectName[128];     // PROJECT_NAME
  char bundleId[128];        // BUNDLE_ID
  char distribution[64];     // DISTRO
  char authorName[128];      // AUTHOR_NAME
  char authorUrl[128];       // AUTHOR_URL
  char aboutUrl[128];        // ABOUT_URL
  char upgradeUrl[128];      // UPGRADE_URL
  char updateUrl[128];       // UPDATE_URL
  char copyright[128];       // COPYRIGHT
  char affiliate[64];        // AFFILIATE
};
static_assert(offsetof(ProductInfo, version) == 32);
static_assert(offsetof(ProductInfo, versionDate) == 36);
static_assert(offsetof(ProductInfo, buildNumber) == 40);
static_assert(offsetof(ProductInfo, edition) == 44);
static_assert(offsetof(ProductInfo, productName) == 48);
static_assert(offsetof(ProductInfo, productUrlName) == 176);
static_assert(offsetof(ProductInfo, libraryPath) == 304);
static_assert(offsetof(ProductInfo, projectName) == 1328);
static_assert(offsetof(ProductInfo, bundleId) == 1456);
static_assert(offsetof(ProductInfo, distribution) == 1584);
static_assert(offsetof(ProductInfo, authorName) == 1648);
static_assert(offsetof(ProductInfo, authorUrl) == 1776);
static_assert(offsetof(ProductInfo, aboutUrl) == 1904);
static_assert(offsetof(ProductInfo, upgradeUrl) == 2032);
static_assert(offsetof(ProductInfo, updateUrl) == 2160);
static_assert(offsetof(ProductInfo, copyright) == 2288);
static_assert(offsetof(ProductInfo, affiliate) == 2416);
static_assert(sizeof(ProductInfo) == 2480);

namespace ProductInfoFile {
constexpr char kFolderName[] = "Resources";
constexpr char kFileName[] = "engine.txt";
// A file that reaches this many bytes is refused.
constexpr int32_t kReadLimit = 55001;
}  // namespace ProductInfoFile

// Parses the file's text and checks REVISION, PRODUCT_NAME and VERSION (a negative length:
// zero-terminated). Fills the record when given and the library path only on status 0;
// otherwise both are left as they were.
int32_t ProductInfoFromText(const char* text, int32_t length, const NVFileSpec& productFolder,
                            ProductInfo* info, NVFileSpec* libraryPath);

// The same for the answer of reading the file: readStatus is what ReadAll answered when asked
// for at most kReadLimit bytes (only a file shorter than that is parsed).
int32_t ProductInfoFromRead(int32_t readStatus, const UtilStr& text,
                            const NVFileSpec& productFolder, ProductInfo* info,
                            NVFileSpec* libraryPath);

// Reads "Resources\engine.txt" of the product folder. info may be null;
// libraryPath receives the engine library's full path (empty when the file has no LIB).
int32_t ReadProductInfo(const NVFileSpec& productFolder, ProductInfo* info,
                        NVFileSpec* libraryPath);
