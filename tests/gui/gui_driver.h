// Works Logodex.exe as a person would, from another process: starts it in
// a fresh working folder, finds its windows, types into its fields, picks
// its menu items, reads message boxes and the clipboard, saves screenshots.
// A test that hosts the windows on its own thread (the pane's, which loads
// Vistapane.dll itself) uses the same input, screen and clipboard calls
// once it has told the driver to pump its messages while it waits.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How the driver waits (for windows, between input events, for the
// clipboard): it sleeps while the program it works runs in another
// process. A test whose windows live on its own thread passes
// PumpMessages, so that they go on handling their input and painting.
void SetWaitFunction(void (*wait)(DWORD ms));
void Wait(DWORD ms);

// Dispatches this thread's messages for ms milliseconds.
void PumpMessages(DWORD ms);

// Where tests write their artefacts.
std::wstring TestOutputFolder();
std::wstring ProgramFolder();

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

// The pixels of a window's client area as drawn on the screen.
struct ClientCapture {
  int width = 0, height = 0;
  POINT origin{};                     // the client area's top left on the screen
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  POINT OnScreen(int x, int y) const { return {origin.x + x, origin.y + y}; }
};
ClientCapture CaptureClient(HWND window);

// The top-left-most pixel of the colour in the window's client area, in
// screen coordinates, as it is drawn on the screen; false when none is.
bool FindColourOnScreen(HWND window, COLORREF colour, POINT& found);

// A fingerprint of what the window's client area shows on the screen.
std::uint64_t ClientImageSignature(HWND window);

// The darkest grey (0 black to 255 white, the mean of red, green and blue)
// in the window's client area as drawn on the screen.
int DarkestGrey(HWND window);

// Real input through the system, as a person's hand gives it, each
// waiting until it is handled: a left click at a screen position; a drag
// with the left button held; wheel notches (negative: towards the user,
// scrolling down); a key with a modifier held (0 for none).
void ClickAt(POINT screen);
void DragFromTo(POINT from, POINT to);
void TurnWheel(int notches);
void PressChord(WORD modifier, WORD key);

// The clipboard's plain text (CF_TEXT) and its Unicode text.
std::string ClipboardText();
std::wstring ClipboardUnicodeText();

// The whole screen, and a client-area capture, as BMP files named
// name.bmp in the folder.
void SaveScreenshot(const std::wstring& name, const std::wstring& folder = TestOutputFolder());
void SaveCapture(const ClientCapture& capture, const std::wstring& name,
                 const std::wstring& folder = TestOutputFolder());

bool FileExists(const std::wstring& path);
