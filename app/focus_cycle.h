// F6 and Shift+F6: the keyboard focus moves between the parts of the
// program a person works in, as F6 moves between the parts of a browser:
// the search bar's current field, the browser pane, and a further window
// (the handwriting pad) when one is open. The focus goes only to visible
// windows; each part gets back the control that last had the focus in it.
#pragma once

#include <windows.h>

#include <vector>

// The parts in F6 order: the search bar, the pane, and any open pad.
std::vector<HWND> FocusStops();

// Moves the focus from the stop that holds it to the next (+1) or the
// previous (-1) visible stop; from none of them to the first visible one.
void CycleFocus(const std::vector<HWND>& stops, int step);

// The message loop's hook: true when `message` was F6 or Shift+F6 and the
// focus moved.
bool TakeFocusCycleKey(const MSG& message);
