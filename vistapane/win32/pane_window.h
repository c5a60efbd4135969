// The pane window: an owned pop-up with a caption, a sizing border and
// scroll bars, showing one entry of its history of documents.
#pragma once

#include <windows.h>

#include <string>

namespace vistapane {

// Creates the pane over the parent's client area (below the search bar,
// above the status bar); false when the window cannot be made.
bool CreatePane(HWND parent, HWND* pane);
// Shows "about:blank" or a file as a new history entry, at the top.
void ShowTarget(const std::string& target, const std::string& caption);
// Moves `delta` entries back (-1) or forward (+1) in the history.
void StepHistory(int delta);
// Text size level 0..4 (see TextScalePercent); keeps the place.
void SetTextLevel(int level);

}  // namespace vistapane
