// The state of the one pane of the process and the window's shared
// helpers, for the files that make up the pane window: the window itself
// (pane_window.cpp), the focus ring, find in page, the context menu and
// the accessible object.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "vistapane/document.h"
#include "vistapane/find_in_page.h"
#include "vistapane/layout.h"
#include "vistapane/page_links.h"
#include "vistapane/win32/gdi_fonts.h"
#include "vistapane/win32/history_heap.h"
#include "vistapane/win32/page_source.h"

namespace vistapane {

// A page of the history. The entries far from the current one drop their
// document and their bytes (history_memory.h) and are read again when shown;
// their path and caption stay, in the history's own heap (history_heap.h).
struct HistoryEntry {
  HistoryText path;  // a full path, or "about:blank"
  HistoryText caption;
  PageSource source;
  std::shared_ptr<const Document> document;  // null when dropped
  size_t documentBytes = 0;                  // its DocumentBytes
  size_t topOffset = 0;  // the first character shown when the entry was left
};

// The text being found in the page and where it occurs in the layout.
struct FindResults {
  std::u32string needle;
  std::vector<TextRange> matches;
  int current = -1;
};

// The one pane of the process: created by OpenBrowser, used by the other
// exports and the window procedure, all on the user-interface thread.
struct PaneState {
  HWND window = nullptr;
  std::unique_ptr<GdiFonts> fonts;
  std::vector<HistoryEntry> history;
  size_t current = 0;
  int level = 2;
  int pixelsPerInch = 96;  // the display's, read when the pane is made
  Layout layout;
  int layoutWidth = 0;  // the client width the layout was made for
  int scrollX = 0;
  int scrollY = 0;
  size_t anchor = 0;  // selection: from anchor to caret
  size_t caret = 0;
  bool selecting = false;
  int pressedLink = -1;
  POINT pressPoint{};
  LinkFragments links;   // of `layout`, made with it
  int focusedLink = -1;  // the link the keyboard is on, -1 for none
  FindResults find;
};

PaneState& Pane();

SIZE ClientSize();
// A length given at 96 pixels per inch, on this display.
int Scaled(int pixels);
void ScrollTo(int x, int y);
// Scrolls as little as shows the characters text[begin, end).
void ScrollIntoView(size_t begin, size_t end);
void Redraw();

// Follows a link as a click on it does.
void FollowLink(int link);
// The selection, or any text, put on the clipboard as Unicode and as
// plain text in the system's code page; line feeds become CR LF.
void CopySelection();
void PutOnClipboard(const std::u32string& text);
void SelectAll();

}  // namespace vistapane
