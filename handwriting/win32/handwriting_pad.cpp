#include "handwriting/win32/handwriting_pad.h"

#include "chardb/utf8.h"
#include "handwriting/handwriting_page.h"
#include "handwriting/handwriting_texts.h"
#include "handwriting/win32/ink_area.h"
#include "resources/resource.h"
#include "win32/entry_guard.h"
#include "win32/text_conversion.h"
#include "win32/wait_cursor.h"

namespace {

constexpr int kCandidateCount = 10;

// The layout in pixels at 96 dots per inch, grown with the display scale:
// a label over the square, to its right the status and the three buttons,
// under both the candidates' label and their row of square buttons.
constexpr int kMargin = 8, kGap = 4, kLabelHeight = 16;
constexpr int kInkSide = 280;
constexpr int kCandidateSide = 52;
constexpr int kRowWidth = kCandidateCount * kCandidateSide + (kCandidateCount - 1) * kGap;
constexpr int kStatusHeight = 96;
constexpr int kButtonWidth = 140, kButtonHeight = 28;
constexpr int kInkPenWidth = 3;
constexpr int kCandidatePoints = 22;

// The pad's process-wide state: one pad, made on its first opening.
struct PadState {
  HWND window = nullptr;
  HINSTANCE instance = nullptr;
  const CharacterTables* tables = nullptr;
  HandwritingPadLinks links;
  bool modelsAsked = false;
  bool available = false;
  std::vector<HandwritingModel> models;
  Drawing drawing;
  std::vector<HandwritingCandidate> candidates;
  int chosen = 0;  // the candidate Copy reference takes
  int dpi = 96;
  HFONT candidateFont = nullptr;
};

PadState& Pad() {
  static PadState state;
  return state;
}

int Scaled(int pixels) { return MulDiv(pixels, Pad().dpi, 96); }

HWND MakeControl(HWND dialog, const wchar_t* className, const char* text, DWORD style, int x, int y, int width,
                 int height, int id) {
  HWND control = CreateWindowExW(0, className, WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style, Scaled(x),
                                 Scaled(y), Scaled(width), Scaled(height), dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Pad().instance, nullptr);
  if (control) SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return control;
}

// The dialog's face, drawn large: it is the face the system links to the
// Chinese fonts.
HFONT MakeCandidateFont(HWND dialog) {
  LOGFONTW face{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof face, &face);
  face.lfHeight = -MulDiv(kCandidatePoints, Pad().dpi, 72);
  face.lfWidth = 0;
  face.lfWeight = FW_NORMAL;
  return CreateFontIndirectW(&face);
}

// The controls in the order Tab visits them.
void MakeControls(HWND dialog) {
  PadState& pad = Pad();
  const int right = kMargin + kInkSide + kMargin, inkTop = kMargin + kLabelHeight + kGap;
  MakeControl(dialog, L"STATIC", kPadDrawLabel, 0, kMargin, kMargin, kInkSide, kLabelHeight, -1);
  RECT ink{Scaled(kMargin), Scaled(inkTop), Scaled(kMargin + kInkSide), Scaled(inkTop + kInkSide)};
  RegisterInkArea(pad.instance);
  CreateInkArea(pad.instance, dialog, IDC_PAD_INK, ink, pad.drawing, Scaled(kInkPenWidth));
  const int columnWidth = kMargin + kRowWidth - right;
  MakeControl(dialog, L"STATIC", "", SS_LEFT | SS_NOPREFIX, right, inkTop, columnWidth, kStatusHeight, IDC_PAD_STATUS);
  int y = inkTop + kStatusHeight + kMargin;
  const struct {
    const char* text;
    int id;
  } buttons[] = {{kPadUndoButton, IDC_PAD_UNDO}, {kPadClearButton, IDC_PAD_CLEAR}, {kPadCopyButton, IDC_PAD_COPY}};
  for (const auto& button : buttons) {
    MakeControl(dialog, L"BUTTON", button.text, BS_PUSHBUTTON | WS_TABSTOP, right, y, kButtonWidth, kButtonHeight,
                button.id);
    y += kButtonHeight + kGap;
  }
  const int labelTop = inkTop + kInkSide + kMargin, rowTop = labelTop + kLabelHeight + kGap;
  MakeControl(dialog, L"STATIC", kPadCandidatesLabel, 0, kMargin, labelTop, kRowWidth, kLabelHeight, -1);
  pad.candidateFont = MakeCandidateFont(dialog);
  for (int i = 0; i < kCandidateCount; ++i) {
    HWND button = MakeControl(dialog, L"BUTTON", "", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                              kMargin + i * (kCandidateSide + kGap), rowTop, kCandidateSide, kCandidateSide,
                              IDC_PAD_CANDIDATE_BASE + i);
    if (button && pad.candidateFont)
      SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(pad.candidateFont), FALSE);
  }
  RECT outer{0, 0, Scaled(kMargin + kRowWidth + kMargin), Scaled(rowTop + kCandidateSide + kMargin)};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Enable(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); }

