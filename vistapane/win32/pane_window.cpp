#include "vistapane/win32/pane_window.h"

#include <objbase.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "vistapane/history_memory.h"
#include "vistapane/layout.h"
#include "vistapane/layout_style.h"
#include "vistapane/links.h"
#include "vistapane/pane_texts.h"
#include "vistapane/text_scale.h"
#include "vistapane/win32/gdi_fonts.h"
#include "vistapane/win32/page_source.h"
#include "vistapane/win32/pane_accessible.h"
#include "vistapane/win32/pane_find.h"
#include "vistapane/win32/pane_focus.h"
#include "vistapane/win32/pane_menu.h"
#include "vistapane/win32/pane_paint.h"
#include "vistapane/win32/pane_state.h"

namespace vistapane {
namespace {

// Lengths at 96 pixels per inch, scaled to the display's. Room left above
// the pane for the program's search bar: its template's 41 dialog units of
// client area in the 8-point dialog font, its caption and its sizing
// border come to about 94 pixels; the program places the pane by the
// bars' actual heights once it has them (the bar grows by the rows of
// fields it makes at run time).
constexpr int kSearchBarHeight = 96;
constexpr int kStatusBarHeight = 24;
constexpr int kLineStep = 20;
constexpr int kClickSlop = 3;

}  // namespace

PaneState& Pane() {
  static PaneState pane;
  return pane;
}

namespace {

// The program's exports for insert links and program links.
using LinkCallback = void(__cdecl*)(const char*);

void CallProgram(const char* exportName, const std::u32string& target) {
  std::string narrow = Utf8FromWide(WideFromCodePoints(target));
  auto callback =
      reinterpret_cast<LinkCallback>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), exportName)));
  if (callback) callback(narrow.c_str());
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int LineStep() { return Scaled(kLineStep); }

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

}  // namespace

int Scaled(int pixels) { return MulDiv(pixels, Pane().pixelsPerInch, 96); }

