#include "editor/win32/editor_pane.h"

#include <commctrl.h>

#include <string>

#include "chardb/utf16.h"
#include "editor/caret_position_text.h"
#include "resources/resource.h"
#include "win32/entry_guard.h"
#include "win32/text_conversion.h"

namespace {

constexpr LPARAM kEditorTextLimit = 0xFFFFF;
constexpr UINT kUtf16CodePage = 1200;
constexpr wchar_t kPendingSurrogate[] = L"Logodex.PendingSurrogate";
constexpr wchar_t kControlProcedure[] = L"Logodex.ControlProcedure";

LRESULT SetPaneText(HWND editor, DWORD flags, const wchar_t* text) {
  SETTEXTEX how{flags, kUtf16CodePage};
  return SendMessageW(editor, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text ? text : L""));
}

// A typed character beyond ASCII replaces the selection as UTF-16; the
// first half of a surrogate pair waits for the second.
LRESULT OnPaneCharacter(HWND editor, wchar_t c) {
  wchar_t pending = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(RemovePropW(editor, kPendingSurrogate)));
  if (IsHighSurrogate(c)) {
    SetPropW(editor, kPendingSurrogate, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(c)));
    return 0;
  }
  wchar_t text[3] = {pending, c, L'\0'};
  SetPaneText(editor, ST_SELECTION | ST_KEEPUNDO, pending ? text : text + 1);
  return 0;
}

CHARRANGE PaneSelection(HWND editor) {
  CHARRANGE selection{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return selection;
}

std::wstring PaneText(HWND editor) {
  int length = GetWindowTextLengthW(editor);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(editor, &text[0], length + 1)));
  return text;
}

// Whether `at` falls between the two halves of a surrogate pair.
bool SplitsPair(const std::wstring& text, LONG at) {
  std::size_t place = static_cast<std::size_t>(at);
  return at > 0 && place < text.size() && IsHighSurrogate(text[place - 1]) && IsLowSurrogate(text[place]);
}

// Backspace and Delete beside a surrogate pair take the whole pair: the
// caret's pair becomes the selection, which the control then deletes.
void SelectPairToDelete(HWND editor, bool backward) {
  CHARRANGE selection = PaneSelection(editor);
  if (selection.cpMin != selection.cpMax) return;
  std::wstring text = PaneText(editor);
  LONG half = backward ? selection.cpMin - 1 : selection.cpMin + 1;
  if (!SplitsPair(text, half)) return;
  CHARRANGE pair = backward ? CHARRANGE{half - 1, selection.cpMin} : CHARRANGE{selection.cpMin, half + 1};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&pair));
}

// The control's keys move the caret and the ends of the selection by
// UTF-16 units. An end that a key left inside a surrogate pair goes on to
// the pair's far side, the way it was moving: the control is given the
// arrow key of that direction once more, so that the anchor stays where it
// was (the rich edit control keeps the caret at the end of any selection
// it is given). Word moves (Ctrl held) have the caret put past the pair.
void KeepSelectionOnCharacters(HWND editor, WNDPROC control, const CHARRANGE& before, LPARAM flags) {
  CHARRANGE after = PaneSelection(editor);
  if (after.cpMin == before.cpMin && after.cpMax == before.cpMax) return;
  std::wstring text = PaneText(editor);
  bool startMoved = after.cpMin != before.cpMin;
  LONG moved = startMoved && after.cpMin != after.cpMax && after.cpMax == before.cpMax ? after.cpMin : after.cpMax;
  if (after.cpMin == after.cpMax) moved = after.cpMin;
  if (!SplitsPair(text, moved)) return;
  LONG was = moved == after.cpMin && startMoved ? before.cpMin : before.cpMax;
  bool forward = moved > was || (moved == was && moved > before.cpMin);
  if (GetKeyState(VK_CONTROL) < 0) {
    LONG whole = forward ? moved + 1 : moved - 1;
    CHARRANGE caret{whole, whole};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    return;
  }
  CallWindowProcW(control, editor, WM_KEYDOWN, forward ? VK_RIGHT : VK_LEFT, flags);
}

