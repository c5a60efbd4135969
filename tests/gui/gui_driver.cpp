#include "tests/gui/gui_driver.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "resources/resource.h"

namespace {

void (*g_wait)(DWORD ms) = nullptr;  // null: sleep

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

void SetWaitFunction(void (*wait)(DWORD ms)) { g_wait = wait; }

void Wait(DWORD ms) {
  if (g_wait)
    g_wait(ms);
  else
    Sleep(ms);
}

void PumpMessages(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (GetTickCount() - start < ms);
}

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
    Wait(50);
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
  Wait(ms);
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

// A rectangle of the screen: its pixels, 0x00RRGGBB, top row first.
std::vector<std::uint32_t> ScreenPixels(int left, int top, int width, int height) {
  std::vector<std::uint32_t> pixels;
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
  BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
  GdiFlush();
  const std::uint32_t* first = static_cast<const std::uint32_t*>(bits);
  pixels.assign(first, first + static_cast<std::size_t>(width) * height);
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Pixels as a 24-bit BMP file, the format every image viewer reads.
void WriteBmp(const std::wstring& path, int width, int height, const std::vector<std::uint32_t>& pixels) {
  if (width <= 0 || height <= 0) return;
  std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
  std::vector<unsigned char> rows(rowBytes * height);
  for (int y = 0; y < height; ++y) {
    // BMP rows go bottom up, each pixel blue, green, red.
    unsigned char* row = &rows[rowBytes * (height - 1 - y)];
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
      row[3 * x] = pixel & 0xFF;
      row[3 * x + 1] = (pixel >> 8) & 0xFF;
      row[3 * x + 2] = (pixel >> 16) & 0xFF;
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
  if (FILE* out = _wfopen(path.c_str(), L"wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
  }
}

void MouseButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

void Key(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

bool ReadClipboard(UINT format, std::vector<char>& bytes) {
  bool read = false;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Wait(50);
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* first = static_cast<const char*>(GlobalLock(data))) {
      bytes.assign(first, first + GlobalSize(data));
      GlobalUnlock(data);
      read = true;
    }
  }
  CloseClipboard();
  return read;
}

}  // namespace

ClientCapture CaptureClient(HWND window) {
  ClientCapture capture;
  RECT client;
  GetClientRect(window, &client);
  ClientToScreen(window, &capture.origin);
  capture.width = client.right;
  capture.height = client.bottom;
  capture.pixels = ScreenPixels(capture.origin.x, capture.origin.y, capture.width, capture.height);
  if (capture.pixels.empty()) capture.width = capture.height = 0;
  return capture;
}

bool FindColourOnScreen(HWND window, COLORREF colour, POINT& found) {
  ClientCapture capture = CaptureClient(window);
  // A COLORREF is 0x00BBGGRR.
  std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (std::size_t i = 0; i < capture.pixels.size(); ++i) {
    if (capture.pixels[i] != wanted) continue;
    found = capture.OnScreen(static_cast<int>(i % capture.width), static_cast<int>(i / capture.width));
    return true;
  }
  return false;
}

std::uint64_t ClientImageSignature(HWND window) {
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint32_t pixel : CaptureClient(window).pixels) hash = (hash ^ pixel) * 1099511628211ull;
  return hash;
}

int DarkestGrey(HWND window) {
  int darkest = 255;
  for (std::uint32_t pixel : CaptureClient(window).pixels) {
    int grey = static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 3;
    if (grey < darkest) darkest = grey;
  }
  return darkest;
}

void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  Wait(50);
  MouseButton(true);
  Wait(50);
  MouseButton(false);
  Wait(250);
}

void DragFromTo(POINT from, POINT to) {
  SetCursorPos(from.x, from.y);
  Wait(50);
  MouseButton(true);
  Wait(50);
  for (int step = 1; step <= 5; ++step) {
    SetCursorPos(from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5);
    Wait(30);
  }
  MouseButton(false);
  Wait(200);
}

void TurnWheel(int notches) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  SendInput(1, &input, sizeof input);
  Wait(300);
}

void PressChord(WORD modifier, WORD key) {
  if (modifier) Key(modifier, true);
  Key(key, true);
  Key(key, false);
  if (modifier) Key(modifier, false);
  Wait(150);
}

std::string ClipboardText() {
  std::vector<char> bytes;
  if (!ReadClipboard(CF_TEXT, bytes)) return "";
  return std::string(bytes.data(), strnlen(bytes.data(), bytes.size()));
}

std::wstring ClipboardUnicodeText() {
  std::vector<char> bytes;
  if (!ReadClipboard(CF_UNICODETEXT, bytes)) return L"";
  const wchar_t* text = reinterpret_cast<const wchar_t*>(bytes.data());
  return std::wstring(text, wcsnlen(text, bytes.size() / sizeof(wchar_t)));
}

void SaveScreenshot(const std::wstring& name, const std::wstring& folder) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  WriteBmp(folder + L"\\" + name + L".bmp", width, height, ScreenPixels(0, 0, width, height));
}

void SaveCapture(const ClientCapture& capture, const std::wstring& name, const std::wstring& folder) {
  WriteBmp(folder + L"\\" + name + L".bmp", capture.width, capture.height, capture.pixels);
}
