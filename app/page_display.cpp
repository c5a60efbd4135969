#include "app/page_display.h"

#include <memory>

#include "app/shell_state.h"
#include "search/radicals_page.h"
#include "search/search_texts.h"
#include "search/win32/page_files.h"
#include "search/win32/search_bar.h"
#include "win32/program_folder.h"
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
  if (SearchKindOfShowCommand(command) == kPinyinSearch) wait = std::make_unique<WaitCursor>();
  EnsurePaneOpen(window);
  OpenHtml(Utf8FromWide(LastPagePath()).c_str(), SearchStatusText(command).c_str());
}

bool WriteRadicalsIndex() {
  ShellState& shell = Shell();
  std::wstring path;
  if (!WritePageFile(kRadicalsPageFileName, RadicalsIndexPage(shell.tables), path)) return false;
  shell.radicalsIndexPath = path;
  return true;
}

void ShowRadicalsIndex(HWND window) {
  const std::wstring& path = Shell().radicalsIndexPath;
  if (path.empty() || !IsFile(path)) {
    WaitCursor wait;
    if (!WriteRadicalsIndex()) return;
  }
  EnsurePaneOpen(window);
  OpenHtml(Utf8FromWide(Shell().radicalsIndexPath).c_str(), kRadicalsStatusText);
}
