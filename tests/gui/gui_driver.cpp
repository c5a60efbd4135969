#include "tests/gui/gui_driver.h"

#include <cstdio>

#include "resources/resource.h"
#include "tests/gui/screen_bmp.h"

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* title;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->title && WindowText(window) != search->title) return TRUE;
  if (search->className) {
    wchar_t name[256];
    GetClassNameW(window, name, 256);
    if (lstrcmpiW(name, search->className) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

}  // namespace

std::wstring ProgramFolder() {
  std::wstring path(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
  path.resize(n);
  return FolderOf(path);
}

std::wstring TestOutputFolder() {
  std::wstring folder = ProgramFolder() + L"\\gui-artefacts";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring MakeWorkingFolder(const std::wstring& name, const std::vector<std::wstring>& dataFiles) {
  std::wstring folder = TestOutputFolder() + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* stale : {L"HtmlRadicalSearch.htm", L"HtmlTotalStrokeSearch.htm", L"HtmlRadical.htm",
                               L"TotalStrokeOrdered.txt", L"unihan.txt"})
    DeleteFileW((folder + L"\\" + stale).c_str());
  for (const std::wstring& file : dataFiles)
    CopyFileW((ProgramFolder() + L"\\" + file).c_str(), (folder + L"\\" + file).c_str(), FALSE);
  return folder;
}

HWND WaitForWindow(DWORD processId, const wchar_t* title, const wchar_t* className, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    WindowSearch search{processId, title, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool StartLogodex(RunningProgram& program, DWORD timeoutMs) {
  std::wstring exe = ProgramFolder() + L"\\Logodex.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      program.folder.c_str(), &startup, &program.process))
    return false;
  program.mainWindow = WaitForWindow(program.process.dwProcessId, L"Logodex", L"Logodex", timeoutMs);
  if (program.mainWindow) Settle(program.mainWindow, 500);
  return program.mainWindow != nullptr;
}

DWORD CloseLogodex(RunningProgram& program, DWORD timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (!program.process.hProcess) return code;
  if (program.mainWindow) PostMessageW(program.mainWindow, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(program.process.hProcess, timeoutMs) != WAIT_OBJECT_0)
    TerminateProcess(program.process.hProcess, 99);
  GetExitCodeProcess(program.process.hProcess, &code);
  CloseHandle(program.process.hProcess);
  CloseHandle(program.process.hThread);
  program.process = PROCESS_INFORMATION{};
  return code;
}

std::wstring WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::wstring ControlText(HWND control) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 5000, &copied);
  text.resize(copied <= length ? copied : length);
  return text;
}

std::wstring MessageBoxText(HWND box) {
  // The message is the box's static control with identifier 0xFFFF, or in
  // the program's box for long texts its scrolling edit control.
  if (HWND text = GetDlgItem(box, 0xFFFF)) return WindowText(text);
  if (HWND lines = GetDlgItem(box, IDC_UNIHAN_LINES)) return ControlText(lines);
  return L"";
}

void Settle(HWND window, DWORD ms) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
  Sleep(ms);
}

void TypeInto(HWND field, const std::wstring& text) {
  SendMessageW(field, WM_SETFOCUS, 0, 0);
  for (wchar_t c : text) SendMessageW(field, WM_CHAR, c, 1);
}

void PressKey(HWND window, UINT virtualKey) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

namespace {

// The client area's pixels as drawn on the screen, 0x00RRGGBB, top row first.
std::vector<DWORD> ClientPixels(HWND window, RECT& client) {
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  int width = client.right - client.left, height = client.bottom - client.top;
  std::vector<DWORD> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, client.left, client.top, SRCCOPY);
  const DWORD* first = static_cast<const DWORD*>(bits);
  pixels.assign(first, first + static_cast<std::size_t>(width) * height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

bool FindColourOnScreen(HWND window, COLORREF colour, POINT& found) {
  RECT client;
  std::vector<DWORD> pixels = ClientPixels(window, client);
  int width = client.right - client.left;
  // A COLORREF is 0x00BBGGRR.
  DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if ((pixels[i] & 0xFFFFFF) != wanted) continue;
    found = {client.left + static_cast<int>(i % width), client.top + static_cast<int>(i / width)};
    return true;
  }
  return false;
}

std::uint64_t ClientImageSignature(HWND window) {
  RECT client;
  std::uint64_t hash = 1469598103934665603ull;
  for (DWORD pixel : ClientPixels(window, client)) hash = (hash ^ (pixel & 0xFFFFFF)) * 1099511628211ull;
  return hash;
}

int DarkestGrey(HWND window) {
  RECT client;
  int darkest = 255;
  for (DWORD pixel : ClientPixels(window, client)) {
    int grey = static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 3;
    if (grey < darkest) darkest = grey;
  }
  return darkest;
}

void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
}

std::string ClipboardText() {
  std::string text;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SaveScreenshot(const std::wstring& name) { SaveScreenBmp(TestOutputFolder() + L"\\" + name + L".bmp"); }
