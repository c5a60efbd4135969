// Works Logodex.exe as a person would, from another process: starts it in
// a fresh working folder, finds its windows, types into its fields, picks
// its menu items, reads message boxes and the clipboard, saves screenshots.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct RunningProgram {
  PROCESS_INFORMATION process{};
  std::wstring folder;
  HWND mainWindow = nullptr;
};

// A fresh working folder below the test's output folder, holding the
// given data files copied from the program's own folder.
std::wstring MakeWorkingFolder(const std::wstring& name, const std::vector<std::wstring>& dataFiles);

// Starts Logodex.exe in the folder and waits for its main window; false
// when the window does not appear within the timeout.
bool StartLogodex(RunningProgram& program, DWORD timeoutMs = 30000);

// Closes the main window and waits for the process to end; its exit code.
DWORD CloseLogodex(RunningProgram& program, DWORD timeoutMs = 20000);

// The first top-level window of the process with this title (any class
// when className is null), waiting up to timeoutMs.
HWND WaitForWindow(DWORD processId, const wchar_t* title, const wchar_t* className, DWORD timeoutMs);

// The title of a window, the text of a control (asked of its own process)
// and the message of a message box.
std::wstring WindowText(HWND window);
std::wstring ControlText(HWND control);
std::wstring MessageBoxText(HWND box);

// Lets the program's thread handle everything sent and posted so far.
void Settle(HWND window, DWORD ms = 200);

// Types text into a field through its own keyboard input, then Enter.
void TypeInto(HWND field, const std::wstring& text);
void PressKey(HWND window, UINT virtualKey);

// The top-left-most pixel of the colour in the window's client area, in
// screen coordinates, as it is drawn on the screen; false when none is.
bool FindColourOnScreen(HWND window, COLORREF colour, POINT& found);

// A fingerprint of what the window's client area shows on the screen.
std::uint64_t ClientImageSignature(HWND window);

// The darkest grey (0 black to 255 white, the mean of red, green and blue)
// in the window's client area as drawn on the screen.
int DarkestGrey(HWND window);

// A left click at a screen position, through the system's mouse input.
void ClickAt(POINT screen);

// The clipboard's plain text (CF_TEXT).
std::string ClipboardText();

// The whole screen as a BMP file in the test output folder.
void SaveScreenshot(const std::wstring& name);

// Where tests write their artefacts.
std::wstring TestOutputFolder();
std::wstring ProgramFolder();

bool FileExists(const std::wstring& path);
