#include "app/main_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include "app/commands.h"
#include "app/data_loading.h"
#include "app/owned_windows.h"
#include "app/page_display.h"
#include "app/shell_state.h"
#include "app/shell_texts.h"
#include "editor/win32/editor_pane.h"
#include "editor/win32/find_dialog.h"
#include "editor/win32/printing.h"
#include "resources/resource.h"
#include "search/win32/page_files.h"
#include "search/win32/search_bar.h"
#include "win32/entry_guard.h"
#include "win32/text_conversion.h"
#include "win32/vistapane.h"
#include "win32/wait_cursor.h"
#include "win32/work_area.h"

namespace {

std::wstring CurrentDirectory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring directory(size, L'\0');
  DWORD length = GetCurrentDirectoryW(size, &directory[0]);
  directory.resize(length < size ? length : 0);
  return directory;
}

HWND CreateStatusBar(HWND window) {
  return CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM,
                         0, 0, 0, 0, window, reinterpret_cast<HMENU>(IDC_STATUS_BAR), Shell().instance,
                         nullptr);
}

void OpenBrowserPane(HWND window) {
  WaitCursor wait;
  ShellState& shell = Shell();
  shell.paneOpen = OpenBrowser(window, &shell.browserPane);
  if (shell.paneOpen) OpenHtml("about:blank", "");
}

