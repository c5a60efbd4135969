// The program's windows stacked on the X display as Windows stacks them:
// the windows the main window owns (the search bar, the browser pane, the
// preface viewer, its dialogs and boxes) above it, a box above them all.
#pragma once

#include <windows.h>

// Posted to the main window when the stacking is to be set again.
constexpr UINT kRestackOwnedWindowsMessage = WM_APP + 1;

// Watches every change of stacking among the thread's top-level windows
// and asks the main window to restack them after each.
void WatchOwnedWindowStacking(HWND mainWindow);
void StopWatchingOwnedWindowStacking();

// The handling of kRestackOwnedWindowsMessage.
LRESULT RestackOwnedWindows(HWND mainWindow);
