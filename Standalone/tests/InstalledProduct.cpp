#include "Standalone/tests/InstalledProduct.h"

#include <windows.h>

#include <fstream>

namespace {

std::string SupportFolder() {
  char folder[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("ProgramFiles", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "C:\\Program Files";
  return folder;
}

bool WriteEngineText(const std::string& path, const std::string& libraryName) {
  std::ofstream file(path, std::ios::binary);
  file << "REVISION = 1\r\nPRODUCT_NAME = \"Glimmora\"\r\nVERSION = 100\r\n"
       << "VERSION_STR = \"1.0.0\"\r\nLIB = \"" << libraryName << "\"\r\n";
  return bool(file);
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string InstalledProduct::ProductFolder() {
  return SupportFolder() + "\\Novalume\\Glimmora";
}

InstalledProduct::InstalledProduct(const std::vector<std::string>& files,
                                   const std::string& libraryName) {
  Remove();
  const std::string product = ProductFolder();
  CreateDirectoryA((SupportFolder() + "\\Novalume").c_str(), nullptr);
  CreateDirectoryA(product.c_str(), nullptr);
  CreateDirectoryA((product + "\\Resources").c_str(), nullptr);
  mOk = WriteEngineText(product + "\\Resources\\engine.txt", libraryName);
  for (const std::string& file : files) {
    mOk =
        mOk && CopyFileA((ProgramFolder() + file).c_str(), (product + "\\" + file).c_str(), FALSE);
  }
}

InstalledProduct::~InstalledProduct() {
  Remove();
}

void InstalledProduct::Remove() {
  const std::string product = ProductFolder();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((product + "\\*.dll").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((product + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  DeleteFileA((product + "\\Resources\\engine.txt").c_str());
  RemoveDirectoryA((product + "\\Resources").c_str());
  RemoveDirectoryA(product.c_str());
  RemoveDirectoryA((SupportFolder() + "\\Novalume").c_str());
}
