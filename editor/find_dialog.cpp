#include "editor/find_dialog.h"

#include <richedit.h>

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
  find.request.Flags = FR_DOWN;
  find.dialog = FindTextW(&find.request);
}

LRESULT OnFindReplace(HWND mainWindow, HWND editor, const FINDREPLACEW* request) {
  if (request->Flags & FR_FINDNEXT) {
    CHARRANGE selection{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    FINDTEXTEXW search{};
    search.chrg.cpMin = selection.cpMin + 1;
    search.chrg.cpMax = -1;
    search.lpstrText = request->lpstrFindWhat;
    LRESULT found = SendMessageW(editor, EM_FINDTEXTEXW, request->Flags, reinterpret_cast<LPARAM>(&search));
    if (found >= 0)
      SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&search.chrgText));
    else
      MessageBoxW(mainWindow, L"Text not found.", L"Find", MB_OK | MB_ICONINFORMATION);
  }
  if (request->Flags & FR_DIALOGTERM) Find().dialog = nullptr;
  return 0;
}
