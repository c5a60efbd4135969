#include "editor/win32/printing.h"

#include <commdlg.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "editor/print_planning.h"
#include "editor/win32/document_files.h"
#include "editor/win32/document_runs.h"
#include "editor/win32/printed_text.h"
#include "resources/resource.h"
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

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
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

// Called by the spooler, and by the page loop after every page (under
// Wine nothing else calls it, and Cancel went unheard): keeps the
// thread's windows, the abort dialog first, answering while the job runs.
BOOL CALLBACK AbortProc(HDC, int) {
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
    if (StartDocW(dc_, &document) <= 0) return Finish(L"An error occured while trying to print.", false);
    print.abortDialog = CreateDialogW(instance_, L"AbortDlg", mainWindow_, AbortDialogProc);
    if (!print.abortDialog) return Finish(L"The abort dialog count not be created.", true);
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
    CopyPlan copies = PlanCopies(plan);
    request_.nCopies = static_cast<WORD>(copies.copiesLeft);

    LONG textEnd = GetWindowTextLengthW(editor_);
    CHARRANGE range{0, textEnd};
    if (request_.Flags & PD_SELECTION) {
      SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
      if (range.cpMax >= range.cpMin) textEnd = range.cpMax;
    }
    RichPages rich{editor_, FORMATRANGE{}};
    rich.range.hdc = rich.range.hdcTarget = dc_;
    rich.range.rcPage = RECT{page.left, page.top, page.right, page.bottom};
    rich.range.rc = RECT{printArea.left, printArea.top, printArea.right, printArea.bottom};
    rich.range.chrg = range;
    // The control must lay out the first page; one that cannot (it gives
    // back the start it was given) has its text printed here instead. So
    // has an empty document or selection: one blank page, where the
    // control's page loop would print none.
    LONG next = range.cpMin < textEnd ? FormatRichPage(rich) : range.cpMin;
    if (next <= range.cpMin) {
      PrintPlainPasses(plan, copies, printArea, range.cpMin, textEnd);
      return;
    }
    for (int pass = 0; pass < copies.passes && !Print().abort; ++pass) {
      rich.range.chrg = range;
      rich.range.rc = RECT{printArea.left, printArea.top, printArea.right, printArea.bottom};
      int pageNumber = 1;
      do {
        next = FormatRichPage(rich);
        if (next <= rich.range.chrg.cpMin) break;  // no progress: nothing more fits
        if (PrintsPage(plan, pageNumber)) {
          for (int copy = 0; copy < copies.copiesPerPage && !Print().abort; ++copy) {
            StartPage(dc_);
            SendMessageW(editor_, EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&rich.range.rc));
            EndPage(dc_);
            AbortProc(dc_, 0);
          }
        }
        rich.range.chrg.cpMin = next;
        rich.range.rc = RECT{printArea.left, printArea.top, printArea.right, printArea.bottom};
        if (PassEndsAfter(plan, pageNumber)) break;
        ++pageNumber;
      } while (rich.range.chrg.cpMin < textEnd && !Print().abort);
    }
  }

  // The document's runs and paragraphs laid out and drawn here, with the
  // same passes, copies and page range.
  void PrintPlainPasses(const PrintRequest& plan, const CopyPlan& copies, const TwipsRect& area, LONG start,
                        LONG end) {
    PrintedText printed(dc_, area);
    std::vector<PrintedPage> pages = printed.Paginate(ReadRichParagraphs(editor_, start, end));
    for (int pass = 0; pass < copies.passes && !Print().abort; ++pass) {
      for (std::size_t index = 0; index < pages.size() && !Print().abort; ++index) {
        int pageNumber = static_cast<int>(index) + 1;
        if (PrintsPage(plan, pageNumber)) {
          for (int copy = 0; copy < copies.copiesPerPage && !Print().abort; ++copy) {
            StartPage(dc_);
            printed.Draw(pages[index]);
            EndPage(dc_);
            AbortProc(dc_, 0);
          }
        }
        if (PassEndsAfter(plan, pageNumber)) break;
      }
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
