// The pane's context menu (right click, Shift+F10, the menu key): Copy,
// Select All, Back, Forward, and on a character or its insert link the
// character itself, its HTML reference and its code point to copy.
#pragma once

#include <windows.h>

namespace vistapane {

// WM_CONTEXTMENU: `lParam` is the point on the screen, or -1 from the
// keyboard (the menu then opens at the focused link or the selection).
void ShowContextMenu(HWND window, LPARAM lParam);

}  // namespace vistapane