LRESULT OnPaneKey(HWND editor, WNDPROC control, WPARAM key, LPARAM flags) {
  CHARRANGE before = PaneSelection(editor);
  if (key == VK_BACK || key == VK_DELETE) SelectPairToDelete(editor, key == VK_BACK);
  LRESULT result = CallWindowProcW(control, editor, WM_KEYDOWN, key, flags);
  KeepSelectionOnCharacters(editor, control, before, flags);
  return result;
}

// Wine's "RICHEDIT" class is an ANSI window: text passed through its
// window messages as characters goes through the ANSI code page, and every
// Han character becomes "?". Subclassed with a Unicode window procedure
// (SetWindowSubclass would keep it ANSI), the pane is a Unicode window that
// moves its text in and out through the messages that carry UTF-16
// whatever the window's character set.
LRESULT UnguardedUnicodePaneProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC control = reinterpret_cast<WNDPROC>(GetPropW(editor, kControlProcedure));
  switch (message) {
    case WM_CHAR:
      if (wParam >= 0x80) return OnPaneCharacter(editor, static_cast<wchar_t>(wParam));
      break;
    case WM_KEYDOWN: return OnPaneKey(editor, control, wParam, lParam);
    case WM_SETTEXT: return SetPaneText(editor, ST_DEFAULT, reinterpret_cast<const wchar_t*>(lParam));
    case WM_GETTEXTLENGTH: {
      GETTEXTLENGTHEX how{GTL_USECRLF | GTL_NUMCHARS, kUtf16CodePage};
      return SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    }
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      GETTEXTEX how{static_cast<DWORD>(wParam * sizeof(wchar_t)), GT_USECRLF, kUtf16CodePage, nullptr, nullptr};
      return SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how), lParam);
    }
    case WM_NCDESTROY:
      RemovePropW(editor, kPendingSurrogate);
      RemovePropW(editor, kControlProcedure);
      SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
      break;
    default: break;
  }
  return CallWindowProcW(control, editor, message, wParam, lParam);
}

LRESULT CALLBACK UnicodePaneProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedUnicodePaneProc(editor, message, wParam, lParam); });
}

}  // namespace

HWND CreateEditorPane(HINSTANCE instance, HWND parent) {
  HWND editor = CreateWindowExW(WS_EX_CLIENTEDGE, L"RICHEDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_NOHIDESEL |
                                    ES_AUTOVSCROLL | ES_MULTILINE,
                                0, 0, 0, 0, parent, reinterpret_cast<HMENU>(IDC_EDITOR_PANE),
                                instance, nullptr);
  if (editor) {
    SetPropW(editor, kControlProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(editor, GWLP_WNDPROC)));
    SetWindowLongPtrW(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UnicodePaneProc));
  }
  return editor;
}

void SetUpEditorPane(HWND editor) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE | CFM_COLOR;
  format.dwEffects = CFE_AUTOCOLOR;
  lstrcpynA(format.szFaceName, "Arial Unicode MS", LF_FACESIZE);
  // The control's default format too (under Wine a bold "System"): text
  // after New and text that an RTF file leaves unformatted start from it.
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SetFocus(editor);
  LRESULT mask = SendMessageW(editor, EM_GETEVENTMASK, 0, 0);
  SendMessageW(editor, EM_SETEVENTMASK, 0, mask | ENM_SELCHANGE);
  SendMessageW(editor, EM_EXLIMITTEXT, 0, kEditorTextLimit);
  // The pane has no width: wrapped to it, every character would be a line
  // of its own. Unwrapped, its lines are the document's paragraphs, which
  // the caret position text counts.
  SendMessageW(editor, EM_SETTARGETDEVICE, 0, 1);
}

void NewDocument(HWND editor) {
  SetWindowTextW(editor, L"");
  SendMessageW(editor, EM_SETMODIFY, FALSE, 0);
}

LRESULT OnEditorSelectionChange(const SELCHANGE* change, HWND statusBar) {
  HWND editor = change->nmhdr.hwndFrom;
  long start = change->chrg.cpMin, end = change->chrg.cpMax;
  long startLine = static_cast<long>(SendMessageW(editor, EM_LINEFROMCHAR, start, 0));
  long endLine = static_cast<long>(SendMessageW(editor, EM_LINEFROMCHAR, end, 0));
  std::wstring text = WideFromAnsi(CaretPositionText(start, end, startLine, endLine));
  SendMessageW(statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
  return 0;
}
