// Print jobs of Logodex.exe, one per test, driven through its print
// dialog: the whole document, a page range, collated and uncollated
// copies, the selection, and a job cancelled from the abort dialog. Run by
// print_test.sh, which provides a PDF printer as the default printer and
// checks the pages that land in its output folder; here the dialogs are
// worked and the program's state after each job is checked.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/gui/gui_driver.h"

namespace {

// Control identifiers of the system's print dialog (dlgs.h).
constexpr int kAllPagesButton = 0x420;   // rad1
constexpr int kSelectionButton = 0x421;  // rad2
constexpr int kPageRangeButton = 0x422;  // rad3
constexpr int kFromPageField = 0x480;    // edt1
constexpr int kToPageField = 0x481;      // edt2
constexpr int kCopiesField = 0x482;      // edt3
constexpr int kCollateBox = 0x411;       // chx2

// Lines "Line 001" to "Line <count>", one paragraph each: the checker
// finds every one of them, in order, on the printed pages.
std::wstring NumberedLines(int count) {
  std::wstring text;
  for (int line = 1; line <= count; ++line) {
    wchar_t number[16];
    swprintf(number, 16, L"Line %03d", line);
    text += number;
    if (line < count) text += L'\r';
  }
  return text;
}

void ClickButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetField(HWND dialog, int id, const wchar_t* text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// What to choose in the print dialog.
struct Choice {
  int range = kAllPagesButton;
  const wchar_t* from = nullptr;
  const wchar_t* to = nullptr;
  const wchar_t* copies = L"1";
  bool collate = false;
};

class Printing : public ::testing::Test {
 protected:
  void Start(const std::wstring& folderName, int lines) {
    program_.folder = MakeWorkingFolder(folderName, {L"TotalStrokeOrdered.txt", L"unihan.txt"});
    ASSERT_TRUE(StartLogodex(program_)) << "the main window did not appear";
    editor_ = FindWindowExW(Main(), nullptr, L"RICHEDIT", nullptr);
    ASSERT_NE(editor_, nullptr);
    std::wstring text = NumberedLines(lines);
    SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  void TearDown() override {
    if (program_.process.hProcess) CloseLogodex(program_);
  }

  HWND Main() const { return program_.mainWindow; }
  DWORD Pid() const { return program_.process.dwProcessId; }

  // Opens the print dialog, makes the choice and confirms it.
  void ChooseInPrintDialog(const Choice& choice, const std::wstring& shot) {
    PostMessageW(Main(), WM_COMMAND, IDM_PRINT, 0);
    HWND dialog = WaitForWindow(Pid(), L"Print", L"#32770", 15000);
    ASSERT_NE(dialog, nullptr) << "no print dialog";
    Settle(Main(), 500);
    for (int button : {kAllPagesButton, kSelectionButton, kPageRangeButton})
      SendMessageW(GetDlgItem(dialog, button), BM_SETCHECK, button == choice.range ? BST_CHECKED : BST_UNCHECKED, 0);
    if (choice.from) SetField(dialog, kFromPageField, choice.from);
    if (choice.to) SetField(dialog, kToPageField, choice.to);
    SetField(dialog, kCopiesField, choice.copies);
    if (HWND collate = GetDlgItem(dialog, kCollateBox))
      SendMessageW(collate, BM_SETCHECK, choice.collate ? BST_CHECKED : BST_UNCHECKED, 0);
    SaveScreenshot(shot);
    ClickButton(dialog, IDOK);
  }

  // The job runs with its abort dialog up and the main window disabled;
  // afterwards the dialog is gone and the main window enabled.
  void WaitForJobEnd(DWORD timeoutMs = 60000) {
    DWORD start = GetTickCount();
    HWND abortDialog = WaitForWindow(Pid(), L"Scriveno", nullptr, 15000);
    while (abortDialog && IsWindow(abortDialog) && GetTickCount() - start < timeoutMs) Sleep(100);
    EXPECT_FALSE(abortDialog && IsWindow(abortDialog)) << "the abort dialog stayed";
    Settle(Main());
    EXPECT_TRUE(IsWindowEnabled(Main()));
  }

  void Print(const Choice& choice, const std::wstring& shot) {
    ChooseInPrintDialog(choice, shot);
    WaitForJobEnd();
  }

  RunningProgram program_;
  HWND editor_ = nullptr;
};

TEST_F(Printing, WholeDocument) {
  Start(L"print-whole", 150);
  Print(Choice{}, L"print-dialog-whole");
}

TEST_F(Printing, PagesTwoToThree) {
  Start(L"print-range", 150);
  Choice choice;
  choice.range = kPageRangeButton;
  choice.from = L"2";
  choice.to = L"3";
  Print(choice, L"print-dialog-range");
}

TEST_F(Printing, TwoCollatedCopies) {
  Start(L"print-collated", 150);
  Choice choice;
  choice.copies = L"2";
  choice.collate = true;
  Print(choice, L"print-dialog-collated");
  // A collated job leaves one copy in the settings for the next dialog.
  PostMessageW(Main(), WM_COMMAND, IDM_PRINT, 0);
  HWND dialog = WaitForWindow(Pid(), L"Print", L"#32770", 15000);
  ASSERT_NE(dialog, nullptr);
  Settle(Main(), 500);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, kCopiesField)), L"1");
  ClickButton(dialog, IDCANCEL);
  Settle(Main());
}

