#include "editor/win32/printing.h"

#include <commdlg.h>
#include <richedit.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/editor_texts.h"
#include "editor/print_planning.h"
#include "editor/win32/document_files.h"
#include "editor/win32/document_runs.h"
#include "editor/win32/printed_text.h"
#include "resources/resource.h"
#include "win32/entry_guard.h"
#include "win32/program_texts.h"
#include "win32/wait_cursor.h"

namespace {

constexpr DWORD kInitialPrintFlags = PD_RETURNDC | PD_SHOWHELP;
constexpr WORD kAllPages = 0xFFFF;

// Process-wide print state: the settings kept between jobs, and the abort
// flag and dialog of the running job.
struct PrintState {
  HGLOBAL deviceMode = nullptr;
  HGLOBAL deviceNames = nullptr;
  DWORD flags = kInitialPrintFlags;
  WORD fromPage = kAllPages, toPage = kAllPages, copies = 1;
  bool abort = false;
  HWND abortDialog = nullptr;
};

PrintState& Print() {
  static PrintState state;
  return state;
}

std::wstring DocumentName() {
  const std::wstring& path = DocumentPath();
  if (path.empty()) return path;
  wchar_t title[MAX_PATH] = L"";
  return GetFileTitleW(path.c_str(), title, MAX_PATH) == 0 ? std::wstring(title) : path;
}

INT_PTR UnguardedAbortDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetFocus(GetDlgItem(dialog, IDCANCEL));
      SetDlgItemTextW(dialog, IDC_ABORT_DOCUMENT, DocumentName().c_str());
      return TRUE;
    case WM_COMMAND:
      Print().abort = true;
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(0, [&] { return UnguardedAbortDialogProc(dialog, message, wParam, lParam); });
}

// Called by the spooler, and by the page loop after every page (under
// Wine nothing else calls it, and Cancel went unheard): keeps the
// thread's windows, the abort dialog first, answering while the job runs.
BOOL UnguardedAbortProc(HDC, int) {
  PrintState& print = Print();
  if (!print.abortDialog) return TRUE;
  MSG message;
  while (!print.abort && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageW(print.abortDialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return !print.abort;
}

BOOL CALLBACK AbortProc(HDC dc, int code) {
  return Guarded<BOOL>(FALSE, [&] { return UnguardedAbortProc(dc, code); });
}

// One page at a time from the rich edit control; `formats` is false when
// the control cannot lay out pages (it returns the start it was given).
struct RichPages {
  HWND editor;
  FORMATRANGE range;
  bool formats = true;
};

LONG FormatRichPage(RichPages& pages) {
  return static_cast<LONG>(SendMessageW(pages.editor, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&pages.range)));
}

void Fail(HWND mainWindow, const wchar_t* message) {
  MessageBoxW(mainWindow, message, kLogodexCaption, MB_OK | MB_ICONEXCLAMATION);
}

class PrintJob {
 public:
  PrintJob(HINSTANCE instance, HWND mainWindow, HWND editor, PRINTDLGW& request)
      : instance_(instance), mainWindow_(mainWindow), editor_(editor), request_(request), dc_(request.hDC) {}

  void Run() {
    WaitCursor wait;
    PrintState& print = Print();
    print.abort = false;
    SetAbortProc(dc_, AbortProc);
    std::wstring name = DocumentName();
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    document.lpszOutput = (request_.Flags & PD_PRINTTOFILE) ? L"FILE: " : nullptr;
    if (StartDocW(dc_, &document) <= 0) return Finish(kPrintFailed, false);
    print.abortDialog = CreateDialogW(instance_, L"AbortDlg", mainWindow_, AbortDialogProc);
    if (!print.abortDialog) return Finish(kAbortDialogFailed, true);
    // The main window is disabled before the dialog shows: whoever sees
    // the dialog finds the main window closed to input.
    EnableWindow(mainWindow_, FALSE);
    ShowWindow(print.abortDialog, SW_SHOW);
    UpdateWindow(print.abortDialog);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    PrintPasses();
    SendMessageW(editor_, EM_FORMATRANGE, FALSE, 0);
    if (print.abort)
      AbortDoc(dc_);
    else
      EndDoc(dc_);
    Finish(nullptr, false);
  }

 private:
  // Page geometry in twips, and the request as planned.
  void PrintPasses() {
    TwipsRect page = PageRectangle(GetDeviceCaps(dc_, PHYSICALWIDTH), GetDeviceCaps(dc_, PHYSICALHEIGHT),
                                   GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(dc_, LOGPIXELSY));
    TwipsRect printArea = PrintRectangle(page);
    PrintRequest plan;
    plan.collate = (request_.Flags & PD_COLLATE) != 0;
    plan.pageRange = (request_.Flags & PD_PAGENUMS) != 0;
    plan.fromPage = request_.nFromPage;
    plan.toPage = request_.nToPage;
    plan.copies = request_.nCopies;
    request_.nCopies = static_cast<WORD>(PlanCopies(plan).copiesLeft);

    LONG textEnd = GetWindowTextLengthW(editor_);
    CHARRANGE range{0, textEnd};
    if (request_.Flags & PD_SELECTION) {
      SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
      if (range.cpMax >= range.cpMin) textEnd = range.cpMax;
    }
    RichPages rich{editor_, FORMATRANGE{}};
    rich.range.hdc = rich.range.hdcTarget = dc_;
    rich.range.rcPage = AsRect(page);
    rich.range.chrg = range;
    // The control must lay out the first page; one that cannot (it gives
    // back the start it was given) has its text printed here instead. So
    // has an empty document or selection: one blank page, where the
    // control's page loop would print none.
    std::vector<LONG> pageStarts = RichPageStarts(rich, printArea, range.cpMin, textEnd);
    if (Print().abort) return;
    if (pageStarts.empty()) {
      // Reading and laying out a long document takes a while: the abort
      // dialog answers between paragraphs.
      auto answering = [this] { return AbortProc(dc_, 0) != FALSE; };
      PrintedText printed(dc_, printArea);
      std::vector<RichParagraph> paragraphs = ReadRichParagraphs(editor_, range.cpMin, textEnd, answering);
      std::vector<PrintedPage> pages = printed.Paginate(paragraphs, answering);
      if (Print().abort) return;
      PrintSheets(PrintedSheets(plan, static_cast<int>(pages.size())),
                  [&](int pageNumber) { printed.Draw(pages[static_cast<std::size_t>(pageNumber - 1)]); });
      return;
    }
    PrintSheets(PrintedSheets(plan, static_cast<int>(pageStarts.size())), [&](int pageNumber) {
      rich.range.chrg.cpMin = pageStarts[static_cast<std::size_t>(pageNumber - 1)];
      rich.range.rc = AsRect(printArea);
      FormatRichPage(rich);
      SendMessageW(editor_, EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&rich.range.rc));
    });
  }

  // Where each page the control lays out starts, up to the first page on
  // which nothing more fits; empty when the control lays out no page. The
  // abort dialog answers between pages.
  std::vector<LONG> RichPageStarts(RichPages& rich, const TwipsRect& area, LONG start, LONG end) {
    std::vector<LONG> starts;
    for (LONG at = start; at < end && AbortProc(dc_, 0);) {
      rich.range.chrg.cpMin = at;
      rich.range.rc = AsRect(area);
      LONG next = FormatRichPage(rich);
      if (next <= at) break;
      starts.push_back(at);
      at = next;
    }
    return starts;
  }

  static RECT AsRect(const TwipsRect& area) { return RECT{area.left, area.top, area.right, area.bottom}; }

  // Every sheet of the plan in order, each page drawn by `draw`, until the
  // user aborts.
  void PrintSheets(const std::vector<int>& sheets, const std::function<void(int)>& draw) {
    for (int pageNumber : sheets) {
      if (Print().abort) break;
      StartPage(dc_);
      draw(pageNumber);
      EndPage(dc_);
      AbortProc(dc_, 0);
    }
  }

  // Whatever happened, the main window ends enabled, the abort dialog
  // gone and the device context deleted.
  void Finish(const wchar_t* failure, bool documentStarted) {
    PrintState& print = Print();
    if (documentStarted) AbortDoc(dc_);
    EnableWindow(mainWindow_, TRUE);
    if (print.abortDialog) DestroyWindow(print.abortDialog);
    print.abortDialog = nullptr;
    if (failure) Fail(mainWindow_, failure);
    DeleteDC(dc_);
    request_.hDC = nullptr;
  }

  HINSTANCE instance_;
  HWND mainWindow_;
  HWND editor_;
  PRINTDLGW& request_;
  HDC dc_;
};

}  // namespace

