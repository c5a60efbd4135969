#include "vistapane/win32/pane_focus.h"

#include <oleacc.h>

#include "vistapane/win32/pane_state.h"

namespace vistapane {

void FocusLink(int link) {
  PaneState& pane = Pane();
  if (link >= static_cast<int>(pane.links.size())) link = -1;
  pane.focusedLink = link;
  if (link >= 0) {
    TextRange range = FocusedLinkRange();
    ScrollIntoView(range.begin, range.end);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, pane.window, OBJID_CLIENT, link + 1);
  }
  Redraw();
}

void MoveLinkFocus(int step) { FocusLink(StepLink(Pane().links, Pane().focusedLink, step)); }

bool FollowFocusedLink() {
  PaneState& pane = Pane();
  int link = pane.focusedLink;
  if (link < 0) return false;
  // As after a click: the selection collapses, then the link is followed.
  pane.anchor = pane.caret;
  Redraw();
  FollowLink(link);
  return true;
}

TextRange FocusedLinkRange() {
  PaneState& pane = Pane();
  if (pane.focusedLink < 0 || static_cast<size_t>(pane.focusedLink) >= pane.links.size()) return {};
  const std::vector<size_t>& fragments = pane.links[static_cast<size_t>(pane.focusedLink)];
  if (fragments.empty()) return {};
  return {pane.layout.fragments[fragments.front()].begin, pane.layout.fragments[fragments.back()].end};
}

void DrawFocusRing(HDC dc, int scrollX, int scrollY) {
  PaneState& pane = Pane();
  if (pane.focusedLink < 0 || GetFocus() != pane.window) return;
  if (static_cast<size_t>(pane.focusedLink) >= pane.links.size()) return;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  for (size_t f : pane.links[static_cast<size_t>(pane.focusedLink)]) {
    const Fragment& fragment = pane.layout.fragments[f];
    const Line& line = pane.layout.lines[fragment.line];
    RECT r{fragment.x - scrollX - 1, line.top - scrollY, fragment.x + fragment.width - scrollX + 1,
           line.top + line.height - scrollY};
    DrawFocusRect(dc, &r);
  }
}

}  // namespace vistapane
