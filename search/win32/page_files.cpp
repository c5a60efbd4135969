#include "search/win32/page_files.h"

#include <windows.h>

#include "win32/program_texts.h"

void ReportUnwrittenPage(const std::wstring& path) {
  std::wstring message = std::wstring(kPageNotWritten) + L"\n" + path;
  MessageBoxW(nullptr, message.c_str(), kLogodexCaption, MB_OK | MB_ICONEXCLAMATION);
}