void PrintDocument(HINSTANCE instance, HWND mainWindow, HWND editor) {
  PrintState& print = Print();
  PRINTDLGW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = mainWindow;
  request.hDevMode = print.deviceMode;
  request.hDevNames = print.deviceNames;
  request.Flags = print.flags;
  request.nFromPage = print.fromPage;
  request.nToPage = print.toPage;
  request.nMinPage = 0;
  request.nMaxPage = kAllPages;
  request.nCopies = print.copies;
  if (!PrintDlgW(&request)) return;
  if (request.hDC) PrintJob(instance, mainWindow, editor, request).Run();
  print.deviceMode = request.hDevMode;
  print.deviceNames = request.hDevNames;
  print.flags = request.Flags;
  print.fromPage = request.nFromPage;
  print.toPage = request.nToPage;
  print.copies = request.nCopies;
}

HDC PrinterDeviceContext() {
  PrintState& print = Print();
  if (print.deviceNames) {
    const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(print.deviceNames));
    if (!names) return nullptr;
    const DEVMODEW* mode = print.deviceMode ? static_cast<const DEVMODEW*>(GlobalLock(print.deviceMode)) : nullptr;
    const wchar_t* base = reinterpret_cast<const wchar_t*>(names);
    HDC dc = CreateDCW(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode);
    if (mode) GlobalUnlock(print.deviceMode);
    GlobalUnlock(print.deviceNames);
    return dc;
  }
  if (print.deviceMode) GlobalFree(print.deviceMode);
  print.deviceMode = nullptr;
  PRINTDLGW request{};
  request.lStructSize = sizeof request;
  request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDlgW(&request)) return nullptr;
  print.deviceMode = request.hDevMode;
  print.deviceNames = request.hDevNames;
  return request.hDC;
}

void FreePrintSettings() {
  PrintState& print = Print();
  if (print.deviceMode) GlobalFree(print.deviceMode);
  if (print.deviceNames) GlobalFree(print.deviceNames);
  print.deviceMode = print.deviceNames = nullptr;
}
