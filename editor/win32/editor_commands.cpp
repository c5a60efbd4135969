#include "editor/win32/editor_commands.h"

#include <algorithm>
#include <string>

#include <commdlg.h>
#include <richedit.h>

#include "editor/win32/font_units.h"
#include "editor/win32/preface_viewer.h"
#include "editor/win32/printing.h"

namespace {

CHARFORMATW SelectionFormat(HWND editor) {
  CHARFORMATW format{};
  format.cbSize = sizeof format;
  SendMessageW(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
  return format;
}

void ApplyToSelection(HWND editor, CHARFORMATW& format) {
  SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool IsInstalledFace(HDC dc, const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The face the system draws the font in: the font's own when installed,
// else the one it stands in with.
void UseDrawnFace(HDC screen, LOGFONTW& font) {
  if (font.lfFaceName[0] && IsInstalledFace(screen, font.lfFaceName)) return;
  HFONT created = CreateFontIndirectW(&font);
  HGDIOBJ previous = SelectObject(screen, created);
  wchar_t face[LF_FACESIZE] = L"";
  if (GetTextFaceW(screen, LF_FACESIZE, face) > 0 && IsInstalledFace(screen, face))
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  SelectObject(screen, previous);
  DeleteObject(created);
}

// The logical font of a character format for the screen of the window.
// What a mixed selection leaves out of the format (its face, its size)
// comes from the control's default format, and a face that is not
// installed gives way to the face the text is drawn in: the font dialog
// opens on the font the text shows.
LOGFONTW FontOfFormat(HWND window, HWND editor, const CHARFORMATW& format) {
  CHARFORMATW standard{};
  standard.cbSize = sizeof standard;
  SendMessageW(editor, EM_GETCHARFORMAT, FALSE, reinterpret_cast<LPARAM>(&standard));
  const CHARFORMATW& sized = (format.dwMask & CFM_SIZE) && format.yHeight > 0 ? format : standard;
  const CHARFORMATW& faced = (format.dwMask & CFM_FACE) && format.szFaceName[0] ? format : standard;
  LOGFONTW font{};
  HDC screen = GetDC(window);
  font.lfHeight = -TwipsToPixels(sized.yHeight, GetDeviceCaps(screen, LOGPIXELSY));
  font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
  font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
  font.lfCharSet = ANSI_CHARSET;
  font.lfPitchAndFamily = faced.bPitchAndFamily;
  lstrcpynW(font.lfFaceName, faced.szFaceName, LF_FACESIZE);
  UseDrawnFace(screen, font);
  ReleaseDC(window, screen);
  return font;
}

}  // namespace

void PasteIntoEditor(HWND mainWindow, HWND editor, UINT richTextFormat) {
  if (OpenClipboard(mainWindow)) {
    IsClipboardFormatAvailable(richTextFormat);
    bool plainText = IsClipboardFormatAvailable(CF_TEXT);
    CloseClipboard();
    SendMessageW(editor, EM_PASTESPECIAL, plainText ? 0 : CF_TEXT, 0);
  }
  SetFocus(editor);
}

void ToggleEffect(HWND editor, DWORD effect) {
  CHARFORMATW format = SelectionFormat(editor);
  format.dwMask = effect;  // CFM_BOLD, CFM_ITALIC and CFM_UNDERLINE equal their CFE_ bits
  format.dwEffects ^= effect;
  ApplyToSelection(editor, format);
  SetFocus(editor);
}

void AlignParagraphs(HWND editor, WORD alignment) {
  PARAFORMAT paragraph{};
  paragraph.cbSize = sizeof paragraph;
  paragraph.dwMask = PFM_ALIGNMENT;
  paragraph.wAlignment = alignment;
  SendMessageW(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
  SetFocus(editor);
}

void SelectAll(HWND editor) {
  CHARRANGE all{0, -1};
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

// The next word by the text itself: past the rest of the word at `from`
// and the white space after it, then up to the next white space.
CHARRANGE NextWordInText(HWND editor, LONG from) {
  int length = GetWindowTextLengthW(editor);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(editor, &text[0], length + 1)));
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
  std::size_t at = std::min(static_cast<std::size_t>(std::max<LONG>(from, 0)), text.size());
  while (at < text.size() && !blank(text[at])) ++at;
  while (at < text.size() && blank(text[at])) ++at;
  std::size_t end = at;
  while (end < text.size() && !blank(text[end])) ++end;
  return CHARRANGE{static_cast<LONG>(at), static_cast<LONG>(end)};
}

void SelectNextWord(HWND editor) {
  CHARRANGE selection{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  CHARRANGE word{};
  word.cpMin = static_cast<LONG>(SendMessageW(editor, EM_FINDWORDBREAK, WB_RIGHT, selection.cpMax));
  word.cpMax = static_cast<LONG>(SendMessageW(editor, EM_FINDWORDBREAK, WB_RIGHTBREAK, word.cpMin));
  // Wine's rich edit answers these word breaks with 0; the word is then
  // found in the text, so the command never stands still.
  if (word.cpMin <= selection.cpMax && word.cpMax <= word.cpMin) word = NextWordInText(editor, selection.cpMax);
  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word));
}

void ChooseEditorFont(HWND mainWindow, HWND editor) {
  CHARFORMATW current = SelectionFormat(editor);
  LOGFONTW font = FontOfFormat(mainWindow, editor, current);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = mainWindow;
  dialog.hDC = PrinterDeviceContext();
  dialog.lpLogFont = &font;
  dialog.Flags = CF_INITTOLOGFONTSTRUCT | CF_BOTH | CF_SCALABLEONLY | CF_NOVECTORFONTS | CF_WYSIWYG;
  // Without a printer the dialog can offer screen fonts only.
  if (!dialog.hDC) dialog.Flags = (dialog.Flags & ~static_cast<DWORD>(CF_BOTH | CF_WYSIWYG)) | CF_SCREENFONTS;
  if (ChooseFontW(&dialog)) {
    CHARFORMATW chosen{};
    chosen.cbSize = sizeof chosen;
    chosen.dwMask = CFM_SIZE | CFM_FACE | CFM_OFFSET | CFM_BOLD | CFM_ITALIC;
    chosen.yHeight = dialog.iPointSize * 2;
    chosen.dwEffects = (font.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (font.lfItalic ? CFE_ITALIC : 0);
    chosen.bPitchAndFamily = font.lfPitchAndFamily;
    lstrcpynW(chosen.szFaceName, font.lfFaceName, LF_FACESIZE);
    chosen.yOffset = current.yOffset;
    ApplyToSelection(editor, chosen);
    HFONT created = CreateFontIndirectW(&font);
    if (HWND viewerText = PrefaceTextControl())
      SendMessageW(viewerText, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
  }
  if (dialog.hDC) DeleteDC(dialog.hDC);
  SetFocus(editor);
}
