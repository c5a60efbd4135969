#include "search/win32/unihan_box_window.h"

#include "resources/resource.h"
#include "win32/entry_guard.h"

namespace {

struct BoxTexts {
  const std::wstring* caption;
  std::wstring text;  // lines ended by CR LF, as the edit control shows them
  HFONT font;         // the message boxes' font, which reaches the Chinese fonts
};

LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

RECT WorkArea() {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// The height a message box needs for the text, estimated on the high side:
// the text as the box's font wraps it at the width of 36 average
// characters (message boxes wrap at about that width or wider), the
// caption, the frame, the button row and the margins.
int MessageBoxHeight(const std::wstring& text) {
  LOGFONTW logFont = MessageFont();
  HFONT font = CreateFontIndirectW(&logFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT bounds{0, 0, 36 * tm.tmAveCharWidth, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  int line = tm.tmHeight + tm.tmExternalLeading;
  return (bounds.bottom - bounds.top) + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) +
         6 * line;
}

std::wstring WithCrLf(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + text.size() / 40);
  for (wchar_t c : text) {
    if (c == L'\n') out += L'\r';
    out += c;
  }
  return out;
}

// The text fills the client area above a row that holds the OK button.
void LayOut(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  RECT unit{0, 0, 7, 14};
  MapDialogRect(dialog, &unit);
  int margin = unit.right, buttonHeight = unit.bottom;
  HWND button = GetDlgItem(dialog, IDOK);
  RECT buttonRect;
  GetWindowRect(button, &buttonRect);
  int buttonWidth = buttonRect.right - buttonRect.left;
  int buttonTop = client.bottom - margin - buttonHeight;
  MoveWindow(GetDlgItem(dialog, IDC_UNIHAN_LINES), margin, margin, client.right - 2 * margin,
             buttonTop - 2 * margin, TRUE);
  MoveWindow(button, (client.right - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight, TRUE);
}

BOOL OnInitDialog(HWND dialog, const BoxTexts& texts) {
  SetWindowTextW(dialog, texts.caption->c_str());
  HWND lines = GetDlgItem(dialog, IDC_UNIHAN_LINES);
  SendMessageW(lines, EM_LIMITTEXT, 0, 0);
  if (texts.font) SendMessageW(lines, WM_SETFONT, reinterpret_cast<WPARAM>(texts.font), FALSE);
  SetWindowTextW(lines, texts.text.c_str());
  RECT area = WorkArea();
  MoveWindow(dialog, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  LayOut(dialog);
  // The text from its start, nothing selected; the focus on the text so
  // that it scrolls by keyboard, while Enter still reaches OK.
  SendMessageW(lines, EM_SETSEL, 0, 0);
  SetFocus(lines);
  return FALSE;
}

INT_PTR UnguardedUnihanLinesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, *reinterpret_cast<const BoxTexts*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDOK);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK UnihanLinesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(0, [&] { return UnguardedUnihanLinesProc(dialog, message, wParam, lParam); });
}

}  // namespace

void ShowUnihanLines(HINSTANCE instance, const std::wstring& caption, const std::wstring& text) {
  RECT area = WorkArea();
  if (MessageBoxHeight(text) <= area.bottom - area.top) {
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK);
    return;
  }
  LOGFONTW logFont = MessageFont();
  BoxTexts texts{&caption, WithCrLf(text), CreateFontIndirectW(&logFont)};
  DialogBoxParamW(instance, L"UnihanLines", nullptr, UnihanLinesProc, reinterpret_cast<LPARAM>(&texts));
  if (texts.font) DeleteObject(texts.font);
}
