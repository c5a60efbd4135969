#include "vistapane/win32/pane_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "vistapane/layout.h"
#include "vistapane/links.h"
#include "vistapane/pane_texts.h"
#include "vistapane/text_scale.h"
#include "vistapane/win32/gdi_fonts.h"
#include "vistapane/win32/page_source.h"
#include "vistapane/win32/pane_paint.h"

namespace vistapane {
namespace {

// Lengths at 96 pixels per inch, scaled to the display's. Room left above
// the pane for the program's search bar: its 41 dialog units of client
// area in the 8-point dialog font, its caption and its sizing border come
// to about 94 pixels; the program places the pane by the bars' actual
// heights once it has them.
constexpr int kSearchBarHeight = 96;
constexpr int kStatusBarHeight = 24;
constexpr int kLineStep = 20;
constexpr int kClickSlop = 3;

struct HistoryEntry {
  std::wstring path;  // a full path, or "about:blank"
  std::wstring caption;
  std::shared_ptr<const Document> document;
  size_t topOffset = 0;  // the first character shown when the entry was left
};

// The one pane of the process: created by OpenBrowser, used by the other
// exports and the window procedure, all on the user-interface thread.
struct PaneState {
  HWND window = nullptr;
  std::unique_ptr<GdiFonts> fonts;
  std::vector<HistoryEntry> history;
  size_t current = 0;
  int level = 2;
  int pixelsPerInch = 96;  // the display's, read when the pane is made
  Layout layout;
  int layoutWidth = 0;  // the client width the layout was made for
  int scrollX = 0;
  int scrollY = 0;
  size_t anchor = 0;  // selection: from anchor to caret
  size_t caret = 0;
  bool selecting = false;
  int pressedLink = -1;
  POINT pressPoint{};
};

PaneState& Pane() {
  static PaneState pane;
  return pane;
}

using InsertUnicodeFunction = void(__cdecl*)(const char*);

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// A length given at 96 pixels per inch, on this display.
int Scaled(int pixels) { return MulDiv(pixels, Pane().pixelsPerInch, 96); }
int LineStep() { return Scaled(kLineStep); }

SIZE ClientSize() {
  RECT r{};
  GetClientRect(Pane().window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

const HistoryEntry* CurrentEntry() {
  PaneState& pane = Pane();
  return pane.history.empty() ? nullptr : &pane.history[pane.current];
}

void UpdateScrollBars() {
  PaneState& pane = Pane();
  SIZE client = ClientSize();
  pane.scrollY = std::clamp(pane.scrollY, 0, std::max(0, pane.layout.height - static_cast<int>(client.cy)));
  pane.scrollX = std::clamp(pane.scrollX, 0, std::max(0, pane.layout.width - static_cast<int>(client.cx)));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(0, pane.layout.height - 1);
  info.nPage = static_cast<UINT>(std::max<LONG>(0, client.cy));
  info.nPos = pane.scrollY;
  SetScrollInfo(pane.window, SB_VERT, &info, TRUE);
  info.nMax = std::max(0, pane.layout.width - 1);
  info.nPage = static_cast<UINT>(std::max<LONG>(0, client.cx));
  info.nPos = pane.scrollX;
  SetScrollInfo(pane.window, SB_HORZ, &info, TRUE);
}

void ScrollTo(int x, int y) {
  PaneState& pane = Pane();
  pane.scrollX = x;
  pane.scrollY = y;
  UpdateScrollBars();
  InvalidateRect(pane.window, nullptr, FALSE);
}

// Lays the current document out at the pane's width and text size; the
// character that stood at the top stays at the top.
void Relayout(size_t keepOffset, bool keep) {
  PaneState& pane = Pane();
  const HistoryEntry* entry = CurrentEntry();
  if (!entry || !pane.fonts) return;
  LayoutOptions options;
  options.width = std::max<LONG>(1, ClientSize().cx);
  pane.layoutWidth = options.width;
  options.scalePercent = TextScalePercent(pane.level, pane.pixelsPerInch);
  options.pixelsPerInch = pane.pixelsPerInch;
  pane.layout = LayoutDocument(*entry->document, *pane.fonts, options);
  pane.scrollY = keep ? TopOfOffset(pane.layout, keepOffset) : 0;
  if (!keep) pane.scrollX = 0;
  UpdateScrollBars();
  InvalidateRect(pane.window, nullptr, FALSE);
}

void ShowEntry(size_t index, bool restorePlace) {
  PaneState& pane = Pane();
  pane.current = index;
  pane.anchor = pane.caret = 0;
  const HistoryEntry& entry = pane.history[index];
  SetWindowTextW(pane.window, entry.caption.c_str());
  Relayout(entry.topOffset, restorePlace);
}

void RememberPlace() {
  PaneState& pane = Pane();
  if (pane.history.empty()) return;
  pane.history[pane.current].topOffset = OffsetAtTop(pane.layout, pane.scrollY);
}

std::wstring CaptionOf(const LoadedPage& page, const std::wstring& caption) {
  if (page.missing) return kMissingFileCaption;
  if (page.tooLarge) return kTooLargeCaption;
  return caption;
}

// Shows the page and records it in the history. A page that memory cannot
// hold or lay out is replaced, in the pane and in the history alike, by
// the page that says so.
void OpenPath(const std::wstring& path, const std::wstring& caption) {
  PaneState& pane = Pane();
  LoadedPage page;
  try {
    page = LoadPage(path);
  } catch (const std::bad_alloc&) {
    page = TooLargePage(path);
  }
  RememberPlace();
  if (!pane.history.empty()) pane.history.resize(pane.current + 1);
  HistoryEntry entry;
  entry.path = path;
  entry.caption = CaptionOf(page, caption);
  entry.document = std::make_shared<const Document>(std::move(page.document));
  pane.history.push_back(std::move(entry));
  // The previous layout goes first, so that the new one has its memory.
  pane.layout = Layout();
  try {
    ShowEntry(pane.history.size() - 1, false);
  } catch (const std::bad_alloc&) {
    HistoryEntry& shown = pane.history.back();
    shown.document.reset();
    LoadedPage notice = TooLargePage(path);
    shown.caption = CaptionOf(notice, caption);
    shown.document = std::make_shared<const Document>(std::move(notice.document));
    ShowEntry(pane.history.size() - 1, false);
  }
}

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void FollowLink(int link) {
  PaneState& pane = Pane();
  if (link < 0 || static_cast<size_t>(link) >= pane.layout.links.size()) return;
  std::u32string target = pane.layout.links[static_cast<size_t>(link)];
  switch (ClassifyLink(target)) {
    case LinkKind::kInsert: {
      std::string narrow = Utf8FromWide(WideFromCodePoints(target));
      auto insert = reinterpret_cast<InsertUnicodeFunction>(
          reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), kInsertCallback)));
      if (insert) insert(narrow.c_str());
      return;
    }
    case LinkKind::kExternal:
      ShellExecuteW(nullptr, L"open", WideFromCodePoints(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return;
    case LinkKind::kFile: {
      const HistoryEntry* entry = CurrentEntry();
      std::u32string base = entry ? CodePointsFromWide(entry->path) : std::u32string();
      std::wstring path = WideFromCodePoints(ResolveLink(base, target));
      OpenPath(path, FileNameOf(path));
      return;
    }
    case LinkKind::kNone: return;
  }
}

void CopySelection() {
  PaneState& pane = Pane();
  size_t begin = std::min(pane.anchor, pane.caret), end = std::max(pane.anchor, pane.caret);
  end = std::min(end, pane.layout.text.size());
  if (begin >= end) return;
  std::u32string text = pane.layout.text.substr(begin, end - begin);
  std::wstring wide;
  for (wchar_t c : WideFromCodePoints(text)) {
    if (c == L'\n') wide += L"\r\n";
    else wide.push_back(c);
  }
  if (!OpenClipboard(pane.window)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (memory) {
    if (void* data = GlobalLock(memory)) {
      std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(data));
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

POINT DocumentPoint(LPARAM lParam) {
  PaneState& pane = Pane();
  return POINT{GET_X_LPARAM(lParam) + pane.scrollX, GET_Y_LPARAM(lParam) + pane.scrollY};
}

// ---- message handlers

void OnPaint(HWND window) {
  PaneState& pane = Pane();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT band = ps.rcPaint;
  int width = band.right - band.left, height = band.bottom - band.top;
  if (width > 0 && height > 0) {
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -band.left, -band.top, nullptr);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillRect(memory, &band, white);
    if (pane.fonts) {
      PaintView view;
      view.scrollX = pane.scrollX;
      view.scrollY = pane.scrollY;
      view.selectionBegin = std::min(pane.anchor, pane.caret);
      view.selectionEnd = std::max(pane.anchor, pane.caret);
      PaintLayout(memory, pane.layout, *pane.fonts, view, band);
    }
    BitBlt(dc, band.left, band.top, width, height, memory, band.left, band.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }
  EndPaint(window, &ps);
}

void OnSize() {
  PaneState& pane = Pane();
  if (pane.history.empty()) return;
  if (std::max<LONG>(1, ClientSize().cx) != pane.layoutWidth) {
    size_t offset = OffsetAtTop(pane.layout, pane.scrollY);
    Relayout(offset, pane.scrollY > 0);
  } else {
    UpdateScrollBars();
  }
}

int ScrollPosition(int bar, WPARAM wParam, int position, int page, int line) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP: return position - line;
    case SB_LINEDOWN: return position + line;
    case SB_PAGEUP: return position - page;
    case SB_PAGEDOWN: return position + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return 1 << 28;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Pane().window, bar, &info);
      return info.nTrackPos;
    }
    default: return position;
  }
}

void OnVScroll(WPARAM wParam) {
  PaneState& pane = Pane();
  int page = std::max<int>(LineStep(), ClientSize().cy - LineStep());
  ScrollTo(pane.scrollX, ScrollPosition(SB_VERT, wParam, pane.scrollY, page, LineStep()));
}

void OnHScroll(WPARAM wParam) {
  PaneState& pane = Pane();
  int page = std::max<int>(LineStep(), ClientSize().cx - LineStep());
  ScrollTo(ScrollPosition(SB_HORZ, wParam, pane.scrollX, page, LineStep()), pane.scrollY);
}

void OnMouseWheel(WPARAM wParam) {
  PaneState& pane = Pane();
  int delta = GET_WHEEL_DELTA_WPARAM(wParam);
  ScrollTo(pane.scrollX, pane.scrollY - delta * 3 * LineStep() / WHEEL_DELTA);
}

void OnKeyDown(WPARAM key) {
  PaneState& pane = Pane();
  bool control = GetKeyState(VK_CONTROL) < 0;
  int page = std::max<int>(LineStep(), ClientSize().cy - LineStep());
  switch (key) {
    case VK_UP: ScrollTo(pane.scrollX, pane.scrollY - LineStep()); break;
    case VK_DOWN: ScrollTo(pane.scrollX, pane.scrollY + LineStep()); break;
    case VK_PRIOR: ScrollTo(pane.scrollX, pane.scrollY - page); break;
    case VK_NEXT: ScrollTo(pane.scrollX, pane.scrollY + page); break;
    case VK_HOME: ScrollTo(0, 0); break;
    case VK_END: ScrollTo(pane.scrollX, 1 << 28); break;
    case VK_LEFT: ScrollTo(pane.scrollX - LineStep(), pane.scrollY); break;
    case VK_RIGHT: ScrollTo(pane.scrollX + LineStep(), pane.scrollY); break;
    case VK_BACK: StepHistory(-1); break;
    case 'C':
      if (control) CopySelection();
      break;
    case 'A':
      if (control) {
        pane.anchor = 0;
        pane.caret = pane.layout.text.size();
        InvalidateRect(pane.window, nullptr, FALSE);
      }
      break;
    default: break;
  }
}

// Alt+Left and Alt+Right: back and forward; everything else as usual.
bool OnSysKeyDown(WPARAM key) {
  if (key == VK_LEFT) StepHistory(-1);
  else if (key == VK_RIGHT) StepHistory(+1);
  else return false;
  return true;
}

void OnLButtonDown(HWND window, LPARAM lParam) {
  PaneState& pane = Pane();
  SetFocus(window);
  SetCapture(window);
  POINT p = DocumentPoint(lParam);
  pane.selecting = true;
  pane.pressPoint = p;
  pane.pressedLink = LinkAt(pane.layout, p.x, p.y);
  pane.anchor = pane.caret = OffsetAt(pane.layout, p.x, p.y);
  InvalidateRect(window, nullptr, FALSE);
}

void OnMouseMove(LPARAM lParam) {
  PaneState& pane = Pane();
  if (!pane.selecting) return;
  POINT p = DocumentPoint(lParam);
  int slop = Scaled(kClickSlop);
  if (std::abs(p.x - pane.pressPoint.x) > slop || std::abs(p.y - pane.pressPoint.y) > slop)
    pane.pressedLink = -1;
  size_t caret = OffsetAt(pane.layout, p.x, p.y);
  if (caret != pane.caret) {
    pane.caret = caret;
    InvalidateRect(pane.window, nullptr, FALSE);
  }
}

void OnLButtonUp(LPARAM lParam) {
  PaneState& pane = Pane();
  if (!pane.selecting) return;
  pane.selecting = false;
  ReleaseCapture();
  POINT p = DocumentPoint(lParam);
  int link = pane.pressedLink;
  pane.pressedLink = -1;
  if (link >= 0 && LinkAt(pane.layout, p.x, p.y) == link) {
    pane.anchor = pane.caret;
    InvalidateRect(pane.window, nullptr, FALSE);
    FollowLink(link);
  }
}

bool OnSetCursor(HWND window, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  PaneState& pane = Pane();
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  bool link = LinkAt(pane.layout, p.x + pane.scrollX, p.y + pane.scrollY) >= 0;
  SetCursor(LoadCursorW(nullptr, link ? IDC_HAND : IDC_IBEAM));
  return true;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: OnSize(); return 0;
    case WM_VSCROLL: OnVScroll(wParam); return 0;
    case WM_HSCROLL: OnHScroll(wParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_SYSKEYDOWN:
      if (OnSysKeyDown(wParam)) return 0;
      break;
    case WM_LBUTTONDOWN: OnLButtonDown(window, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_LBUTTONUP: OnLButtonUp(lParam); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(window, lParam)) return TRUE;
      break;
    case WM_CLOSE: return 0;  // the program owns the pane's lifetime
    case WM_DESTROY: Pane().window = nullptr; return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// No exception may cross into the system: a failed allocation while
// laying out or painting leaves the message to the default handling.
LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Dispatch(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&PaneProc), &module);
  return module;
}

bool RegisterPaneClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kPaneClassName, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = PaneProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPaneClassName;
  return RegisterClassExW(&wc) != 0;
}

RECT InitialPlace(HWND parent) {
  RECT place{100, 100, 900, 700};
  RECT client;
  if (parent && GetClientRect(parent, &client)) {
    POINT topLeft{client.left, client.top + Scaled(kSearchBarHeight)};
    POINT bottomRight{client.right, client.bottom - Scaled(kStatusBarHeight)};
    ClientToScreen(parent, &topLeft);
    ClientToScreen(parent, &bottomRight);
    if (bottomRight.x - topLeft.x >= 200 && bottomRight.y - topLeft.y >= 150)
      place = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  }
  return place;
}

}  // namespace

