#include "app/focus_cycle.h"

#include <map>

#include "app/shell_state.h"
#include "handwriting/win32/handwriting_pad.h"
#include "search/win32/search_bar.h"

namespace {

// The control that last had the focus inside each stop, written when the
// focus leaves a stop by F6 and read when it comes back.
std::map<HWND, HWND>& LastFocus() {
  static std::map<HWND, HWND> last;
  return last;
}

bool Holds(HWND stop, HWND focus) { return focus && (focus == stop || IsChild(stop, focus)); }

// The stop's own window, or the control in it that last had the focus,
// or its first control that takes Tab.
HWND FocusTargetOf(HWND stop) {
  auto found = LastFocus().find(stop);
  if (found != LastFocus().end() && IsWindow(found->second) && IsWindowVisible(found->second) &&
      IsChild(stop, found->second))
    return found->second;
  HWND first = GetNextDlgTabItem(stop, nullptr, FALSE);
  return first && IsChild(stop, first) ? first : stop;
}

}  // namespace

std::vector<HWND> FocusStops() {
  std::vector<HWND> stops;
  if (HWND bar = SearchBarWindow()) stops.push_back(bar);
  if (Shell().browserPane) stops.push_back(Shell().browserPane);
  if (HWND pad = HandwritingPadWindow()) stops.push_back(pad);
  return stops;
}

void CycleFocus(const std::vector<HWND>& stops, int step) {
  if (stops.empty()) return;
  HWND focus = GetFocus();
  long n = static_cast<long>(stops.size());
  long at = -1;
  for (long i = 0; i < n; ++i)
    if (Holds(stops[static_cast<size_t>(i)], focus)) at = i;
  if (at >= 0) LastFocus()[stops[static_cast<size_t>(at)]] = focus;
  long from = at >= 0 ? at : (step > 0 ? -1 : n);
  for (long tried = 0; tried < n; ++tried) {
    from = ((from + (step > 0 ? 1 : -1)) % n + n) % n;
    HWND stop = stops[static_cast<size_t>(from)];
    if (!IsWindow(stop) || !IsWindowVisible(stop) || IsIconic(stop)) continue;
    if (from == at && Holds(stop, focus)) return;
    HWND target = FocusTargetOf(stop);
    SetActiveWindow(stop);
    SetFocus(target);
    if (target != stop) SendMessageW(target, EM_SETSEL, 0, -1);
    return;
  }
}

bool TakeFocusCycleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_F6) return false;
  CycleFocus(FocusStops(), GetKeyState(VK_SHIFT) < 0 ? -1 : +1);
  return true;
}
