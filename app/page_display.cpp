#include "app/page_display.h"

#include <memory>

#include "app/shell_state.h"
#include "resources/resource.h"
#include "search/search_texts.h"
#include "search/win32/search_bar.h"
#include "win32/text_conversion.h"
#include "win32/vistapane.h"
#include "win32/wait_cursor.h"

namespace {

// A pane that could not be opened before is tried again at each page.
void EnsurePaneOpen(HWND window) {
  ShellState& shell = Shell();
  if (!shell.paneOpen) shell.paneOpen = OpenBrowser(window, &shell.browserPane);
}

}  // namespace

void ShowSearchPage(HWND window, int command) {
  std::unique_ptr<WaitCursor> wait;
  if (command == IDM_SHOW_PINYIN) wait = std::make_unique<WaitCursor>();
  EnsurePaneOpen(window);
  OpenHtml(Utf8FromWide(LastPagePath()).c_str(), SearchStatusText(command).c_str());
}

void ShowRadicalsIndex(HWND window) {
  EnsurePaneOpen(window);
  OpenHtml(Utf8FromWide(Shell().radicalsIndexPath).c_str(), kRadicalsStatusText);
}
