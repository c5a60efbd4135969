// The keyboard's focus on the page's links: Tab and Shift+Tab move it in
// page order, Enter follows the focused link as a click does, and an
// outline shows it while the pane has the keyboard.
#pragma once

#include <windows.h>

#include "vistapane/find_in_page.h"

namespace vistapane {

// Moves the focus to the next (+1) or previous (-1) link, round the page,
// scrolls it into view and tells assistive technology.
void MoveLinkFocus(int step);
// Puts the focus on `link` (or none for -1), as MoveLinkFocus does.
void FocusLink(int link);
// Enter: follows the focused link; false when no link has the focus.
bool FollowFocusedLink();
// The characters the focused link shows, empty when none has the focus.
TextRange FocusedLinkRange();
// Draws the outline around the focused link's fragments; the DC's origin
// is the client area's.
void DrawFocusRing(HDC dc, int scrollX, int scrollY);

}  // namespace vistapane
