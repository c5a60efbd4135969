// Entry point: registers the main window class, creates the main window
// (whose creation is the whole start-up) and runs the message loop.
#include <windows.h>

#include "app/main_window.h"
#include "app/shell_state.h"
#include "resources/resource.h"
#include "search/search_bar.h"

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

// Accelerators first (F1 works in every window, the search fields too),
// then the search bar's dialog keys, then the usual translation.
int RunMessageLoop(HACCEL accelerators) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(Shell().mainWindow, accelerators, &message)) continue;
    HWND searchBar = SearchBarWindow();
    if (searchBar && IsDialogMessageW(searchBar, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!RegisterMainWindowClass(instance)) return 0;
  Shell().instance = instance;
  HWND window = CreateWindowExW(0, kMainWindowClass, L"Logodex", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance, nullptr);
  Shell().mainWindow = window;
  if (!window) return 0;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetWindowTextW(window, L"Logodex");
  return RunMessageLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN)));
}
