#include "search/win32/page_files.h"

#include <windows.h>

#include "win32/program_texts.h"

bool WritePageFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ok = CloseHandle(file) && ok;
  if (!ok) DeleteFileW(path.c_str());
  return ok;
}

void ReportUnwrittenPage(const std::wstring& path) {
  std::wstring message = std::wstring(kPageNotWritten) + L"\n" + path;
  MessageBoxW(nullptr, message.c_str(), kLogodexCaption, MB_OK | MB_ICONEXCLAMATION);
}
