#include "editor/document_files.h"

#include <commdlg.h>
#include <richedit.h>

#include <vector>

#include "app/shell_texts.h"
#include "app/text_conversion.h"
#include "app/vistapane.h"

namespace {

constexpr DWORD kPathRoom = 32768;
constexpr wchar_t kRtfFilter[] = L"Rich-Text File (*.RTF)\0*.RTF\0";
constexpr wchar_t kHtmlFilter[] = L"Html (*.htm)\0*.htm\0All Files (*.*)\0*.*\0";

std::wstring documentPath;  // process-wide: the document's file, set by Open and Save As

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* delivered) {
  DWORD read = 0;
  ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(wanted), &read, nullptr);
  *delivered = static_cast<LONG>(read);
  return 0;
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

void ReportUnsavedDocument(HWND owner, const std::wstring& path) {
  std::wstring message = std::wstring(kDocumentNotSaved) + L"\n" + path;
  MessageBoxW(owner, message.c_str(), kLogodexCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

const std::wstring& DocumentPath() { return documentPath; }

void OpenDocument(HWND mainWindow, HWND editor) {
  std::wstring path = ChooseFile(mainWindow, false, kRtfFilter, L"RTF", nullptr,
                                 OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, documentPath);
  if (path.empty()) return;
  documentPath = path;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, ReadFromFile};
  SendMessageW(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  CloseHandle(file);
}

void SaveDocument(HWND mainWindow, HWND editor) {
  if (documentPath.empty()) {
    SaveDocumentAs(mainWindow, editor);
    return;
  }
  HANDLE file = CreateFileW(documentPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ReportUnsavedDocument(mainWindow, documentPath);
    return;
  }
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, WriteToFile};
  SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  bool written = stream.dwError == 0;
  written = CloseHandle(file) && written;
  if (!written) {
    ReportUnsavedDocument(mainWindow, documentPath);
    return;
  }
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  SetWindowTextW(mainWindow, documentPath.c_str());
}

void SaveDocumentAs(HWND mainWindow, HWND editor) {
  std::wstring path = ChooseFile(mainWindow, true, kRtfFilter, L"RTF", nullptr,
                                 OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, documentPath);
  if (path.empty()) return;
  documentPath = path;
  SaveDocument(mainWindow, editor);
}

void OpenHtmlFile(HWND mainWindow) {
  std::wstring title;
  std::wstring path = ChooseFile(mainWindow, false, kHtmlFilter, nullptr, L"c:", 0, std::wstring(), &title);
  if (!path.empty()) OpenHtml(Utf8FromWide(path).c_str(), Utf8FromWide(title).c_str());
}
