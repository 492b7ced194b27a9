#include "visualhost/tests/posix/NativeProduct.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "visualhost/engine/ProductFolderSearch.h"

NativeProduct::NativeProduct(const std::string& enginePath, const std::string& engineTxt,
                             const std::string& product) {
  std::string pattern = (std::filesystem::temp_directory_path() / "nvproduct-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  mSupport = pattern;
  const std::filesystem::path folder = std::filesystem::path(mSupport) / kMakerFolderName / product;
  mProduct = folder.string();
  std::filesystem::create_directories(folder / "Resources");
  if (!enginePath.empty()) std::filesystem::create_symlink(enginePath, folder / kLibraryName);
  std::ofstream(folder / "Resources" / "engine.txt")
      << (engineTxt.empty() ? "REVISION = 1\nPRODUCT_NAME = \"" + product +
                                  "\"\nVERSION = 1\nLIB = \"" + kLibraryName + "\"\n"
                            : engineTxt);
  setenv(kSupportFolderVariable, mSupport.c_str(), 1);
}

NativeProduct::~NativeProduct() {
  unsetenv(kSupportFolderVariable);
  std::error_code ignored;
  std::filesystem::remove_all(mSupport, ignored);
}

std::string NativeReferenceEnginePath() {
  return NV_NATIVE_ENGINE_PATH;
}
