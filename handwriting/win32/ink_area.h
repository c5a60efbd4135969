// The handwriting pad's drawing area: a child window in which the mouse
// (or a pen or a touch, which reach the program as the mouse) draws
// strokes as ink into a Drawing. A press starts a stroke and captures the
// mouse, so that a drag leaving the area still ends in it; each move adds
// a point, kept inside the area; the release (or the loss of the capture)
// ends the stroke and tells the parent.
#pragma once

#include <windows.h>

#include "handwriting/drawing.h"

// The notification code of WM_COMMAND sent to the parent when a stroke ends.
constexpr WORD kInkStrokeEnded = 1;

// Registers the window class once per process; false when it cannot be.
bool RegisterInkArea(HINSTANCE instance);

// Creates the area at `place` (client pixels of the parent) over the
// drawing, which must outlive it: its size is set to the area's, its
// strokes are drawn and grown here. The ink is penWidth pixels wide.
HWND CreateInkArea(HINSTANCE instance, HWND parent, int id, const RECT& place, Drawing& drawing, int penWidth);