// The candidate buttons, the status and the buttons' enabling after a
// change of the strokes; the first candidate is the chosen one.
void ShowCandidates(HWND dialog) {
  PadState& pad = Pad();
  pad.chosen = 0;
  for (int i = 0; i < kCandidateCount; ++i) {
    bool present = static_cast<std::size_t>(i) < pad.candidates.size();
    std::string text;
    if (present) AppendUtf8(pad.candidates[static_cast<std::size_t>(i)].codePoint, text);
    SetDlgItemTextW(dialog, IDC_PAD_CANDIDATE_BASE + i, WideFromUtf8(text).c_str());
    Enable(dialog, IDC_PAD_CANDIDATE_BASE + i, present);
  }
  std::string status = !pad.available ? kPadUnavailable
                       : pad.drawing.strokes.empty()
                           ? kPadInstructions
                           : HandwritingStatusText(pad.drawing.strokes.size(), pad.candidates.size());
  SetDlgItemTextW(dialog, IDC_PAD_STATUS, WideFromUtf8(status).c_str());
  Enable(dialog, IDC_PAD_INK, pad.available);
  Enable(dialog, IDC_PAD_UNDO, !pad.drawing.strokes.empty());
  Enable(dialog, IDC_PAD_CLEAR, !pad.drawing.strokes.empty());
  Enable(dialog, IDC_PAD_COPY, !pad.candidates.empty());
  SendMessageW(dialog, DM_SETDEFID, pad.candidates.empty() ? IDOK : IDC_PAD_CANDIDATE_BASE, 0);
}

void Recognise(HWND dialog) {
  PadState& pad = Pad();
  pad.candidates = pad.available ? RecogniseDrawing(pad.models, pad.tables->ranking, pad.drawing, kCandidateCount)
                                 : std::vector<HandwritingCandidate>();
  ShowCandidates(dialog);
}

void ChangeStrokes(HWND dialog, bool all) {
  std::vector<InkStroke>& strokes = Pad().drawing.strokes;
  if (all) strokes.clear();
  else if (!strokes.empty()) strokes.pop_back();
  InvalidateRect(GetDlgItem(dialog, IDC_PAD_INK), nullptr, TRUE);
  Recognise(dialog);
  // The focus leaves a button that has just been disabled for the square.
  if (strokes.empty()) SetFocus(GetDlgItem(dialog, IDC_PAD_INK));
}

std::string ChosenCode(int index) {
  const std::vector<HandwritingCandidate>& candidates = Pad().candidates;
  if (index < 0 || static_cast<std::size_t>(index) >= candidates.size()) return {};
  return CandidateCode(candidates[static_cast<std::size_t>(index)].codePoint);
}

void OnCandidate(HWND dialog, int index, WORD notification) {
  PadState& pad = Pad();
  std::string code = ChosenCode(index);
  if (code.empty()) return;
  pad.chosen = index;
  SendMessageW(dialog, DM_SETDEFID, IDC_PAD_CANDIDATE_BASE + index, 0);
  if (notification == BN_CLICKED && pad.links.showCharacter) pad.links.showCharacter(code);
}

void OnCommand(HWND dialog, int id, WORD notification) {
  PadState& pad = Pad();
  switch (id) {
    case IDC_PAD_INK:
      if (notification == kInkStrokeEnded) Recognise(dialog);
      break;
    case IDC_PAD_UNDO: ChangeStrokes(dialog, false); break;
    case IDC_PAD_CLEAR: ChangeStrokes(dialog, true); break;
    case IDC_PAD_COPY:
      if (std::string code = ChosenCode(pad.chosen); !code.empty() && pad.links.copyReference)
        pad.links.copyReference(code);
      break;
    case IDCANCEL: ShowWindow(dialog, SW_HIDE); break;
    default:
      if (id >= IDC_PAD_CANDIDATE_BASE && id < IDC_PAD_CANDIDATE_BASE + kCandidateCount &&
          (notification == BN_CLICKED || notification == BN_SETFOCUS))
        OnCandidate(dialog, id - IDC_PAD_CANDIDATE_BASE, notification);
      break;
  }
}

BOOL OnInitDialog(HWND dialog) {
  PadState& pad = Pad();
  pad.window = dialog;
  HDC screen = GetDC(nullptr);
  pad.dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  MakeControls(dialog);
  ShowCandidates(dialog);
  return FALSE;
}

void OnDestroy() {
  PadState& pad = Pad();
  pad.window = nullptr;
  if (pad.candidateFont) DeleteObject(pad.candidateFont);
  pad.candidateFont = nullptr;
}

INT_PTR UnguardedPadProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK PadProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(0, [&] { return UnguardedPadProc(dialog, message, wParam, lParam); });
}

// The lower right corner of the owner's client area, where the pad covers
// the least of the page the pane shows.
void PlaceInOwner(HWND dialog, HWND owner) {
  RECT client, pad;
  GetClientRect(owner, &client);
  MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(dialog, &pad);
  int x = client.right - (pad.right - pad.left), y = client.bottom - (pad.bottom - pad.top);
  SetWindowPos(dialog, nullptr, x > client.left ? x : client.left, y > client.top ? y : client.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void OpenHandwritingPad(HINSTANCE instance, HWND owner, const CharacterTables& tables,
                        const HandwritingPadLinks& links) {
  PadState& pad = Pad();
  if (!pad.window) {
    pad.instance = instance;
    pad.tables = &tables;
    pad.links = links;
    if (!pad.modelsAsked) {
      pad.modelsAsked = true;
      WaitCursor wait;
      pad.available = pad.links.loadModels && pad.links.loadModels(pad.models);
    }
    if (!CreateDialogW(instance, L"HandwritingPad", owner, PadProc)) return;
    PlaceInOwner(pad.window, owner);
  }
  ShowWindow(pad.window, SW_SHOW);
  SetActiveWindow(pad.window);
  SetFocus(GetDlgItem(pad.window, IDC_PAD_INK));
}

HWND HandwritingPadWindow() { return Pad().window; }
