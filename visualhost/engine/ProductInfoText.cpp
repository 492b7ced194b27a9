// Checking the product information text and filling the record and the library path from it.
#include <cstring>

#include "utility/FileStatus.h"
#include "utility/SettingsTable.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/ProductInfo.h"

namespace {

// The text keys copied into the record as they are.
struct TextField {
  const char* key;
  size_t offset;
  size_t capacity;
};
#define NV_TEXT_FIELD(key, member) \
  { key, offsetof(ProductInfo, member), sizeof(ProductInfo::member) }
const TextField kTextFields[] = {
    NV_TEXT_FIELD("VERSION_STR", versionText),
    NV_TEXT_FIELD("PRODUCT_NAME", productName),
    NV_TEXT_FIELD("PRODUCT_URL_NAME", productUrlName),
    NV_TEXT_FIELD("PROJECT_NAME", projectName),
    NV_TEXT_FIELD("BUNDLE_ID", bundleId),
    NV_TEXT_FIELD("DISTRO", distribution),
    NV_TEXT_FIELD("AUTHOR_NAME", authorName),
    NV_TEXT_FIELD("AUTHOR_URL", authorUrl),
    NV_TEXT_FIELD("ABOUT_URL", aboutUrl),
    NV_TEXT_FIELD("UPGRADE_URL", upgradeUrl),
    NV_TEXT_FIELD("UPDATE_URL", updateUrl),
    NV_TEXT_FIELD("COPYRIGHT", copyright),
    NV_TEXT_FIELD("AFFILIATE", affiliate),
};
#undef NV_TEXT_FIELD

// Copies text into a field of capacity bytes, keeping a terminating zero inside the field. A
// cut text ends before a UTF-8 sequence that would not fit whole.
void CopyIntoField(const UtilStr& text, char* field, size_t capacity) {
  size_t n = static_cast<size_t>(text.Length());
  if (n > capacity - 1) {
    n = capacity - 1;
    while (n > 0 && (static_cast<unsigned char>(text.Text()[n]) & 0xC0) == 0x80) --n;
  }
  memcpy(field, text.Text(), n);
  field[n] = 0;
}

int32_t CheckEntries(const SettingsTable& table) {
  if (table.GetInteger("REVISION") < 1) return NVStatus::kRevisionTooLow;
  if (table.GetFlags("PRODUCT_NAME") == 0 || table.GetFlags("VERSION") == 0) {
    return NVStatus::kProductInfoIncomplete;
  }
  return NVStatus::kOk;
}

void CopyEntries(const SettingsTable& table, ProductInfo& record) {
  UtilStr text;
  for (const TextField& field : kTextFields) {
    table.GetText(field.key, &text);
    CopyIntoField(text, reinterpret_cast<char*>(&record) + field.offset, field.capacity);
  }
  // Integers keep their low 32 bits.
  record.version = static_cast<int32_t>(table.GetInteger("VERSION"));
  record.versionDate = static_cast<int32_t>(table.GetInteger("VERSION_DATE"));
  record.buildNumber = static_cast<int32_t>(table.GetInteger("BUILD_NUMBER"));
  record.edition = static_cast<int32_t>(table.GetInteger("SKU"));
}

}  // namespace

int32_t ProductInfoFromText(const char* text, int32_t length, const NVFileSpec& productFolder,
                            ProductInfo* info, NVFileSpec* libraryPath) {
  SettingsTable table;
  int32_t status = table.Parse(text, length);
  if (status == SettingsStatus::kOk) status = CheckEntries(table);

  ProductInfo record;
  memset(&record, 0, sizeof(record));
  // The library path as joined, uncut: a path too long for the record's field must not turn
  // into the path of some other file.
  NVFileSpec library;
  UtilStr lib;
  if (table.GetText("LIB", &lib)) {
    library.SetChild(lib.Text(), lib.Length(), productFolder);
    status = library.IsEmpty() ? NVStatus::kNoInstance : NVStatus::kOk;
    CopyIntoField(library.IsEmpty() ? lib : library.Path(), record.libraryPath,
                  sizeof(record.libraryPath));
  }
  CopyEntries(table, record);
  if (status != NVStatus::kOk) return status;

  if (info) *info = record;
  if (libraryPath) libraryPath->SetPath(library.Path());
  return NVStatus::kOk;
}

int32_t ProductInfoFromRead(int32_t readStatus, const UtilStr& text,
                            const NVFileSpec& productFolder, ProductInfo* info,
                            NVFileSpec* libraryPath) {
  // Asked for at most kReadLimit bytes, the file layer answers kShorterThanMaximum for every
  // file it read whole; 0 means the limit was reached.
  if (readStatus == FileStatus::kOk) return NVStatus::kProductInfoTooLarge;
  if (readStatus != FileStatus::kShorterThanMaximum) return readStatus;
  return ProductInfoFromText(text.Text(), text.Length(), productFolder, info, libraryPath);
}
