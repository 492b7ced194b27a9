// The native support-folder search: the folder the environment variable kSupportFolderVariable
// names (tests point it at a folder of their own), then the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share), then /usr/local/share and /usr/share. Each holds the
// maker's folder, and that the product folders, as on Windows.
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/ProductFolderSearch.h"
#include "visualhost/engine/posix/NativePath.h"

namespace {

std::vector<std::string> SupportFolders() {
  std::vector<std::string> folders;
  const auto addVariable = [&folders](const char* name, const char* suffix) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') folders.push_back(std::string(value) + suffix);
  };
  addVariable(kSupportFolderVariable, "");
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
    folders.push_back(data);
  } else {
    addVariable("HOME", "/.local/share");
  }
  folders.push_back("/usr/local/share");
  folders.push_back("/usr/share");
  return folders;
}

bool IsKind(const std::string& path, mode_t kind) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

bool HoldsProduct(const NVFileSpec& productFolder) {
  NVFileSpec infoFile;
  infoFile.SetChild(ProductInfoFile::kFolderName, -1, productFolder);
  infoFile.SetChild(ProductInfoFile::kFileName, -1, infoFile);
  return IsKind(NativePath(productFolder), S_IFDIR) && IsKind(NativePath(infoFile), S_IFREG);
}

}  // namespace

int32_t FindProductFolder(const UtilStr& productName, NVFileSpec& productFolder) {
  productFolder.Clear();
  for (const std::string& folder : SupportFolders()) {
    NVFileSpec supportFolder;
    supportFolder.SetPath(UtilStr(folder.c_str()));
    supportFolder.SetChild(kMakerFolderName, -1, supportFolder);
    if (!IsKind(NativePath(supportFolder), S_IFDIR)) continue;
    NVFileSpec candidate;
    candidate.SetChild(productName.Text(), productName.Length(), supportFolder);
    if (HoldsProduct(candidate)) {
      productFolder = candidate;
      return NVStatus::kOk;
    }
  }
  return NVStatus::kFolderNotFound;
}