// Moves an owned pop-up to a screen position, keeping its size and z-order
// and leaving the active window and the focus where they are (a layout
// that activated the pop-up it shows would take the focus from the editor
// at start and after every move of the main window).
void MovePopup(HWND popup, int x, int y) {
  SetWindowPos(popup, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

RECT ClientRectOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// The pane's first place: the client area between the search bar and the
// status bar, by their actual heights, which grow with the display scale.
void PlaceBrowserPane(HWND window) {
  ShellState& shell = Shell();
  if (!shell.browserPane) return;
  RECT client = ClientRectOnScreen(window);
  int top = client.top;
  if (HWND searchBar = SearchBarWindow()) {
    RECT bar;
    GetWindowRect(searchBar, &bar);
    top += bar.bottom - bar.top;
  }
  int bottom = client.bottom - shell.statusHeight;
  if (bottom <= top) return;
  SetWindowPos(shell.browserPane, nullptr, client.left, top, client.right - client.left, bottom - top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The status bar's second part holds the caret position text; it is as
// wide as the longest such text, so the text is always in view.
int CaretPartWidth(HWND statusBar) {
  HDC dc = GetDC(statusBar);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(statusBar, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, kLongestCaretText, lstrlenW(kLongestCaretText), &extent);
  SelectObject(dc, old);
  ReleaseDC(statusBar, dc);
  return extent.cx + 2 * GetSystemMetrics(SM_CXVSCROLL);
}

LRESULT OnCreate(HWND window) {
  ShellState& shell = Shell();
  // The system's default place may leave the bottom off a small screen;
  // the pane and the search bar are placed by the client area that results.
  FitToWorkArea(window);
  InitCommonControls();
  WatchOwnedWindowStacking(window);
  shell.workingDirectory = CurrentDirectory();
  ChoosePageFolder(shell.workingDirectory);
  ResetFindText();
  shell.findReplaceMessage = RegisterWindowMessageW(FINDMSGSTRINGW);
  shell.richEditLibrary = LoadLibraryW(L"RICHED32.DLL");
  shell.editorPane = CreateEditorPane(shell.instance, window);
  CreateSearchBar(shell.instance, window, shell.tables);
  AddSearchMenuItems(GetMenu(window), IDM_KANGXI_RADICALS);
  shell.statusBar = CreateStatusBar(window);
  shell.richTextFormat = RegisterClipboardFormatW(L"Rich Text Format");
  if (shell.editorPane) SetUpEditorPane(shell.editorPane);

  LoadEmbeddedTexts(shell.instance, shell.tables);
  LoadStrokeFile(shell.workingDirectory, shell.tables);
  LoadUnihanFile(shell.workingDirectory, shell.tables);
  LoadWordsFile(shell.workingDirectory, shell.tables);
  LoadComponentFiles(shell.workingDirectory, shell.tables);
  IndexTables(shell.tables);
  PrepareSearchBar();

  OpenBrowserPane(window);
  SendMessageW(window, WM_COMMAND, IDM_NEW, 0);
  if (shell.statusBar) {
    RECT status;
    GetClientRect(shell.statusBar, &status);
    shell.statusHeight = status.bottom - status.top;
  }
  if (HWND searchBar = SearchBarWindow()) {
    RECT client = ClientRectOnScreen(window);
    MovePopup(searchBar, client.left, client.top);
  }
  PlaceBrowserPane(window);
  WriteRadicalsIndex();
  return 0;
}

LRESULT OnLayout(HWND window) {
  ShellState& shell = Shell();
  // A minimised window has no client area to follow: the owned windows
  // keep their places, hidden with it, until it is restored.
  if (IsIconic(window)) return 0;
  RECT client = ClientRectOnScreen(window);
  RECT outer;
  GetWindowRect(window, &outer);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;

  if (HWND searchBar = SearchBarWindow()) MovePopup(searchBar, client.left, client.top);
  if (shell.browserPane) {
    RECT pane;
    GetWindowRect(shell.browserPane, &pane);
    MovePopup(shell.browserPane, client.right - (pane.right - pane.left),
              client.bottom - (pane.bottom - pane.top) - shell.statusHeight);
  }
  if (shell.statusBar) {
    MoveWindow(shell.statusBar, 0, height - shell.statusHeight, width, height, FALSE);
    int clientWidth = client.right - client.left;
    int parts[2] = {clientWidth - CaretPartWidth(shell.statusBar), -1};
    if (parts[0] < 0) parts[0] = 0;
    SendMessageW(shell.statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  }
  return 0;
}

// Windows hides the owned windows of an active window that is minimised
// and shows them again on restore; the same whichever way the window was
// minimised, active or not.
LRESULT OnSize(HWND window, WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    ShowOwnedPopups(window, FALSE);
    return 0;
  }
  ShowOwnedPopups(window, TRUE);
  return OnLayout(window);
}

// The main window passes the keyboard focus on to its editor whenever it
// is given it: as it is activated at start and after another window.
LRESULT OnSetFocus() {
  if (Shell().editorPane) SetFocus(Shell().editorPane);
  return 0;
}

LRESULT OnDestroy() {
  ShellState& shell = Shell();
  StopWatchingOwnedWindowStacking();
  FreePrintSettings();
  if (shell.editorPane) DestroyWindow(shell.editorPane);
  DeleteLastPageFile();
  if (!shell.radicalsIndexPath.empty()) DeleteFileW(shell.radicalsIndexPath.c_str());
  PostQuitMessage(0);
  return 0;
}

bool AskYesNo(HWND owner, const wchar_t* question) {
  return MessageBoxW(owner, question, kLogodexCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

LRESULT OnNotify(HWND window, const NMHDR* header) {
  switch (header->code) {
    case EN_SELCHANGE: return OnEditorSelectionChange(reinterpret_cast<const SELCHANGE*>(header), Shell().statusBar);
    case EN_STOPNOUNDO: return AskYesNo(window, kTooBigForUndoQuestion) ? 0 : 1;
    case EN_SAVECLIPBOARD: return AskYesNo(window, kKeepClipboardQuestion) ? 0 : 1;
    default: return 0;
  }
}

}  // namespace

LRESULT UnguardedMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_SIZE: return OnSize(window, wParam);
    case WM_MOVE: return OnLayout(window);
    case WM_SETFOCUS: return OnSetFocus();
    case WM_TIMER: return wParam == kStartRestackTimer ? OnStartRestackTimer(window) : 0;
    case WM_DESTROY: return OnDestroy();
    case kRestackOwnedWindowsMessage: return RestackOwnedWindows(window);
    case WM_NOTIFY: return OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam));
    case WM_INITMENUPOPUP: return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
    default:
      if (message != 0 && message == Shell().findReplaceMessage)
        return OnFindReplace(window, Shell().editorPane, reinterpret_cast<const FINDREPLACEW*>(lParam));
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedMainWindowProc(window, message, wParam, lParam); });
}
