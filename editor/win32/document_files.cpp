#include "editor/win32/document_files.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editor_texts.h"
#include "editor/rtf_document.h"
#include "win32/program_texts.h"
#include "win32/text_conversion.h"
#include "win32/vistapane.h"

namespace {

constexpr DWORD kPathRoom = 32768;
// Far more than the pane holds (0xFFFFF characters), far less than memory.
constexpr LONGLONG kLargestDocumentFile = 256LL << 20;

std::wstring documentPath;  // process-wide: the document's file, set by Open and Save As

// The bytes of a document read into memory, handed to the control in turn.
struct DocumentBytes {
  const std::string& bytes;
  std::size_t at = 0;
};

DWORD CALLBACK ReadFromBytes(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* delivered) {
  DocumentBytes& source = *reinterpret_cast<DocumentBytes*>(cookie);
  std::size_t count = std::min(static_cast<std::size_t>(wanted), source.bytes.size() - source.at);
  std::copy_n(source.bytes.data() + source.at, count, buffer);
  source.at += count;
  *delivered = static_cast<LONG>(count);
  return 0;
}

DWORD CALLBACK AppendToBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* written) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(count));
  *written = count;
  return 0;
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

// Every byte of the file, read before anything in the document changes.
bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool read = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestDocumentFile;
  if (read) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD done = 0;
    read = bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                             done == bytes.size());
  }
  CloseHandle(file);
  return read;
}

// Replaces the control's text with the RTF document; false when the
// control reports an error.
bool StreamInto(HWND control, const std::string& bytes) {
  DocumentBytes source{bytes};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadFromBytes};
  SendMessageW(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0;
}

