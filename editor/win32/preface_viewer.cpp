#include "editor/win32/preface_viewer.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "editor/win32/font_units.h"
#include "resources/resource.h"
#include "win32/entry_guard.h"
#include "win32/work_area.h"

namespace {

// Process-wide: set when the viewer is created, cleared when it closes.
HWND viewer = nullptr;
HWND viewerText = nullptr;
const ResourceText* viewerPreface = nullptr;

// The rest of the preface still to be streamed into the control.
struct StreamSource {
  const char* position;
  std::size_t remaining;
};

DWORD CALLBACK StreamPrefaceChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* delivered) {
  StreamSource* source = reinterpret_cast<StreamSource*>(cookie);
  std::size_t n = wanted < 0 ? 0 : static_cast<std::size_t>(wanted);
  if (n > source->remaining) n = source->remaining;
  std::memcpy(buffer, source->position, n);
  source->position += n;
  source->remaining -= n;
  *delivered = static_cast<LONG>(n);
  return 0;
}

void LoadPreface(HWND text) {
  const ResourceText& preface = *viewerPreface;
  StreamSource source{preface.text(), preface.size() ? std::strlen(preface.text()) : 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = StreamPrefaceChunk;
  SendMessageW(text, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(text, EM_SETMODIFY, FALSE, 0);
}

// 12-point "Arial Unicode MS" on the system font's other settings.
HFONT CreatePrefaceFont(HWND text) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
  font.lfOrientation = font.lfEscapement = font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  lstrcpynW(font.lfFaceName, L"Arial Unicode MS", LF_FACESIZE);
  HDC dc = GetDC(text);
  font.lfHeight = -PointsToPixels(12, GetDeviceCaps(dc, LOGPIXELSY));
  ReleaseDC(text, dc);
  return CreateFontIndirectW(&font);
}

// Removes the selection and shows the document from its beginning.
void ShowWithoutSelection(HWND text) {
  SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(text, WM_VSCROLL, SB_TOP, 0);
  SendMessageW(text, WM_HSCROLL, SB_LEFT, 0);
}

// At a large display scale the template outgrows the screen: the viewer
// is then fitted into the work area, its text filling it within the
// template's margins.
void FitViewerToWorkArea(HWND dialog, HWND text) {
  if (!FitToWorkArea(dialog)) return;
  RECT client;
  GetClientRect(dialog, &client);
  RECT margin{0, 0, 7, 7};
  MapDialogRect(dialog, &margin);
  MoveWindow(text, margin.right, margin.bottom, std::max(0L, client.right - 2 * margin.right),
             std::max(0L, client.bottom - 2 * margin.bottom), FALSE);
}

BOOL OnInitDialog(HWND dialog) {
  viewerText = GetDlgItem(dialog, IDC_PREFACE_TEXT);
  FitViewerToWorkArea(dialog, viewerText);
  LoadPreface(viewerText);
  HFONT font = CreatePrefaceFont(viewerText);
  SendMessageW(viewerText, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ShowWithoutSelection(viewerText);
  return TRUE;
}

INT_PTR UnguardedPrefaceViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(dialog);
        viewer = viewerText = nullptr;
      }
      return FALSE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK PrefaceViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(0, [&] { return UnguardedPrefaceViewerProc(dialog, message, wParam, lParam); });
}

}  // namespace

void OpenPrefaceViewer(HINSTANCE instance, HWND owner, const ResourceText& preface) {
  // Asked for again, the open viewer comes to the front, as a person
  // expects of the menu item whatever has covered it since.
  if (viewer) {
    ShowWindow(viewer, SW_SHOWNORMAL);
    SetActiveWindow(viewer);
    return;
  }
  viewerPreface = &preface;
  viewer = CreateDialogW(instance, L"UnihanPreface", owner, PrefaceViewerProc);
  if (viewerText) ShowWithoutSelection(viewerText);
}

HWND PrefaceTextControl() { return viewerText; }

HWND PrefaceViewerWindow() { return viewer; }