bool CreatePane(HWND parent, HWND* paneHandle) {
  PaneState& pane = Pane();
  if (pane.window && IsWindow(pane.window)) {
    if (paneHandle) *paneHandle = pane.window;
    return true;
  }
  HINSTANCE instance = ThisModule();
  if (!RegisterPaneClass(instance)) return false;
  if (!pane.fonts) pane.fonts = std::make_unique<GdiFonts>();
  pane.pixelsPerInch = ScreenPixelsPerInch();
  RECT place = InitialPlace(parent);
  pane.window = CreateWindowExW(0, kPaneClassName, L"",
                                WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN,
                                place.left, place.top, place.right - place.left, place.bottom - place.top,
                                parent, nullptr, instance, nullptr);
  if (!pane.window) return false;
  pane.history.clear();
  pane.current = 0;
  pane.layout = Layout();
  ShowWindow(pane.window, SW_SHOWNOACTIVATE);
  UpdateWindow(pane.window);
  if (paneHandle) *paneHandle = pane.window;
  return true;
}

void ShowTarget(const std::string& target, const std::string& caption) {
  if (!Pane().window) return;
  OpenPath(WideFromUtf8(target.empty() ? std::string(kBlankTarget) : target), WideFromUtf8(caption));
}

void StepHistory(int delta) {
  PaneState& pane = Pane();
  if (!pane.window || pane.history.empty()) return;
  long next = static_cast<long>(pane.current) + delta;
  if (next < 0 || next >= static_cast<long>(pane.history.size())) return;
  RememberPlace();
  ShowEntry(static_cast<size_t>(next), true);
}

void SetTextLevel(int level) {
  PaneState& pane = Pane();
  level = std::clamp(level, 0, 4);
  if (level == pane.level) return;
  pane.level = level;
  if (!pane.window || pane.history.empty()) return;
  size_t offset = OffsetAtTop(pane.layout, pane.scrollY);
  Relayout(offset, pane.scrollY > 0);
}

}  // namespace vistapane
