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
#include <initializer_list>
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
  std::wstring exe;  // empty: the Logodex.exe beside the test
  HWND mainWindow = nullptr;
};

// A fresh working folder below the test's output folder, holding the
// given data files copied from the program's own folder.
std::wstring MakeWorkingFolder(const std::wstring& name, const std::vector<std::wstring>& dataFiles);

// A fresh folder below the test's output folder holding a copy of the
// program alone (Logodex.exe and Vistapane.dll, no data files); the path
// of its Logodex.exe.
std::wstring MakeProgramCopy(const std::wstring& name);

// Starts the program's process in its folder; false when it cannot.
bool LaunchLogodex(RunningProgram& program);

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

// The same from the foot: the leftmost pixel of the colour in the lowest
// row that holds it (the first link of the last line of links).
bool FindLastColourOnScreen(HWND window, COLORREF colour, POINT& found);

// Clicks the first link the pane window draws (links are drawn in
// #0000EE, the top-left-most first), as a person clicks it; false when
// none is drawn.
bool ClickFirstLink(HWND pane);

// Clicks the pane's top-left corner, where pages have their margin and no
// link: the pane takes the keyboard focus, as after a person's click.
void ClickPaneCorner(HWND pane);

// Clicks a text where the pane draws it, as a person who sees it would:
// the pane's find in page (Ctrl+F, the text typed into its field,
// Escape) selects its first match from the top of the view and scrolls it
// into view; the click falls on the middle of the drawn selection (the
// system's highlight colour). False when no selection is drawn.
bool ClickFoundText(HWND pane, const std::wstring& text);

// A fingerprint of what the window's client area shows on the screen.
std::uint64_t ClientImageSignature(HWND window);

// What a control shows on the screen once its text is replaced, without
// its blinking caret.
std::uint64_t SignatureShowing(HWND control, const std::wstring& text);

// A fingerprint of the window's title bar as drawn on the screen.
std::uint64_t CaptionSignature(HWND window);

// The darkest grey (0 black to 255 white, the mean of red, green and blue)
// in the window's client area as drawn on the screen.
int DarkestGrey(HWND window);

// A rectangle of the screen (a caption, which is outside the client area),
// taken as CaptureClient takes a client area.
ClientCapture CaptureScreen(const RECT& area);

// The ink of a rectangle of a capture: the sum over its pixels of 255
// minus their grey, its darkest grey, and the same sum over its inked
// pixels alone (those at least an eighth of the way to black).
struct Ink {
  double sum = 0;
  int pixels = 0;
  int darkest = 255;
  double inkedSum = 0;
  int inked = 0;
  double Mean() const { return pixels ? sum / pixels : 0; }
  // How dark the strokes are, whatever their number: the mean ink of the
  // inked pixels.
  double StrokeInk() const { return inked ? inkedSum / inked : 0; }
  void Add(const Ink& other);
};
Ink InkIn(const ClientCapture& c, int left, int top, int right, int bottom);

// Whether the ink of a rectangle of a capture is a hollow rectangle: the
// mark a font draws for a character it lacks (the same for every such
// character), not a letter.
bool IsMissingGlyphMark(const ClientCapture& c, int left, int top, int right, int bottom);

// Real input through the system, as a person's hand gives it, each
// waiting until it is handled: a left (or right) click at a screen position; a drag
// with the left button held; wheel notches (negative: towards the user,
// scrolling down); a key with a modifier held (0 for none).
void ClickAt(POINT screen, bool right = false);
void DragFromTo(POINT from, POINT to);
void TurnWheel(int notches);
void PressChord(WORD modifier, WORD key);
// Chords, or a click and a key, given at once: what comes after opens a
// modal loop (a menu) on the waiting thread is already queued for it.
struct KeyChord {
  WORD modifier;
  WORD key;
};
void PressChords(std::initializer_list<KeyChord> chords);
void ClickThenPress(POINT screen, bool right, WORD key);

// The clipboard's plain text (CF_TEXT) and its Unicode text; Unicode text
// put there as a person's copy in another program would.
std::string ClipboardText();
std::wstring ClipboardUnicodeText();
void PutClipboardUnicodeText(const std::wstring& text);

// The whole screen, and a client-area capture, as BMP files named
// name.bmp in the folder.
void SaveScreenshot(const std::wstring& name, const std::wstring& folder = TestOutputFolder());
void SaveCapture(const ClientCapture& capture, const std::wstring& name,
                 const std::wstring& folder = TestOutputFolder());

bool FileExists(const std::wstring& path);

// The names of the files in the folder that match the pattern ("Html*.htm").
std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern);

// The value of an environment variable; empty when it is not set.
std::wstring EnvironmentText(const wchar_t* name);
