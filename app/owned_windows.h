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

// Without a window manager, Wine's X11 driver raises a window above all
// others when the X display reports it mapped while the keyboard focus is
// in it: the main window, shown last at start with the focus in its
// editor, would then stand above the windows it owns. The display reports
// it within moments of the show, so for the first seconds after the show
// the stacking is set again every quarter second (a timer of the main
// window's, its ticks handed to OnStartRestackTimer).
constexpr UINT_PTR kStartRestackTimer = 0x4C44;
void RestackForAWhileAfterStart(HWND mainWindow);
LRESULT OnStartRestackTimer(HWND mainWindow);