TEST_F(Printing, TwoUncollatedCopies) {
  Start(L"print-uncollated", 150);
  Choice choice;
  choice.copies = L"2";
  choice.collate = false;
  Print(choice, L"print-dialog-uncollated");
}

TEST_F(Printing, Selection) {
  Start(L"print-selection", 150);
  // From "Line 010" to the end of "Line 012", as the control counts them.
  std::wstring text = ControlText(editor_);
  std::size_t first = text.find(L"Line 010"), last = text.find(L"Line 012");
  ASSERT_NE(last, std::wstring::npos);
  SendMessageW(editor_, EM_SETSEL, static_cast<WPARAM>(first), static_cast<LPARAM>(last + 8));
  Choice choice;
  choice.range = kSelectionButton;
  Print(choice, L"print-dialog-selection");
}

// 3,000 lines over some fifty pages: the checker prints the pages per
// second the job took.
TEST_F(Printing, LongDocument) {
  Start(L"print-long", 3000);
  ChooseInPrintDialog(Choice{}, L"print-dialog-long");
  WaitForJobEnd(600000);
}

TEST_F(Printing, CancelledFromTheAbortDialog) {
  Start(L"print-cancel", 2000);
  ChooseInPrintDialog(Choice{}, L"print-dialog-cancel");
  HWND abortDialog = WaitForWindow(Pid(), L"Scriveno", nullptr, 15000);
  ASSERT_NE(abortDialog, nullptr) << "no abort dialog";
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_NE(GetDlgItem(abortDialog, IDC_ABORT_DOCUMENT), nullptr);
  SaveScreenshot(L"print-abort-dialog");
  ClickButton(abortDialog, IDCANCEL);
  WaitForJobEnd();
  // The program goes on: the editor still answers.
  EXPECT_GT(SendMessageW(editor_, WM_GETTEXTLENGTH, 0, 0), 0);
}

// Chinese and Latin text with an Extension B character (U+2A6D6, a
// surrogate pair, which of the Hanazono faces only HanaMinB draws),
// formatted through the program's own commands: a bold centred heading,
// an italic and an underlined stretch, a plain line.
const std::wstring kExtensionB = L"\xD869\xDED6";
const std::wstring kHeading = L"Heading \x6F22\x5B57" + kExtensionB;                         // 漢字𪛖
const std::wstring kMixed = L"Latin \x4E2D\x6587" + kExtensionB + L" slanted \x659C\x4F53";  // 中文𪛖, 斜体
const std::wstring kPlain = L"Plain \x5E73\x5E38" + kExtensionB + L" end";                   // 平常𪛖

TEST_F(Printing, FormattedChineseDocument) {
  Start(L"print-chinese", 0);
  std::wstring text = kHeading + L"\r" + kMixed + L"\r" + kPlain;
  SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  std::wstring shown = ControlText(editor_);
  std::size_t heading = shown.find(kHeading), mixed = shown.find(kMixed);
  ASSERT_NE(heading, std::wstring::npos) << "the pane lost the Chinese text";
  ASSERT_NE(mixed, std::wstring::npos);
  auto command = [this](int start, std::size_t end, int id) {
    SendMessageW(editor_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    SendMessageW(Main(), WM_COMMAND, id, 0);
  };
  command(0, kHeading.size(), IDM_BOLD);
  command(0, 0, IDM_ALIGN_CENTER);
  std::size_t slanted = mixed + kMixed.find(L"slanted");
  command(static_cast<int>(slanted), mixed + kMixed.size(), IDM_ITALIC);
  std::size_t latin = mixed + kMixed.find(L"Latin");
  command(static_cast<int>(latin), latin + 5, IDM_UNDERLINE);
  SendMessageW(editor_, EM_SETSEL, 0, 0);
  Print(Choice{}, L"print-dialog-chinese");
}

TEST_F(Printing, EmptyDocument) {
  Start(L"print-empty", 0);
  SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  Print(Choice{}, L"print-dialog-empty");
}

TEST_F(Printing, EmptySelection) {
  Start(L"print-empty-selection", 3);
  SendMessageW(editor_, EM_SETSEL, 4, 4);
  Choice choice;
  choice.range = kSelectionButton;
  Print(choice, L"print-dialog-empty-selection");
}

}  // namespace
