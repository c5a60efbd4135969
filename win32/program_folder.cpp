#include "win32/program_folder.h"

#include <windows.h>

#include <vector>

std::wstring ProgramFolder() {
  std::vector<wchar_t> module(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()))) == module.size())
    module.resize(module.size() * 2);
  std::wstring path(module.data(), length);
  std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

std::wstring PathInFolder(const std::wstring& folder, const std::wstring& name) {
  bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
  return separated ? folder + name : folder + L"\\" + name;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
