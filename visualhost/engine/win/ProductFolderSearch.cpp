// The support-folder search over the standard folders of the system.
#include "visualhost/engine/ProductFolderSearch.h"

#include <windows.h>

#include "utility/win/WidePath.h"
#include "visualhost/engine/EngineInterface.h"

namespace {

// The standard folders that may hold the maker's folder, in order of preference.
constexpr int kSupportFolderKinds[] = {
    SpecialFolderKind::kProgramFiles,
    SpecialFolderKind::kCommonFiles,
    SpecialFolderKind::kProgramFiles32,
};
constexpr int kSupportFolderCount = sizeof(kSupportFolderKinds) / sizeof(kSupportFolderKinds[0]);

// The maker's folder inside candidate number `index`: 0 when it exists, the status of the
// standard folder when that cannot be obtained, 55100 when it has no maker's folder, 55011
// past the last candidate.
int32_t SupportFolder(int index, NVFileSpec& folder) {
  if (index >= kSupportFolderCount) return NVStatus::kEmptyLibraryPath;
  const int32_t status = folder.SetToSpecialFolder(kSupportFolderKinds[index]);
  if (status != NVStatus::kOk) return status;
  folder.SetChild(kMakerFolderName, -1, folder);
  return folder.GetKind() == NVFileSpec::kFolder ? NVStatus::kOk : NVStatus::kFolderNotFound;
}

bool IsExistingFile(const NVFileSpec& file) {
  const WidePath<NVFileSpec::kWideCapacity> wide(file);
  if (wide.Length() == 0) return false;
  const DWORD attributes = GetFileAttributesW(wide.Get());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool HoldsProduct(const NVFileSpec& productFolder) {
  if (productFolder.GetKind() != NVFileSpec::kFolder) return false;
  NVFileSpec infoFile;
  infoFile.SetChild(ProductInfoFile::kFolderName, -1, productFolder);
  infoFile.SetChild(ProductInfoFile::kFileName, -1, infoFile);
  return IsExistingFile(infoFile);
}

}  // namespace

int32_t FindProductFolder(const UtilStr& productName, NVFileSpec& productFolder) {
  productFolder.Clear();
  for (int index = 0;; ++index) {
    NVFileSpec supportFolder;
    const int32_t status = SupportFolder(index, supportFolder);
    if (status == NVStatus::kEmptyLibraryPath) break;
    if (status != NVStatus::kOk) continue;
    NVFileSpec candidate;
    candidate.SetChild(productName.Text(), productName.Length(), supportFolder);
    if (HoldsProduct(candidate)) {
      productFolder = candidate;
      return NVStatus::kOk;
    }
  }
  return NVStatus::kFolderNotFound;
}
