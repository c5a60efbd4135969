// Windows keeps every owned window above its owner: whatever raises the
// owner (a click, the end of a box, a menu, a move or resize) moves its
// owned windows up with it, in their own order. Wine's X11 driver passes a
// change of place on to the X display only when the window becomes the
// first visible window of Wine's list; a window placed after another one
// stays where the X display has it. And a click takes the window clicked
// up in Wine's list to where it stands on the display, owner or not. So
// the owner, once above its owned windows on the display, stays there for
// good: they get no clicks and no typing, and asking for them again
// changes nothing in Wine's list. A window manager restacks the owner with
// its transients in an order of its own as well.
//
// So after every click, activation and change of stacking among the
// thread's windows, their order is set again: Wine's order with the active
// window first and every owner moved below the windows it owns, applied from the lowest window to
// the highest, each put last and then first, a real change of place that
// raises it on the display. The display then holds the order Windows
// defines: the owned windows above their owner, a box above them all.
#include "app/owned_windows.h"

#include <algorithm>
#include <vector>

#include "win32/entry_guard.h"

namespace {

// Process-wide: one main window, its thread's hooks.
HHOOK sentHook = nullptr;
HHOOK postedHook = nullptr;
HWND watched = nullptr;
bool restackPosted = false;
bool restacking = false;
int startRestacksLeft = 0;

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool IsTopLevel(HWND window) { return !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD); }

bool IsOwnedBy(HWND window, HWND owner) {
  for (HWND up = GetWindow(window, GW_OWNER); up; up = GetWindow(up, GW_OWNER))
    if (up == owner) return true;
  return false;
}

void RequestRestack() {
  if (restacking || restackPosted || !watched) return;
  restackPosted = PostMessageW(watched, kRestackOwnedWindowsMessage, 0, 0) != FALSE;
}

// Menus and tooltips are topmost windows of their own and change nothing
// below them; a menu's end, an activation and a move or resize do.
LRESULT UnguardedAfterSentMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    switch (sent->message) {
      case WM_WINDOWPOSCHANGED:
        if (IsTopLevel(sent->hwnd) && !IsTopmost(sent->hwnd)) {
          const WINDOWPOS* place = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
          if (!(place->flags & SWP_NOZORDER) || (place->flags & SWP_SHOWWINDOW)) RequestRestack();
        }
        break;
      case WM_ACTIVATE:
      case WM_EXITMENULOOP:
      case WM_EXITSIZEMOVE: RequestRestack(); break;
      default: break;
    }
  }
  return CallNextHookEx(sentHook, code, wParam, lParam);
}

LRESULT CALLBACK AfterSentMessage(int code, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedAfterSentMessage(code, wParam, lParam); });
}

// A click, in a window's client area or on its frame.
LRESULT UnguardedOnPostedMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    switch (reinterpret_cast<const MSG*>(lParam)->message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN: RequestRestack(); break;
      default: break;
    }
  }
  return CallNextHookEx(postedHook, code, wParam, lParam);
}

LRESULT CALLBACK OnPostedMessage(int code, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedOnPostedMessage(code, wParam, lParam); });
}

struct Collected {
  DWORD thread;
  std::vector<HWND> windows;  // from the top of the z-order down
};

BOOL UnguardedCollectWindow(HWND window, LPARAM lParam) {
  Collected& found = *reinterpret_cast<Collected*>(lParam);
  if (GetWindowThreadProcessId(window, nullptr) == found.thread && IsWindowVisible(window) && !IsTopmost(window))
    found.windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
  return Guarded<BOOL>(FALSE, [&] { return UnguardedCollectWindow(window, lParam); });
}

// The windows from the top down, each owner moved just below the lowest of
// the windows it owns.
void PutOwnersBelow(std::vector<HWND>& windows) {
  for (std::size_t i = 0; i < windows.size();) {
    std::size_t lowestOwned = i;
    for (std::size_t j = i + 1; j < windows.size(); ++j)
      if (IsOwnedBy(windows[j], windows[i])) lowestOwned = j;
    if (lowestOwned == i) {
      ++i;
      continue;
    }
    std::rotate(windows.begin() + static_cast<long>(i), windows.begin() + static_cast<long>(i) + 1,
                windows.begin() + static_cast<long>(lowestOwned) + 1);
  }
}

bool InMenu(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
}

}  // namespace

void WatchOwnedWindowStacking(HWND mainWindow) {
  watched = mainWindow;
  DWORD thread = GetCurrentThreadId();
  if (!sentHook) sentHook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterSentMessage, nullptr, thread);
  if (!postedHook) postedHook = SetWindowsHookExW(WH_GETMESSAGE, OnPostedMessage, nullptr, thread);
}

void StopWatchingOwnedWindowStacking() {
  if (sentHook) UnhookWindowsHookEx(sentHook);
  if (postedHook) UnhookWindowsHookEx(postedHook);
  sentHook = postedHook = nullptr;
  watched = nullptr;
}

LRESULT RestackOwnedWindows(HWND mainWindow) {
  restackPosted = false;
  DWORD thread = GetCurrentThreadId();
  // Only while the program is the one in front (another program's window
  // stays above it) and no menu is open (it would be covered).
  HWND front = GetForegroundWindow();
  if (IsIconic(mainWindow) || !front || GetWindowThreadProcessId(front, nullptr) != thread || InMenu(thread))
    return 0;
  Collected found{thread, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
  if (found.windows.size() < 2) return 0;
  // The window the user just opened or clicked is the active one: it
  // stands above its siblings (a click may have left it below them in
  // Wine's list), and an owner below what it owns.
  auto active = std::find(found.windows.begin(), found.windows.end(), GetActiveWindow());
  if (active != found.windows.end()) std::rotate(found.windows.begin(), active, active + 1);
  PutOwnersBelow(found.windows);
  restacking = true;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  for (auto it = found.windows.rbegin(); it != found.windows.rend(); ++it) {
    SetWindowPos(*it, HWND_BOTTOM, 0, 0, 0, 0, flags);
    SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, flags);
  }
  restacking = false;
  return 0;
}

void RestackForAWhileAfterStart(HWND mainWindow) {
  startRestacksLeft = 12;
  SetTimer(mainWindow, kStartRestackTimer, 250, nullptr);
}

LRESULT OnStartRestackTimer(HWND mainWindow) {
  if (--startRestacksLeft <= 0) KillTimer(mainWindow, kStartRestackTimer);
  return RestackOwnedWindows(mainWindow);
}
