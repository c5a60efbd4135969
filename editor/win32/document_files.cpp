#include "editor/win32/document_files.h"

#include <commdlg.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "editor/editor_texts.h"
#include "win32/program_texts.h"
#include "win32/text_conversion.h"
#include "win32/vistapane.h"

namespace {

constexpr DWORD kPathRoom = 32768;

std::wstring documentPath;  // process-wide: the document's file, set by Open and Save As

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* delivered) {
  DWORD read = 0;
  BOOL done = ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(wanted), &read, nullptr);
  *delivered = static_cast<LONG>(read);
  return done ? 0 : static_cast<DWORD>(E_FAIL);
}

DWORD CALLBACK WriteToFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* written) {
  DWORD done = 0;
  WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(count), &done, nullptr);
  *written = static_cast<LONG>(done);
  return done == static_cast<DWORD>(count) ? 0 : static_cast<DWORD>(E_FAIL);
}

// Runs a file dialog; the chosen full path, or empty when cancelled.
std::wstring ChooseFile(HWND owner, bool save, const wchar_t* filter, const wchar_t* defaultExtension,
                        const wchar_t* initialDirectory, DWORD flags, const std::wstring& initialName,
                        std::wstring* title = nullptr) {
  std::vector<wchar_t> path(kPathRoom, L'\0');
  std::vector<wchar_t> titleBuffer(kPathRoom, L'\0');
  initialName.copy(path.data(), kPathRoom - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathRoom;
  dialog.lpstrFileTitle = titleBuffer.data();
  dialog.nMaxFileTitle = kPathRoom;
  dialog.lpstrInitialDir = initialDirectory;
  dialog.lpstrDefExt = defaultExtension;
  dialog.Flags = flags;
  BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::wstring();
  if (title) *title = titleBuffer.data();
  return path.data();
}

void Report(HWND owner, const wchar_t* what, const std::wstring& path) {
  std::wstring message = std::wstring(what) + L"\n" + path;
  MessageBoxW(owner, message.c_str(), kLogodexCaption, MB_OK | MB_ICONEXCLAMATION);
}

// A new, empty file next to `path` for writing; its name in `temporary`.
HANDLE CreateTemporaryBeside(const std::wstring& path, std::wstring& temporary) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Whether the file at `path` may be replaced: it is absent, or it can be
// opened for writing without sharing (not a folder, not held open by
// another program). Nothing in it is changed.
bool MayReplace(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  CloseHandle(file);
  return true;
}

// The document as RTF at `path`: written whole to a temporary file in the
// same folder, flushed, and only then put in the place of the old file, so
// that a failure (a full disk, a file held open) leaves the old file as it
// was and no temporary file behind.
bool WriteDocument(HWND editor, const std::wstring& path) {
  if (!MayReplace(path)) return false;
  std::wstring temporary;
  HANDLE file = CreateTemporaryBeside(path, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, WriteToFile};
  SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  bool written = stream.dwError == 0 && FlushFileBuffers(file);
  written = CloseHandle(file) && written;
  if (written)
    written = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!written) DeleteFileW(temporary.c_str());
  return written;
}

}  // namespace

const std::wstring& DocumentPath() { return documentPath; }

void OpenDocument(HWND mainWindow, HWND editor) {
  std::wstring path = ChooseFile(mainWindow, false, kRtfFilter, L"RTF", nullptr,
                                 OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, documentPath);
  if (path.empty()) return;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Report(mainWindow, kDocumentNotOpened, path);
    return;
  }
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, ReadFromFile};
  SendMessageW(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  CloseHandle(file);
  if (stream.dwError != 0) {
    Report(mainWindow, kDocumentNotOpened, path);
    return;
  }
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  documentPath = path;
}

void SaveDocument(HWND mainWindow, HWND editor) {
  if (documentPath.empty()) {
    SaveDocumentAs(mainWindow, editor);
    return;
  }
  if (!WriteDocument(editor, documentPath)) {
    Report(mainWindow, kDocumentNotSaved, documentPath);
    return;
  }
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  SetWindowTextW(mainWindow, documentPath.c_str());
}

void SaveDocumentAs(HWND mainWindow, HWND editor) {
  std::wstring path = ChooseFile(mainWindow, true, kRtfFilter, L"RTF", nullptr,
                                 OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, documentPath);
  if (path.empty()) return;
  // The document keeps its old path when it could not be written to the new one.
  if (!WriteDocument(editor, path)) {
    Report(mainWindow, kDocumentNotSaved, path);
    return;
  }
  documentPath = path;
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  SetWindowTextW(mainWindow, documentPath.c_str());
}

void OpenHtmlFile(HWND mainWindow) {
  std::wstring title;
  std::wstring path = ChooseFile(mainWindow, false, kHtmlFilter, nullptr, L"c:", 0, std::wstring(), &title);
  if (!path.empty()) OpenHtml(Utf8FromWide(path).c_str(), Utf8FromWide(title).c_str());
}