SIZE ClientSize() {
  RECT r{};
  GetClientRect(Pane().window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void Redraw() { InvalidateRect(Pane().window, nullptr, FALSE); }

void ScrollTo(int x, int y) {
  PaneState& pane = Pane();
  pane.scrollX = x;
  pane.scrollY = y;
  UpdateScrollBars();
  Redraw();
}

void ScrollIntoView(size_t begin, size_t end) {
  PaneState& pane = Pane();
  SIZE client = ClientSize();
  int top = 0, bottom = 0, left = 0, right = 0;
  bool found = false;
  for (const Fragment& f : pane.layout.fragments) {
    if (f.end <= begin || f.begin >= end) continue;
    const Line& line = pane.layout.lines[f.line];
    int x0 = XOfOffset(pane.layout, f, std::max(begin, f.begin));
    int x1 = XOfOffset(pane.layout, f, std::min(end, f.end));
    if (!found) {
      top = line.top, bottom = line.top + line.height, left = x0, right = x1;
      found = true;
    }
    top = std::min(top, line.top);
    bottom = std::max(bottom, line.top + line.height);
    left = std::min(left, x0);
    right = std::max(right, x1);
  }
  if (!found) return;
  int x = pane.scrollX, y = pane.scrollY;
  // A range outside the view comes to a third of the way down, as browsers
  // show a found word; one partly inside moves only as far as it must.
  if (bottom <= y || top >= y + client.cy) y = top - client.cy / 3;
  else if (top < y) y = top;
  else if (bottom > y + client.cy) y = bottom - client.cy;
  if (right > x + client.cx) x = right - client.cx;
  if (left < x) x = left;
  ScrollTo(x, y);
}

namespace {

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
  FontKey text;
  text.pixels = FontSizePixels(3, options.scalePercent);
  pane.fonts->PreloadGlyphs(text, *entry->document);
  pane.layout = LayoutDocument(*entry->document, *pane.fonts, options);
  pane.links = FragmentsOfLinks(pane.layout);
  RefreshFind();
  pane.scrollY = keep ? TopOfOffset(pane.layout, keepOffset) : 0;
  if (!keep) pane.scrollX = 0;
  UpdateScrollBars();
  InvalidateRect(pane.window, nullptr, FALSE);
}

std::wstring CaptionOf(PageKind kind, const std::wstring& caption) {
  switch (kind) {
    case PageKind::kMissing: return kMissingFileCaption;
    case PageKind::kTooLarge: return kTooLargeCaption;
    case PageKind::kReplaced: return kReplacedCaption;
    case PageKind::kBlank:
    case PageKind::kFile: break;
  }
  return caption;
}

void SetSource(HistoryEntry& entry, PageSource source) {
  entry.source = std::move(source);
  entry.caption = ToHistoryText(CaptionOf(entry.source.kind, ToWide(entry.caption)));
}

// The entry's document, parsed again from its bytes (read again from its
// file when they were dropped) when it no longer holds it.
void EnsureDocument(HistoryEntry& entry) {
  if (entry.document) return;
  if (entry.source.kind == PageKind::kFile && !entry.source.bytes)
    SetSource(entry, RereadPageSource(ToWide(entry.path), entry.source));
  auto document = std::make_shared<const Document>(DocumentOf(entry.source, ToWide(entry.path)));
  entry.documentBytes = DocumentBytes(*document);
  entry.document = std::move(document);
}

// Drops the documents and bytes that the history's budget leaves out.
void TrimHistory() {
  PaneState& pane = Pane();
  std::vector<HistoryCost> costs;
  costs.reserve(pane.history.size());
  for (const HistoryEntry& entry : pane.history) {
    HistoryCost cost;
    if (entry.document) cost.documentBytes = entry.documentBytes;
    if (entry.source.bytes) cost.sourceBytes = entry.source.size;
    cost.source = entry.source.bytes.get();
    costs.push_back(cost);
  }
  std::vector<HistoryKept> kept = ChooseKept(costs, pane.current, HistoryBudget());
  for (size_t i = 0; i < kept.size(); ++i) {
    if (!kept[i].document) pane.history[i].document.reset();
    if (!kept[i].source) pane.history[i].source.bytes.reset();
  }
}

// A page read anew shares the bytes of an entry that holds the same ones,
// as repeating a search writes the same page again.
void ShareKeptBytes(PageSource& source) {
  if (!source.bytes) return;
  for (const HistoryEntry& entry : Pane().history) {
    const std::shared_ptr<const std::string>& kept = entry.source.bytes;
    if (kept && kept != source.bytes && entry.source.fingerprint == source.fingerprint && *kept == *source.bytes) {
      source.bytes = kept;
      return;
    }
  }
}

// Shows an entry of the history. A page that memory cannot hold or lay out
// is replaced, in the pane and in the history alike, by the page that says so.
void ShowEntry(size_t index, bool restorePlace) {
  PaneState& pane = Pane();
  pane.current = index;
  pane.anchor = pane.caret = 0;
  pane.focusedLink = -1;
  pane.find.current = -1;
  HistoryEntry& entry = pane.history[index];
  // The previous layout and the documents the budget leaves out go first,
  // so that this page has their memory.
  pane.layout = Layout();
  TrimHistory();
  try {
    EnsureDocument(entry);
    TrimHistory();
    SetWindowTextW(pane.window, entry.caption.c_str());
    Relayout(entry.topOffset, restorePlace);
  } catch (const std::bad_alloc&) {
    entry.document.reset();
    PageSource notice;
    notice.kind = PageKind::kTooLarge;
    SetSource(entry, std::move(notice));
    EnsureDocument(entry);
    SetWindowTextW(pane.window, entry.caption.c_str());
    Relayout(0, false);
  }
}

void RememberPlace() {
  PaneState& pane = Pane();
  if (pane.history.empty()) return;
  pane.history[pane.current].topOffset = OffsetAtTop(pane.layout, pane.scrollY);
}

// Shows the page and records it in the history.
void OpenPath(const std::wstring& path, const std::wstring& caption) {
  PaneState& pane = Pane();
  RememberPlace();
  if (!pane.history.empty()) pane.history.resize(pane.current + 1);
  HistoryEntry entry;
  entry.path = ToHistoryText(path);
  entry.caption = ToHistoryText(caption);
  PageSource source;
  try {
    source = ReadPageSource(path);
  } catch (const std::bad_alloc&) {
    source.kind = PageKind::kTooLarge;
  }
  ShareKeptBytes(source);
  SetSource(entry, std::move(source));
  pane.history.push_back(std::move(entry));
  ShowEntry(pane.history.size() - 1, false);
}

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

void FollowLink(int link) {
  PaneState& pane = Pane();
  if (link < 0 || static_cast<size_t>(link) >= pane.layout.links.size()) return;
  std::u32string target = pane.layout.links[static_cast<size_t>(link)];
  switch (ClassifyLink(target)) {
    case LinkKind::kInsert: CallProgram(kInsertCallback, target); return;
    // The program shows the page through OpenHtml, as a new entry of the history.
    case LinkKind::kProgram: CallProgram(kProgramLinkCallback, target); return;
    case LinkKind::kExternal:
      ShellExecuteW(nullptr, L"open", WideFromCodePoints(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return;
    case LinkKind::kFile: {
      const HistoryEntry* entry = CurrentEntry();
      std::u32string base = entry ? CodePointsFromWide(ToWide(entry->path)) : std::u32string();
      std::wstring path = WideFromCodePoints(ResolveLink(base, target));
      OpenPath(path, FileNameOf(path));
      return;
    }
    case LinkKind::kNone: return;
  }
}

namespace {

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
      view.marks = &pane.find.matches;
      PaintLayout(memory, pane.layout, *pane.fonts, view, band);
      DrawFocusRing(memory, pane.scrollX, pane.scrollY);
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
  bool shift = GetKeyState(VK_SHIFT) < 0;
  int page = std::max<int>(LineStep(), ClientSize().cy - LineStep());
  switch (key) {
    case VK_UP: ScrollTo(pane.scrollX, pane.scrollY - LineStep()); break;
    case VK_DOWN: ScrollTo(pane.scrollX, pane.scrollY + LineStep()); break;
    case VK_PRIOR: ScrollTo(pane.scrollX, pane.scrollY - page); break;
    case VK_NEXT: ScrollTo(pane.scrollX, pane.scrollY + page); break;
    case VK_SPACE: ScrollTo(pane.scrollX, pane.scrollY + (shift ? -page : page)); break;
    case VK_HOME: ScrollTo(0, 0); break;
    case VK_END: ScrollTo(pane.scrollX, 1 << 28); break;
    case VK_LEFT: ScrollTo(pane.scrollX - LineStep(), pane.scrollY); break;
    case VK_RIGHT: ScrollTo(pane.scrollX + LineStep(), pane.scrollY); break;
    case VK_BACK: StepHistory(-1); break;
    case VK_TAB: MoveLinkFocus(shift ? -1 : +1); break;
    case VK_RETURN: FollowFocusedLink(); break;
    case VK_F3: FindAgain(!shift); break;
    case 'F':
      if (control) OpenFind();
      break;
    case 'C':
      if (control) CopySelection();
      break;
    case 'A':
      if (control) SelectAll();
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
    case WM_CONTEXTMENU: ShowContextMenu(window, lParam); return 0;
    case WM_GETOBJECT: return AnswerGetObject(window, wParam, lParam);
    case kFollowLinkMessage: FollowLink(static_cast<int>(wParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Redraw(); return 0;
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
  // The accessible object is handed to screen readers through COM, which
  // this thread then needs; a thread already in COM keeps its own mode.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
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
