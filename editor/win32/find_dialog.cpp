#include "editor/win32/find_dialog.h"

#include <dlgs.h>
#include <richedit.h>

#include "editor/editor_texts.h"
#include "win32/entry_guard.h"

namespace {

constexpr WORD kFindTextRoom = 128;

// Process-wide: the request the dialog writes into, and the open dialog.
struct FindState {
  FINDREPLACEW request{};
  wchar_t text[kFindTextRoom] = L"";
  HWND dialog = nullptr;
};

FindState& Find() {
  static FindState state;
  return state;
}

// Wine's Find dialog passes its text through the ANSI code page, where
// every Han character becomes "?". Its field gets the kept search text as
// UTF-16 when the dialog opens, and the search reads the field itself;
// a field that is an ANSI window is first replaced by a Unicode edit
// control in the same place, with the same style and font. The hook
// answers TRUE: the dialog is shown and its first field has the focus.
UINT_PTR UnguardedFindDialogHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  HWND field = GetDlgItem(dialog, edt1);
  if (!field) return TRUE;
  if (!IsWindowUnicode(field)) {
    RECT place;
    GetWindowRect(field, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    HWND edit = CreateWindowExW(static_cast<DWORD>(GetWindowLongW(field, GWL_EXSTYLE)), L"Edit", L"",
                                static_cast<DWORD>(GetWindowLongW(field, GWL_STYLE)), place.left, place.top,
                                place.right - place.left, place.bottom - place.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(edt1)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (edit) {
      SendMessageW(edit, WM_SETFONT, SendMessageW(field, WM_GETFONT, 0, 0), FALSE);
      SetWindowPos(edit, field, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      DestroyWindow(field);
      field = edit;
    }
  }
  SendMessageW(field, EM_LIMITTEXT, kFindTextRoom - 1, 0);
  SetWindowTextW(field, Find().text);
  return TRUE;
}

UINT_PTR CALLBACK FindDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<UINT_PTR>(0, [&] { return UnguardedFindDialogHook(dialog, message, wParam, lParam); });
}

// The search text as the user typed it, kept for the next dialog.
const wchar_t* SearchText(const FINDREPLACEW* request) {
  FindState& find = Find();
  HWND field = find.dialog ? GetDlgItem(find.dialog, edt1) : nullptr;
  if (!field) return request->lpstrFindWhat;
  GetWindowTextW(field, find.text, kFindTextRoom);
  return find.text;
}

// The last match that starts before `before`, found with the control's own
// matching (case, whole words) from the start of the text onwards: the
// rich edit control of version 1.0 searches downwards whatever it is asked.
LRESULT FindUpwards(HWND editor, DWORD flags, FINDTEXTEXW& search, LONG before) {
  LRESULT last = -1;
  CHARRANGE lastText{};
  for (LONG from = 0; from < before; ++from) {
    search.chrg.cpMin = from;
    search.chrg.cpMax = -1;
    LRESULT found = SendMessageW(editor, EM_FINDTEXTEXW, flags | FR_DOWN, reinterpret_cast<LPARAM>(&search));
    if (found < 0 || found >= before) break;
    last = found;
    lastText = search.chrgText;
    from = static_cast<LONG>(found);
  }
  search.chrgText = lastText;
  return last;
}

}  // namespace

void ResetFindText() { Find().text[0] = L'\0'; }

void OpenFindDialog(HWND mainWindow) {
  FindState& find = Find();
  if (find.dialog) {
    SetFocus(find.dialog);
    return;
  }
  find.request = FINDREPLACEW{};
  find.request.lStructSize = sizeof find.request;
  find.request.hwndOwner = mainWindow;
  find.request.lpstrFindWhat = find.text;
  find.request.wFindWhatLen = kFindTextRoom;
  find.request.Flags = FR_DOWN | FR_ENABLEHOOK;
  find.request.lpfnHook = FindDialogHook;
  find.dialog = FindTextW(&find.request);
}

LRESULT OnFindReplace(HWND mainWindow, HWND editor, const FINDREPLACEW* request) {
  if (request->Flags & FR_FINDNEXT) {
    CHARRANGE selection{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    FINDTEXTEXW search{};
    search.lpstrText = SearchText(request);
    DWORD flags = request->Flags & (FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD);
    LRESULT found = -1;
    if (flags & FR_DOWN) {
      search.chrg.cpMin = selection.cpMin + 1;
      search.chrg.cpMax = -1;
      found = SendMessageW(editor, EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&search));
    } else {
      found = FindUpwards(editor, flags, search, selection.cpMin);
    }
    if (found >= 0)
      SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&search.chrgText));
    else
      MessageBoxW(mainWindow, kTextNotFound, kFindCaption, MB_OK | MB_ICONINFORMATION);
  }
  if (request->Flags & FR_DIALOGTERM) Find().dialog = nullptr;
  return 0;
}
