#include "tests/gui/gui_driver.h"

#include <algorithm>
#include <cstdio>
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

std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::wstring EnvironmentText(const wchar_t* name) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return L"";
  std::wstring text(size, L'\0');
  text.resize(GetEnvironmentVariableW(name, &text[0], size));
  return text;
}

std::wstring MakeWorkingFolder(const std::wstring& name, const std::vector<std::wstring>& dataFiles) {
  std::wstring folder = TestOutputFolder() + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  std::vector<std::wstring> stale = FilesMatching(folder, L"Html*.htm");
  stale.insert(stale.end(), {L"TotalStrokeOrdered.txt", L"unihan.txt"});
  for (const std::wstring& file : stale) DeleteFileW((folder + L"\\" + file).c_str());
  for (const std::wstring& file : dataFiles)
    CopyFileW((ProgramFolder() + L"\\" + file).c_str(), (folder + L"\\" + file).c_str(), FALSE);
  return folder;
}

HWND WaitForWindow(DWORD processId, const wchar_t* title, const wchar_t* className, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (true) {
    WindowSearch search{processId, title, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Wait(50);
  }
}

std::wstring MakeProgramCopy(const std::wstring& name) {
  std::wstring folder = TestOutputFolder() + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* file : {L"Logodex.exe", L"Vistapane.dll"})
    CopyFileW((ProgramFolder() + L"\\" + file).c_str(), (folder + L"\\" + file).c_str(), FALSE);
  return folder + L"\\Logodex.exe";
}

bool LaunchLogodex(RunningProgram& program) {
  std::wstring exe = program.exe.empty() ? ProgramFolder() + L"\\Logodex.exe" : program.exe;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, program.folder.c_str(),
                        &startup, &program.process) != 0;
}

bool StartLogodex(RunningProgram& program, DWORD timeoutMs) {
  if (!LaunchLogodex(program)) return false;
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

void MouseButton(bool down, bool right = false) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (right) input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
  else input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
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

bool ClickFirstLink(HWND pane) {
  POINT link;
  if (!FindColourOnScreen(pane, RGB(0, 0, 0xEE), link)) return false;
  ClickAt({link.x + 1, link.y + 1});
  return true;
}

bool FindLastColourOnScreen(HWND window, COLORREF colour, POINT& found) {
  ClientCapture capture = CaptureClient(window);
  std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int y = capture.height - 1; y >= 0; --y)
    for (int x = 0; x < capture.width; ++x)
      if (capture.At(x, y) == wanted) {
        found = capture.OnScreen(x, y);
        return true;
      }
  return false;
}

void ClickPaneCorner(HWND pane) {
  POINT corner{2, 2};
  ClientToScreen(pane, &corner);
  ClickAt(corner);
}

bool ClickFoundText(HWND pane, const std::wstring& text) {
  DWORD processId = 0;
  GetWindowThreadProcessId(pane, &processId);
  ClickPaneCorner(pane);
  PressChord(VK_CONTROL, 'F');
  HWND find = WaitForWindow(processId, L"Find in page", nullptr, 5000);
  HWND field = find ? FindWindowExW(find, nullptr, L"Edit", nullptr) : nullptr;
  if (!field) return false;
  SetWindowTextW(field, L"");
  TypeInto(field, text);
  Settle(pane, 300);
  PressKey(field, VK_ESCAPE);
  for (int wait = 0; wait < 50 && IsWindowVisible(find); ++wait) Wait(100);
  // The selection as drawn once the find window has gone from over the pane.
  COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
  std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int attempt = 0; attempt < 20; ++attempt, Wait(100)) {
    Settle(pane, 100);
    ClientCapture capture = CaptureClient(pane);
    int left = capture.width, top = capture.height, right = -1, bottom = -1;
    for (int y = 0; y < capture.height; ++y)
      for (int x = 0; x < capture.width; ++x)
        if (capture.At(x, y) == wanted) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < 0) continue;
    ClickAt(capture.OnScreen((left + right) / 2, (top + bottom) / 2));
    return true;
  }
  return false;
}

ClientCapture CaptureScreen(const RECT& area) {
  ClientCapture capture;
  capture.origin = {area.left, area.top};
  capture.width = area.right - area.left;
  capture.height = area.bottom - area.top;
  capture.pixels = ScreenPixels(area.left, area.top, capture.width, capture.height);
  if (capture.pixels.empty()) capture.width = capture.height = 0;
  return capture;
}

