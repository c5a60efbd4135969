// Find in page: Ctrl+F opens a small window of the pane's with a field,
// Next and Previous, and a line that says how many matches there are or
// that there is none. Every match is highlighted; the current one is
// selected (Ctrl+C copies it) and scrolled into view. F3 and Shift+F3 step
// to the next and previous match from the pane or the window.
#pragma once

#include <windows.h>

namespace vistapane {

// Ctrl+F: opens the window, or brings it back, with the field's text selected.
void OpenFind();
// F3 (forward) and Shift+F3: the next or previous match of the text.
void FindAgain(bool forward);
// The page was laid out anew: the text is found in it again.
void RefreshFind();
// The window goes with the pane.
void CloseFind();

}  // namespace vistapane
