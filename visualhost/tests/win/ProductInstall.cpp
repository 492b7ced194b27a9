#include "visualhost/tests/win/ProductInstall.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "utility/NVFileSpec.h"

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string Utf8(const std::wstring& wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(size_t(bytes > 0 ? bytes : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), bytes, nullptr, nullptr);
  text.resize(text.size() - 1);
  return text;
}

std::wstring CurrentDirectory() {
  wchar_t path[2048] = {};
  GetCurrentDirectoryW(2048, path);
  return path;
}

std::wstring SupportFolderOf(int kind) {
  NVFileSpec spec;
  if (spec.SetToSpecialFolder(kind) != 0) return {};
  const UtilStr& path = spec.Path();
  std::wstring wide(size_t(path.Length()) + 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.Text(), -1, wide.data(), int(wide.size()));
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

const RefEngineControlApi* EngineControl(const std::wstring& modulePath) {
  const HMODULE module = GetModuleHandleW(modulePath.c_str());
  if (module == nullptr) return nullptr;
  auto control = reinterpret_cast<RefEngineControlFn>(
      reinterpret_cast<void*>(GetProcAddress(module, REFENGINE_CONTROL_EXPORT)));
  return control != nullptr ? control(REFENGINE_CONTROL_VERSION) : nullptr;
}

InstalledProduct::InstalledProduct(int supportKind, const std::wstring& product,
                                   const Options& options) {
  const std::wstring support = SupportFolderOf(supportKind);
  EXPECT_FALSE(support.empty()) << "no support folder of kind " << supportKind;
  MakeFolder(support);
  MakeFolder(support + L"\\Novalume");
  mFolder = support + L"\\Novalume\\" + product;
  MakeFolder(mFolder);
  MakeFolder(mFolder + L"\\Resources");
  if (options.engineTxt) {
    WriteFile(mFolder + L"\\Resources\\engine.txt",
              "REVISION = 1\nPRODUCT_NAME = \"" + Utf8(product) + "\"\nVERSION = 100\nLIB = \"" +
                  Utf8(options.libFile) + "\"\n");
  }
  if (!options.libFileContent.empty()) {
    WriteFile(FileInFolder(options.libFile), options.libFileContent);
  }
  if (!options.engineSource.empty()) {
    CopyFromTestFolder(
        options.engineSource,
        FileInFolder(options.engineFile.empty() ? options.libFile : options.engineFile));
  }
}

InstalledProduct::~InstalledProduct() {
  for (auto file = mMadeFiles.rbegin(); file != mMadeFiles.rend(); ++file) {
    DeleteFileW(file->c_str());
  }
  for (auto folder = mMadeFolders.rbegin(); folder != mMadeFolders.rend(); ++folder) {
    RemoveDirectoryW(folder->c_str());
  }
}

void InstalledProduct::MakeFolder(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) mMadeFolders.push_back(folder);
}

void InstalledProduct::WriteFile(const std::wstring& path, const std::string& content) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8(path);
  DWORD written = 0;
  ::WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
  CloseHandle(file);
  mMadeFiles.push_back(path);
}

void InstalledProduct::CopyFromTestFolder(const std::wstring& source, const std::wstring& target) {
  ASSERT_TRUE(CopyFileW((TestProgramFolder() + source).c_str(), target.c_str(), FALSE))
      << Utf8(source) << " -> " << Utf8(target);
  mMadeFiles.push_back(target);
}
