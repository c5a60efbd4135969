#include "vistapane/win32/pane_menu.h"

#include <windowsx.h>

#include <algorithm>

#include "vistapane/layout_style.h"
#include "vistapane/pane_texts.h"
#include "vistapane/win32/pane_focus.h"
#include "vistapane/win32/pane_state.h"
#include "vistapane/win32/pane_window.h"

namespace vistapane {
namespace {

enum : UINT { kCopy = 1, kSelectAll, kBack, kForward, kCopyCharacter, kCopyReference, kCopyCodePoint };

// The character of an insert link, or a Han character itself, at a text
// offset or a link; 0 for anything else.
char32_t CharacterOfLink(int link) {
  const Layout& layout = Pane().layout;
  if (link < 0 || static_cast<size_t>(link) >= layout.links.size()) return 0;
  return InsertLinkCharacter(layout.links[static_cast<size_t>(link)]);
}

char32_t CharacterAt(size_t offset) {
  const Layout& layout = Pane().layout;
  if (offset >= layout.text.size()) return 0;
  return IsIdeograph(layout.text[offset]) ? layout.text[offset] : 0;
}

// What the menu is about: the character under the point (or its link's),
// from the keyboard the focused link's or the selected one's, and where the
// menu opens on the screen.
struct MenuPlace {
  POINT screen{};
  char32_t character = 0;
};

MenuPlace PlaceOf(HWND window, LPARAM lParam) {
  PaneState& pane = Pane();
  MenuPlace place;
  if (lParam != -1) {
    place.screen = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT p = place.screen;
    ScreenToClient(window, &p);
    int x = p.x + pane.scrollX, y = p.y + pane.scrollY;
    place.character = CharacterOfLink(LinkAt(pane.layout, x, y));
    if (!place.character) {
      size_t offset = OffsetAt(pane.layout, x, y);
      // OffsetAt gives the offset before the nearer edge: the character
      // under the point is the one it starts, or the one before it.
      place.character = CharacterAt(offset);
      if (!place.character && offset > 0) place.character = CharacterAt(offset - 1);
    }
    return place;
  }
  TextRange focus = FocusedLinkRange();
  size_t at = focus.begin < focus.end ? focus.begin : std::min(pane.anchor, pane.caret);
  if (focus.begin < focus.end) {
    place.character = CharacterOfLink(pane.focusedLink);
  } else if (std::max(pane.anchor, pane.caret) - at == 1) {
    place.character = CharacterAt(at);
  }
  POINT p{8, 8};
  for (const Fragment& f : pane.layout.fragments) {
    if (f.end <= at) continue;
    p = POINT{XOfOffset(pane.layout, f, std::max(at, f.begin)) - pane.scrollX,
              pane.layout.lines[f.line].top + pane.layout.lines[f.line].height - pane.scrollY};
    break;
  }
  SIZE client = ClientSize();
  p.x = std::clamp<LONG>(p.x, 0, client.cx);
  p.y = std::clamp<LONG>(p.y, 0, client.cy);
  ClientToScreen(window, &p);
  place.screen = p;
  return place;
}

}  // namespace

void ShowContextMenu(HWND window, LPARAM lParam) {
  PaneState& pane = Pane();
  MenuPlace place = PlaceOf(window, lParam);
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  bool selection = pane.anchor != pane.caret;
  AppendMenuW(menu, MF_STRING | (selection ? 0 : MF_GRAYED), kCopy, kMenuCopy);
  AppendMenuW(menu, MF_STRING, kSelectAll, kMenuSelectAll);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | (pane.current > 0 ? 0 : MF_GRAYED), kBack, kMenuBack);
  AppendMenuW(menu, MF_STRING | (pane.current + 1 < pane.history.size() ? 0 : MF_GRAYED), kForward, kMenuForward);
  if (place.character) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kCopyCharacter, kMenuCopyCharacter);
    AppendMenuW(menu, MF_STRING, kCopyReference, kMenuCopyReference);
    AppendMenuW(menu, MF_STRING, kCopyCodePoint, kMenuCopyCodePoint);
  }
  UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                 place.screen.x, place.screen.y, 0, window, nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case kCopy: CopySelection(); return;
    case kSelectAll: SelectAll(); return;
    case kBack: StepHistory(-1); return;
    case kForward: StepHistory(+1); return;
    case kCopyCharacter: PutOnClipboard(std::u32string(1, place.character)); return;
    case kCopyReference: PutOnClipboard(CharacterReference(place.character)); return;
    case kCopyCodePoint: PutOnClipboard(CodePointName(place.character)); return;
    default: return;
  }
}

}  // namespace vistapane
