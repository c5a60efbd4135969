#include "win32/work_area.h"

#include <algorithm>

#include "win32/entry_guard.h"

namespace {

// Marks a window fitted at its first show: later shows (a restore, a
// layout that shows it again) leave it where the user or its owner put it.
constexpr wchar_t kFittedMark[] = L"Logodex.FittedToWorkArea";

// Process-wide: the hook of the thread that creates the windows.
HHOOK shownHook = nullptr;

bool TakesFitting(HWND window) {
  LONG style = GetWindowLongW(window, GWL_STYLE);
  LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
  return !(style & WS_CHILD) && !(extended & WS_EX_TOPMOST) && !IsIconic(window) && !IsZoomed(window);
}

LRESULT UnguardedAfterSentMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (sent->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_SHOWWINDOW) &&
        !GetPropW(sent->hwnd, kFittedMark) && TakesFitting(sent->hwnd)) {
      SetPropW(sent->hwnd, kFittedMark, reinterpret_cast<HANDLE>(1));
      FitToWorkArea(sent->hwnd);
    } else if (sent->message == WM_NCDESTROY) {
      RemovePropW(sent->hwnd, kFittedMark);
    }
  }
  return CallNextHookEx(shownHook, code, wParam, lParam);
}

LRESULT CALLBACK AfterSentMessage(int code, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedAfterSentMessage(code, wParam, lParam); });
}

}  // namespace

RECT WorkAreaOf(HWND window) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (window && GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
    area = monitor.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

bool FitToWorkArea(HWND window) {
  RECT area = WorkAreaOf(window);
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  LONG width = std::min(frame.right - frame.left, area.right - area.left);
  LONG height = std::min(frame.bottom - frame.top, area.bottom - area.top);
  LONG left = std::max(area.left, std::min(frame.left, area.right - width));
  LONG top = std::max(area.top, std::min(frame.top, area.bottom - height));
  if (left == frame.left && top == frame.top && width == frame.right - frame.left &&
      height == frame.bottom - frame.top)
    return false;
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return true;
}

void FitWindowsWhenShown() {
  if (!shownHook) shownHook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterSentMessage, nullptr, GetCurrentThreadId());
}
