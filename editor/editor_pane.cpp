#include "editor/editor_pane.h"

#include <commctrl.h>

#include "app/shell_state.h"
#include "app/text_conversion.h"
#include "editor/caret_position_text.h"
#include "resources/resource.h"

namespace {

constexpr LPARAM kEditorTextLimit = 0xFFFFF;

}  // namespace

HWND CreateEditorPane(HWND parent) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, L"RICHEDIT", L"",
                         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_NOHIDESEL |
                             ES_AUTOVSCROLL | ES_MULTILINE,
                         0, 0, 0, 0, parent, reinterpret_cast<HMENU>(IDC_EDITOR_PANE),
                         Shell().instance, nullptr);
}

void SetUpEditorPane(HWND editor) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE | CFM_COLOR;
  format.dwEffects = CFE_AUTOCOLOR;
  lstrcpynA(format.szFaceName, "Arial Unicode MS", LF_FACESIZE);
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SetFocus(editor);
  LRESULT mask = SendMessageW(editor, EM_GETEVENTMASK, 0, 0);
  SendMessageW(editor, EM_SETEVENTMASK, 0, mask | ENM_SELCHANGE);
  SendMessageW(editor, EM_EXLIMITTEXT, 0, kEditorTextLimit);
}

void NewDocument(HWND editor) {
  SetWindowTextW(editor, L"");
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
}

LRESULT OnEditorSelectionChange(const SELCHANGE* change) {
  HWND editor = change->nmhdr.hwndFrom;
  long start = change->chrg.cpMin, end = change->chrg.cpMax;
  long startLine = static_cast<long>(SendMessageW(editor, EM_LINEFROMCHAR, start, 0));
  long endLine = static_cast<long>(SendMessageW(editor, EM_LINEFROMCHAR, end, 0));
  std::wstring text = WideFromAnsi(CaretPositionText(start, end, startLine, endLine));
  SendMessageW(Shell().statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
  return 0;
}