namespace {

int GreyAt(const ClientCapture& c, int x, int y) {
  std::uint32_t px = c.At(x, y);
  return static_cast<int>(((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF)) / 3;
}

}  // namespace

void Ink::Add(const Ink& other) {
  sum += other.sum;
  pixels += other.pixels;
  darkest = std::min(darkest, other.darkest);
  inkedSum += other.inkedSum;
  inked += other.inked;
}

Ink InkIn(const ClientCapture& c, int left, int top, int right, int bottom) {
  Ink ink;
  for (int y = std::max(0, top); y < std::min(c.height, bottom); ++y)
    for (int x = std::max(0, left); x < std::min(c.width, right); ++x) {
      int grey = GreyAt(c, x, y);
      ink.sum += 255 - grey;
      ++ink.pixels;
      ink.darkest = std::min(ink.darkest, grey);
      if (255 - grey >= 32) {
        ink.inkedSum += 255 - grey;
        ++ink.inked;
      }
    }
  return ink;
}

// The inked pixels' bounding box is at least 3 by 5 pixels, its outline
// is inked nearly all round and its inside is nearly blank. The letters
// the tests measure have no such shape (the radical U+2F1D would).
bool IsMissingGlyphMark(const ClientCapture& c, int left, int top, int right, int bottom) {
  left = std::max(0, left), top = std::max(0, top);
  right = std::min(c.width, right), bottom = std::min(c.height, bottom);
  auto inked = [&](int x, int y) { return 255 - GreyAt(c, x, y) >= 64; };
  int x0 = right, y0 = bottom, x1 = -1, y1 = -1;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (inked(x, y)) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  if (x1 - x0 < 2 || y1 - y0 < 4) return false;
  int outline = 0, outlineInked = 0, inside = 0, insideInked = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int depth = std::min(std::min(x - x0, x1 - x), std::min(y - y0, y1 - y));
      if (depth == 0) outline += 1, outlineInked += inked(x, y);
      if (depth >= 1) inside += 1, insideInked += inked(x, y);
    }
  return outlineInked * 10 >= outline * 9 && insideInked * 10 <= inside;
}

std::uint64_t ClientImageSignature(HWND window) {
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint32_t pixel : CaptureClient(window).pixels) hash = (hash ^ pixel) * 1099511628211ull;
  return hash;
}

std::uint64_t SignatureShowing(HWND control, const std::wstring& text) {
  SendMessageW(control, WM_KILLFOCUS, 0, 0);
  SetWindowTextW(control, text.c_str());
  InvalidateRect(control, nullptr, TRUE);
  Settle(control, 300);
  return ClientImageSignature(control);
}

std::uint64_t CaptionSignature(HWND window) {
  TITLEBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetTitleBarInfo(window, &bar)) return 0;
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint32_t pixel : CaptureScreen(bar.rcTitleBar).pixels) hash = (hash ^ pixel) * 1099511628211ull;
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

void ClickAt(POINT screen, bool right) {
  SetCursorPos(screen.x, screen.y);
  Wait(50);
  MouseButton(true, right);
  Wait(50);
  MouseButton(false, right);
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

void PressChords(std::initializer_list<KeyChord> chords) {
  for (const KeyChord& chord : chords) {
    if (chord.modifier) Key(chord.modifier, true);
    Key(chord.key, true);
    Key(chord.key, false);
    if (chord.modifier) Key(chord.modifier, false);
  }
  Wait(150);
}

void PressChord(WORD modifier, WORD key) { PressChords({{modifier, key}}); }

void ClickThenPress(POINT screen, bool right, WORD key) {
  SetCursorPos(screen.x, screen.y);
  Wait(50);
  MouseButton(true, right);
  MouseButton(false, right);
  Key(key, true);
  Key(key, false);
  Wait(250);
}

std::string ClipboardText() {
  std::vector<char> bytes;
  if (!ReadClipboard(CF_TEXT, bytes)) return "";
  return std::string(bytes.data(), strnlen(bytes.data(), bytes.size()));
}

void PutClipboardUnicodeText(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    if (void* bytes = GlobalLock(block)) {
      std::wmemcpy(static_cast<wchar_t*>(bytes), text.c_str(), text.size() + 1);
      GlobalUnlock(block);
      if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    } else {
      GlobalFree(block);
    }
  }
  CloseClipboard();
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
