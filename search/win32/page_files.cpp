#include "search/win32/page_files.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <vector>

#include "search/result_page.h"
#include "win32/program_folder.h"
#include "win32/program_texts.h"
#include "win32/text_conversion.h"

namespace {

constexpr wchar_t kOwnFolderName[] = L"Logodex";
constexpr wchar_t kClaimPrefix[] = L"Local\\Logodex pages ";

// The page folder and this copy's number in it: set once by
// ChoosePageFolder at start-up, read by every page writer. The claim, a
// named mutex, is held until the process ends; while it exists no other
// copy takes the number.
struct PageFolderState {
  std::wstring folder;
  unsigned copyNumber = 1;
  HANDLE claim = nullptr;
};

PageFolderState& State() {
  static PageFolderState state;
  return state;
}

std::wstring WithoutTrailingSeparator(std::wstring folder) {
  while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/') && folder[folder.size() - 2] != L':')
    folder.pop_back();
  return folder;
}

std::wstring EnvironmentText(const wchar_t* name) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return L"";
  std::vector<wchar_t> text(size);
  DWORD length = GetEnvironmentVariableW(name, text.data(), size);
  return length < size ? std::wstring(text.data(), length) : std::wstring();
}

std::wstring TemporaryFolder() {
  DWORD size = GetTempPathW(0, nullptr);
  if (size == 0) return L"";
  std::vector<wchar_t> text(size);
  DWORD length = GetTempPathW(size, text.data());
  return length < size ? WithoutTrailingSeparator(std::wstring(text.data(), length)) : std::wstring();
}

// Whether a file can be created in the folder: a file of this process's
// own, gone again when it is closed.
bool CanCreateFileIn(const std::wstring& folder) {
  if (folder.empty()) return false;
  std::wstring probe = PathInFolder(folder, L"~Logodex" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::wstring WritableFolder(const std::wstring& workingFolder) {
  if (CanCreateFileIn(workingFolder)) return workingFolder;
  std::wstring local = EnvironmentText(L"LOCALAPPDATA");
  if (!local.empty()) {
    std::wstring own = PathInFolder(local, kOwnFolderName);
    CreateDirectoryW(own.c_str(), nullptr);
    if (CanCreateFileIn(own)) return own;
  }
  std::wstring temporary = TemporaryFolder();
  return CanCreateFileIn(temporary) ? temporary : workingFolder;
}

std::wstring Hex(std::uint64_t number) {
  wchar_t text[17];
  swprintf(text, 17, L"%llx", static_cast<unsigned long long>(number));
  return text;
}

// The same name for the folder in every copy, however its path is
// spelled (case, short names, another drive letter for it): its volume
// and file number; else a hash of its full path in capitals.
std::wstring FolderIdentity(const std::wstring& folder) {
  HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  bool known = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  if (known)
    return Hex(info.dwVolumeSerialNumber) + L"-" +
           Hex((static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
  DWORD size = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
  std::vector<wchar_t> full(size + 1, L'\0');
  DWORD length = size ? GetFullPathNameW(folder.c_str(), size, full.data(), nullptr) : 0;
  std::wstring path = WithoutTrailingSeparator(length < size ? std::wstring(full.data(), length) : folder);
  if (!path.empty()) CharUpperBuffW(&path[0], static_cast<DWORD>(path.size()));
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (wchar_t unit : path) hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
  return L"path-" + Hex(hash);
}

// The lowest number that no running copy holds for the folder, claimed.
// Should the system refuse the claim, the number is taken unclaimed.
unsigned ClaimCopyNumber(const std::wstring& identity, HANDLE& claim) {
  for (unsigned number = 1;; ++number) {
    std::wstring name = kClaimPrefix + identity + L" " + std::to_wstring(number);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex) return number;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      claim = mutex;
      return number;
    }
    CloseHandle(mutex);
  }
}

}  // namespace

void ChoosePageFolder(const std::wstring& workingFolder) {
  PageFolderState& state = State();
  state.folder = WritableFolder(WithoutTrailingSeparator(workingFolder));
  state.copyNumber = ClaimCopyNumber(FolderIdentity(state.folder), state.claim);
}

std::wstring PagePath(const std::string& pageFileName) {
  std::wstring name = WideFromUtf8(pageFileName);
  if (!name.empty() && name.front() == L'\\') name.erase(0, 1);
  if (State().copyNumber > 1) {
    std::size_t dot = name.find_last_of(L'.');
    name.insert(dot == std::wstring::npos ? name.size() : dot, L"-" + std::to_wstring(State().copyNumber));
  }
  return PathInFolder(State().folder, name);
}

bool WritePageFile(const std::string& pageFileName, const std::string& page, std::wstring& path) {
  path = PagePath(pageFileName);
  if (WriteResultPage(path, page)) return true;
  ReportUnwrittenPage(path);
  return false;
}

void ReportUnwrittenPage(const std::wstring& path) {
  std::wstring message = std::wstring(kPageNotWritten) + L"\n" + path;
  MessageBoxW(nullptr, message.c_str(), kLogodexCaption, MB_OK | MB_ICONEXCLAMATION);
}
