#include "vistapane/win32/pane_find.h"

#include <cwchar>
#include <string>

#include "vistapane/pane_texts.h"
#include "vistapane/win32/page_source.h"
#include "vistapane/win32/pane_state.h"
#include "win32/entry_guard.h"

namespace vistapane {
namespace {

enum : int { kFieldId = 1, kNextId = 2, kPreviousId = 3, kStatusId = 4 };

// The find window and its field, made by the first OpenFind and living
// as long as the pane; read by the pane's key handling.
struct FindWindow {
  HWND window = nullptr;
  HWND field = nullptr;
  HWND status = nullptr;
  WNDPROC fieldProc = nullptr;
};

FindWindow& Find() {
  static FindWindow find;
  return find;
}

void SayStatus() {
  FindResults& find = Pane().find;
  if (!Find().status) return;
  std::wstring text;
  if (find.needle.empty()) {
    text.clear();
  } else if (find.matches.empty()) {
    text = kFindNotFound;
  } else {
    wchar_t line[64];
    std::swprintf(line, 64, kFindMatchFormat, find.current + 1, static_cast<int>(find.matches.size()));
    text = line;
  }
  SetWindowTextW(Find().status, text.c_str());
}

// The link whose fragments show the character at `offset`, or -1.
int LinkAtOffset(size_t offset) {
  const PaneState& pane = Pane();
  for (const Fragment& f : pane.layout.fragments)
    if (offset >= f.begin && offset < f.end) return pane.layout.styles[static_cast<size_t>(f.style)].link;
  return -1;
}

// Makes match `index` current: selected and scrolled into view.
void ShowMatch(int index) {
  PaneState& pane = Pane();
  pane.find.current = index;
  if (index >= 0) {
    const TextRange& match = pane.find.matches[static_cast<size_t>(index)];
    pane.anchor = match.begin;
    pane.caret = match.end;
    ScrollIntoView(match.begin, match.end);
    // As in a browser, a match inside a link gives the link the focus:
    // Enter then follows it, and the context menu is about it.
    pane.focusedLink = LinkAtOffset(match.begin);
  }
  Redraw();
  SayStatus();
}

// Where stepping starts: after the current match, else at the selection
// (or the top of the view when nothing is selected).
size_t StepStart(bool forward) {
  PaneState& pane = Pane();
  const FindResults& find = pane.find;
  if (find.current >= 0 && static_cast<size_t>(find.current) < find.matches.size()) {
    const TextRange& m = find.matches[static_cast<size_t>(find.current)];
    return forward ? m.begin + 1 : m.begin;
  }
  if (pane.anchor != pane.caret) return std::min(pane.anchor, pane.caret);
  return OffsetAtTop(pane.layout, pane.scrollY);
}

// The field's text changed: found again from where the current match begins.
void OnFieldChange() {
  PaneState& pane = Pane();
  int length = GetWindowTextLengthW(Find().field);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(Find().field, &text[0], length + 1);
  text.resize(static_cast<size_t>(length));
  size_t from = StepStart(false);
  pane.find.needle = CodePointsFromWide(text);
  pane.find.matches = FindAll(pane.layout.text, pane.find.needle);
  pane.find.current = -1;
  if (pane.find.matches.empty()) pane.anchor = pane.caret;
  ShowMatch(MatchFrom(pane.find.matches, from, true));
}

void Hide() {
  PaneState& pane = Pane();
  ShowWindow(Find().window, SW_HIDE);
  pane.find.matches.clear();
  pane.find.current = -1;
  Redraw();
  if (pane.window) SetFocus(pane.window);
}

// The field takes Enter (next), Shift+Enter (previous), F3 and Escape.
LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded(LRESULT{0}, [&]() -> LRESULT {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_F3)) {
      FindAgain(!shift);
      return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
      Hide();
      return 0;
    }
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 27)) return 0;  // no beep
    return CallWindowProcW(Find().fieldProc, field, message, wParam, lParam);
  });
}

void OnCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kFieldId:
      if (HIWORD(wParam) == EN_CHANGE) OnFieldChange();
      return;
    case kNextId: FindAgain(true); return;
    case kPreviousId: FindAgain(false); return;
    default: return;
  }
}

LRESULT CALLBACK FindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded(LRESULT{0}, [&]() -> LRESULT {
    switch (message) {
      case WM_COMMAND: OnCommand(wParam); return 0;
      case WM_CLOSE: Hide(); return 0;
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) SetFocus(Find().field);
        return 0;
      case WM_DESTROY: Find() = FindWindow(); return 0;
      default: return DefWindowProcW(window, message, wParam, lParam);
    }
  });
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
           int width, int height) {
  HWND child = CreateWindowExW(className == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, className, text,
                               WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y), Scaled(width), Scaled(height),
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

bool MakeWindow() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Pane().window, GWLP_HINSTANCE));
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kFindClassName, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FindProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFindClassName;
    if (!RegisterClassExW(&wc)) return false;
  }
  RECT frame{0, 0, Scaled(330), Scaled(34)};
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
  RECT client{};
  GetClientRect(Pane().window, &client);
  POINT corner{client.right, client.top};
  ClientToScreen(Pane().window, &corner);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kFindClassName, kFindCaption, style, corner.x - width - Scaled(4),
                                corner.y + Scaled(4), width, height, Pane().window, nullptr, instance, nullptr);
  if (!window) return false;
  FindWindow& find = Find();
  find.window = window;
  find.field = Child(window, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kFieldId, 6, 6, 130, 22);
  Child(window, L"BUTTON", kFindNext, WS_TABSTOP | BS_PUSHBUTTON, kNextId, 142, 6, 56, 22);
  Child(window, L"BUTTON", kFindPrevious, WS_TABSTOP | BS_PUSHBUTTON, kPreviousId, 202, 6, 60, 22);
  find.status = Child(window, L"STATIC", L"", SS_LEFT | SS_CENTERIMAGE, kStatusId, 266, 6, 62, 22);
  find.fieldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(find.field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));
  return true;
}

}  // namespace

void OpenFind() {
  if (!Pane().window) return;
  if (!Find().window && !MakeWindow()) return;
  ShowWindow(Find().window, SW_SHOW);
  SetActiveWindow(Find().window);
  SetFocus(Find().field);
  SendMessageW(Find().field, EM_SETSEL, 0, -1);
  if (!Pane().find.needle.empty()) RefreshFind();
}

void FindAgain(bool forward) {
  PaneState& pane = Pane();
  if (pane.find.needle.empty()) {
    OpenFind();
    return;
  }
  if (pane.find.matches.empty()) pane.find.matches = FindAll(pane.layout.text, pane.find.needle);
  ShowMatch(MatchFrom(pane.find.matches, StepStart(forward), forward));
}

void RefreshFind() {
  PaneState& pane = Pane();
  bool open = Find().window && IsWindowVisible(Find().window);
  pane.find.matches = open ? FindAll(pane.layout.text, pane.find.needle) : std::vector<TextRange>();
  if (pane.find.current >= static_cast<int>(pane.find.matches.size())) pane.find.current = -1;
  SayStatus();
}

void CloseFind() {
  if (Find().window) DestroyWindow(Find().window);
}

}  // namespace vistapane
