#include "handwriting/win32/ink_area.h"

#include "win32/entry_guard.h"

namespace {

constexpr wchar_t kInkAreaClass[] = L"LogodexInkArea";

struct InkArea {
  Drawing* drawing = nullptr;
  int penWidth = 1;
  bool dragging = false;
};

InkArea* AreaOf(HWND window) { return reinterpret_cast<InkArea*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

InkPoint PointIn(const Drawing& drawing, LPARAM lParam) {
  int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  x = x < 0 ? 0 : (x >= drawing.width ? drawing.width - 1 : x);
  y = y < 0 ? 0 : (y >= drawing.height ? drawing.height - 1 : y);
  return InkPoint{x, y};
}

void DrawStroke(HDC dc, const InkStroke& stroke) {
  if (stroke.empty()) return;
  MoveToEx(dc, stroke[0].x, stroke[0].y, nullptr);
  // A single point (a dot) is drawn as a line to itself one pixel on.
  if (stroke.size() == 1) LineTo(dc, stroke[0].x + 1, stroke[0].y);
  for (const InkPoint& point : stroke) LineTo(dc, point.x, point.y);
}

HPEN InkPen(const InkArea& area, bool enabled) {
  return CreatePen(PS_SOLID, area.penWidth, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
}

// The white square, a faint cross through its middle to place the strokes
// by, the strokes, and the focus frame when the keyboard is here.
void Paint(HWND window, const InkArea& area) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  bool enabled = IsWindowEnabled(window) != FALSE;
  FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  HPEN guide = CreatePen(PS_DOT, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ old = SelectObject(dc, guide);
  MoveToEx(dc, client.right / 2, 0, nullptr);
  LineTo(dc, client.right / 2, client.bottom);
  MoveToEx(dc, 0, client.bottom / 2, nullptr);
  LineTo(dc, client.right, client.bottom / 2);
  HPEN ink = InkPen(area, enabled);
  SelectObject(dc, ink);
  for (const InkStroke& stroke : area.drawing->strokes) DrawStroke(dc, stroke);
  SelectObject(dc, old);
  DeleteObject(ink);
  DeleteObject(guide);
  if (GetFocus() == window) {
    RECT inside = client;
    InflateRect(&inside, -2, -2);
    DrawFocusRect(dc, &inside);
  }
  EndPaint(window, &paint);
}

void OnButtonDown(HWND window, InkArea& area, LPARAM lParam) {
  SetFocus(window);
  if (area.dragging || area.drawing->strokes.size() >= kDrawingMaxStrokes) return;
  area.drawing->strokes.push_back({PointIn(*area.drawing, lParam)});
  area.dragging = true;
  SetCapture(window);
  InvalidateRect(window, nullptr, FALSE);
}

// The new point's segment is drawn at once, the whole area at the next paint.
void OnMouseMove(HWND window, InkArea& area, LPARAM lParam) {
  if (!area.dragging || area.drawing->strokes.empty()) return;
  InkStroke& stroke = area.drawing->strokes.back();
  InkPoint point = PointIn(*area.drawing, lParam);
  if (point.x == stroke.back().x && point.y == stroke.back().y) return;
  HDC dc = GetDC(window);
  HPEN ink = InkPen(area, true);
  HGDIOBJ old = SelectObject(dc, ink);
  MoveToEx(dc, stroke.back().x, stroke.back().y, nullptr);
  LineTo(dc, point.x, point.y);
  SelectObject(dc, old);
  DeleteObject(ink);
  ReleaseDC(window, dc);
  stroke.push_back(point);
}

void EndStroke(HWND window, InkArea& area) {
  if (!area.dragging) return;
  area.dragging = false;
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), kInkStrokeEnded),
               reinterpret_cast<LPARAM>(window));
}

LRESULT UnguardedInkAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The area's own copy of the settings it is created with.
    const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    InkArea* own = new InkArea(*static_cast<const InkArea*>(create->lpCreateParams));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(own));
  }
  InkArea* area = AreaOf(window);
  if (!area) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: Paint(window, *area); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(window, *area, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(window, *area, lParam); return 0;
    case WM_LBUTTONUP:
      OnMouseMove(window, *area, lParam);
      ReleaseCapture();
      EndStroke(window, *area);
      return 0;
    case WM_CAPTURECHANGED: EndStroke(window, *area); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete area;
      return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK InkAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedInkAreaProc(window, message, wParam, lParam); });
}

}  // namespace

bool RegisterInkArea(HINSTANCE instance) {
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, kInkAreaClass, &existing)) return true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = InkAreaProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_CROSS);
  windowClass.lpszClassName = kInkAreaClass;
  return RegisterClassW(&windowClass) != 0;
}

HWND CreateInkArea(HINSTANCE instance, HWND parent, int id, const RECT& place, Drawing& drawing, int penWidth) {
  InkArea settings{&drawing, penWidth, false};
  HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, kInkAreaClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left,
                                place.top, place.right - place.left, place.bottom - place.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &settings);
  // The strokes' points are in the client area, inside the frame.
  RECT client{};
  if (window) GetClientRect(window, &client);
  drawing.width = client.right;
  drawing.height = client.bottom;
  return window;
}
