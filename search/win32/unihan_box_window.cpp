#include "search/win32/unihan_box_window.h"

#include <algorithm>
#include <vector>

#include "resources/resource.h"
#include "win32/entry_guard.h"
#include "win32/work_area.h"

namespace {

struct BoxTexts {
  const std::wstring* caption;
  std::wstring text;  // lines ended by CR LF, as the edit control shows them
  HFONT font;         // BoxFont, which reaches the Chinese fonts
};

LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

// The faces the system links to the face (its font links), in order: the
// value of the face under SystemLink holds entries "file,face[,scales]".
std::vector<std::wstring> LinkedFaces(const wchar_t* face) {
  const wchar_t* key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, face, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
    return {};
  std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, face, RRF_RT_REG_MULTI_SZ, nullptr, &data[0], &bytes) != ERROR_SUCCESS)
    return {};
  std::vector<std::wstring> faces;
  for (std::size_t at = 0; at < data.size() && data[at];) {
    std::size_t end = std::min(data.find(L'\0', at), data.size());
    std::size_t comma = data.find(L',', at);
    if (comma < end) faces.push_back(data.substr(comma + 1, std::min(data.find(L',', comma + 1), end) - comma - 1));
    at = end + 1;
  }
  return faces;
}

// Whether the font has a glyph of its own for every one of the characters.
bool HoldsAll(HDC dc, const LOGFONTW& logFont, const std::wstring& characters) {
  HFONT font = CreateFontIndirectW(&logFont);
  HGDIOBJ old = SelectObject(dc, font);
  std::vector<WORD> glyphs(characters.size());
  DWORD found = GetGlyphIndicesW(dc, characters.c_str(), static_cast<int>(characters.size()), glyphs.data(),
                                 GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  DeleteObject(font);
  return found != GDI_ERROR && std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
}

// The scrolling box's font: the message boxes' font, or, where its face
// lacks a combining accent of the text, the first face linked to it that
// holds every letter of the text outside the CJK blocks. An edit control
// draws a word with a combining accent by the font's own glyphs (a message
// box draws it through the links): Wine's Tahoma has no such accents, the
// kTang readings have them.
LOGFONTW BoxFont(const std::wstring& text) {
  LOGFONTW logFont = MessageFont();
  std::wstring letters, accents;
  for (wchar_t c : text) {
    if (c < 0x80 || c >= 0x2E80 || letters.find(c) != std::wstring::npos) continue;
    letters += c;
    if (c >= 0x300 && c < 0x370) accents += c;
  }
  if (accents.empty()) return logFont;
  HDC dc = GetDC(nullptr);
  if (!HoldsAll(dc, logFont, accents)) {
    for (const std::wstring& face : LinkedFaces(logFont.lfFaceName)) {
      if (face.empty() || face.size() >= LF_FACESIZE) continue;
      LOGFONTW linked = logFont;
      linked.lfFaceName[face.copy(linked.lfFaceName, LF_FACESIZE - 1)] = L'\0';
      if (HoldsAll(dc, linked, letters)) {
        logFont = linked;
        break;
      }
    }
  }
  ReleaseDC(nullptr, dc);
  return logFont;
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
  RECT area = WorkAreaOf(dialog);
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
  RECT area = WorkAreaOf(nullptr);
  if (MessageBoxHeight(text) <= area.bottom - area.top) {
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK);
    return;
  }
  LOGFONTW logFont = BoxFont(text);
  BoxTexts texts{&caption, WithCrLf(text), CreateFontIndirectW(&logFont)};
  DialogBoxParamW(instance, L"UnihanLines", nullptr, UnihanLinesProc, reinterpret_cast<LPARAM>(&texts));
  if (texts.font) DeleteObject(texts.font);
}
