// What the pane tells assistive technology: WM_GETOBJECT is answered with
// an IAccessible document whose name is the page's caption and whose value
// its text, with one child per link (its name, the link role, the default
// action "Jump" that follows it, and the focused link as the focus).
#pragma once

#include <windows.h>

namespace vistapane {

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

// The message by which a default action reaches the window after the
// caller has its answer: wParam is the link.
constexpr UINT kFollowLinkMessage = WM_APP + 1;

}  // namespace vistapane
