// Entry point: registers the main window class, creates the main window
// (whose creation is the whole start-up) and runs the message loop.
#include <windows.h>

#include <algorithm>

#include "app/focus_cycle.h"
#include "app/main_window.h"
#include "app/owned_windows.h"
#include "app/shell_state.h"
#include "editor/win32/preface_viewer.h"
#include "handwriting/win32/handwriting_pad.h"
#include "resources/resource.h"
#include "search/win32/search_bar.h"
#include "win32/work_area.h"

namespace {

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAIN));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN);
  windowClass.lpszClassName = kMainWindowClass;
  return RegisterClassW(&windowClass) != 0;
}

// The main window's first place: 960 by 720 pixels at 96 dots per inch,
// grown with the display scale so that the search bar fits across it, at
// the system's default position unless that much fills the work area.
struct WindowPlace {
  int x, y, width, height;
};

WindowPlace FirstWindowPlace() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  RECT work{0, 0, 1024, 768};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int width = std::min<int>(MulDiv(960, dpi, 96), work.right - work.left);
  int height = std::min<int>(MulDiv(720, dpi, 96), work.bottom - work.top);
  bool fills = width == work.right - work.left || height == work.bottom - work.top;
  int x = fills ? static_cast<int>(work.left) : CW_USEDEFAULT;
  int y = fills ? static_cast<int>(work.top) : CW_USEDEFAULT;
  return WindowPlace{x, y, width, height};
}

// Accelerators first (F1 works in every window, the search fields too),
// then F6 between the program's parts, then the dialog keys of the search bar, the handwriting pad and the preface
// viewer (Escape closes each), then the usual translation.
int RunMessageLoop(HACCEL accelerators) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(Shell().mainWindow, accelerators, &message)) continue;
    if (TakeFocusCycleKey(message)) continue;
    HWND searchBar = SearchBarWindow();
    if (searchBar && IsDialogMessageW(searchBar, &message)) continue;
    HWND pad = HandwritingPadWindow();
    if (pad && IsDialogMessageW(pad, &message)) continue;
    HWND viewer = PrefaceViewerWindow();
    if (viewer && IsDialogMessageW(viewer, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!RegisterMainWindowClass(instance)) return 0;
  Shell().instance = instance;
  FitWindowsWhenShown();
  WindowPlace place = FirstWindowPlace();
  HWND window = CreateWindowExW(0, kMainWindowClass, L"Logodex", WS_OVERLAPPEDWINDOW, place.x, place.y,
                                place.width, place.height, nullptr, nullptr, instance, nullptr);
  Shell().mainWindow = window;
  if (!window) return 0;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  RestackForAWhileAfterStart(window);
  SetWindowTextW(window, L"Logodex");
  return RunMessageLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN)));
}
