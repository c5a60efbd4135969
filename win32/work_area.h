// The work area (the screen less the task bar and the docked bars) and
// the fitting of top-level windows into it, so that no window of the
// program has its caption, its close box or its buttons off the screen,
// whatever the display scale and the screen size.
#pragma once

#include <windows.h>

// The work area of the monitor nearest the window.
RECT WorkAreaOf(HWND window);

// Moves a top-level window into the work area, first making it as wide
// and as high as the area where it is wider or higher; true when it moved
// or changed size.
bool FitToWorkArea(HWND window);

// From now on every top-level window of the calling thread is fitted into
// the work area when it is first shown: the program's own windows and
// dialogs, the system's dialogs and message boxes alike (menus and
// tooltips, placed by the system, excepted). Called once, on the thread
// that creates the windows, before the first of them.
void FitWindowsWhenShown();