// Whether a control of the pane's own class reads the document without an
// error: tried on a hidden one, so that the pane is only ever given a
// document it takes whole.
bool ControlTakes(HWND editor, const std::string& bytes) {
  HWND scratch = CreateWindowExW(0, L"RICHEDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 0, 0, GetParent(editor), nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(editor, GWLP_HINSTANCE)), nullptr);
  if (!scratch) return false;
  SendMessageW(scratch, EM_EXLIMITTEXT, 0, SendMessageW(editor, EM_GETLIMITTEXT, 0, 0));
  bool taken = StreamInto(scratch, bytes);
  DestroyWindow(scratch);
  return taken;
}

// The file that a save at `path` writes: the path's own file, or the file
// that a symbolic link at the path leads to. The path itself when nothing
// is there yet.
std::wstring SaveTarget(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::vector<wchar_t> final(kPathRoom, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file, final.data(), kPathRoom, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(file);
  if (length == 0 || length >= kPathRoom) return path;
  std::wstring target(final.data(), length);
  // The answer is an extended-length path: "\\?\C:\..." or "\\?\UNC\server\...".
  if (target.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\" + target.substr(7);
  if (target.compare(0, 4, L"\\\\?\\") == 0) return target.substr(4);
  return target;
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

// All of `bytes` written at the file's present position.
bool WriteAll(HANDLE file, const char* bytes, std::size_t count) {
  while (count > 0) {
    DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count, 1 << 20)), done = 0;
    if (!WriteFile(file, bytes, piece, &done, nullptr) || done != piece) return false;
    bytes += piece;
    count -= piece;
  }
  return true;
}

bool MoveTo(HANDLE file, std::size_t offset) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0;
}

// The bytes, whole, as a new file beside `target`, flushed; its name in
// `temporary`. False (and no file left) when they do not fit.
bool WriteCopyBeside(const std::wstring& target, const std::string& bytes, std::wstring& temporary) {
  HANDLE file = CreateTemporaryBeside(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = WriteAll(file, bytes.data(), bytes.size()) && FlushFileBuffers(file);
  written = CloseHandle(file) && written;
  if (!written) DeleteFileW(temporary.c_str());
  return written;
}

// The bytes written into the existing file itself, which so stays that
// file: its owner, access rights (the mode under Wine), attributes, links
// and streams are untouched. The part beyond the old end is written
// first: when the disk has no room for it the file is cut back to its old
// length, whole. The rest overwrites room the file already has.
// `untouched` tells, on a failure, whether the old file is as it was.
bool RewriteInPlace(const std::wstring& target, const std::string& bytes, bool& untouched) {
  untouched = true;
  HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool written = GetFileSizeEx(file, &size) != 0;
  std::size_t old = static_cast<std::size_t>(size.QuadPart);
  if (written && bytes.size() > old) {
    written = MoveTo(file, old) && WriteAll(file, bytes.data() + old, bytes.size() - old) && FlushFileBuffers(file);
    if (!written) {
      MoveTo(file, old);
      SetEndOfFile(file);
    }
  }
  if (written) {
    untouched = false;
    written = MoveTo(file, 0) && WriteAll(file, bytes.data(), std::min(old, bytes.size())) &&
              MoveTo(file, bytes.size()) && SetEndOfFile(file) && FlushFileBuffers(file);
  }
  return CloseHandle(file) && written;
}

enum class Saved { kWritten, kFailed, kReadOnly };

// The document as RTF at `path` (through a link, at the link's target).
// A whole copy is written beside the file and flushed first: a failure
// there (a full disk, a file held open) leaves the old file as it was and
// no copy behind. A new file is that copy renamed; an old file takes the
// copy's bytes into itself, and the copy is removed only once they are
// there (should the rewrite fail, the whole document is left in it). A
// read-only file is not touched.
Saved WriteDocument(HWND editor, const std::wstring& path) {
  std::wstring target = SaveTarget(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Saved::kReadOnly;
  if (!MayReplace(target)) return Saved::kFailed;
  std::string bytes;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&bytes), 0, AppendToBytes};
  SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  std::wstring temporary;
  if (stream.dwError != 0 || !WriteCopyBeside(target, bytes, temporary)) return Saved::kFailed;
  if (!exists) {
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return Saved::kWritten;
    DeleteFileW(temporary.c_str());
    return Saved::kFailed;
  }
  bool untouched = true;
  bool written = RewriteInPlace(target, bytes, untouched);
  if (written || untouched) DeleteFileW(temporary.c_str());
  return written ? Saved::kWritten : Saved::kFailed;
}

// Saves the document at `path`, which becomes its path; a failure is
// reported, and a read-only file is refused with the offer of another name.
void SaveAt(HWND mainWindow, HWND editor, const std::wstring& path) {
  Saved saved = WriteDocument(editor, path);
  if (saved == Saved::kReadOnly) {
    std::wstring question = path + kDocumentReadOnly;
    if (MessageBoxW(mainWindow, question.c_str(), kLogodexCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
      SaveDocumentAs(mainWindow, editor);
    return;
  }
  if (saved == Saved::kFailed) {
    Report(mainWindow, kDocumentNotSaved, path);
    return;
  }
  documentPath = path;
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  SetWindowTextW(mainWindow, documentPath.c_str());
}

}  // namespace

const std::wstring& DocumentPath() { return documentPath; }

void OpenDocument(HWND mainWindow, HWND editor) {
  std::wstring path = ChooseFile(mainWindow, false, kRtfFilter, L"RTF", nullptr,
                                 OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, documentPath);
  if (path.empty()) return;
  std::string bytes;
  if (!ReadWholeFile(path, bytes) || !IsWholeRtfDocument(bytes) || !ControlTakes(editor, bytes)) {
    Report(mainWindow, kDocumentNotOpened, path);
    return;
  }
  StreamInto(editor, bytes);
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
  documentPath = path;
}

void SaveDocument(HWND mainWindow, HWND editor) {
  if (documentPath.empty())
    SaveDocumentAs(mainWindow, editor);
  else
    SaveAt(mainWindow, editor, documentPath);
}

void SaveDocumentAs(HWND mainWindow, HWND editor) {
  std::wstring path = ChooseFile(mainWindow, true, kRtfFilter, L"RTF", nullptr,
                                 OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, documentPath);
  // The document keeps its old path when it could not be written to the new one.
  if (!path.empty()) SaveAt(mainWindow, editor, path);
}

void OpenHtmlFile(HWND mainWindow) {
  std::wstring title;
  std::wstring path = ChooseFile(mainWindow, false, kHtmlFilter, nullptr, L"c:", 0, std::wstring(), &title);
  if (!path.empty()) OpenHtml(Utf8FromWide(path).c_str(), Utf8FromWide(title).c_str());
}
