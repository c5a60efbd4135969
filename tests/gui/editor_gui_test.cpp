// The document pane of Logodex.exe worked from another process: text typed
// into the rich edit child of the main window (it has no size, but takes
// messages), every editing command sent as WM_COMMAND, the Find and font
// dialogs, the RTF file dialogs driven through their file name fields,
// and the files written checked byte by byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "resources/resource.h"
#include "tests/gui/gui_driver.h"

namespace {

// Control identifiers of the system's common dialogs (dlgs.h).
constexpr int kFindWhatField = 0x480;  // edt1 of the Find dialog
constexpr int kFileNameCombo = 0x47c;  // cmb13 of the explorer-style file dialogs
constexpr int kFileNameField = 0x480;  // edt1, the older file name field
constexpr int kFontSizeCombo = 0x472;  // cmb3 of the font dialog

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Every visible top-level window of the process with this caption.
struct CaptionSearch {
  DWORD processId;
  std::wstring caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  CaptionSearch* search = reinterpret_cast<CaptionSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) && WindowText(window) == search->caption)
    search->found.push_back(window);
  return TRUE;
}

// A message box holds its text in the static 0xFFFF and has no field of
// its own; the Find and file dialogs have labels 0xFFFF too, and fields.
bool IsMessageBox(HWND window) {
  return GetDlgItem(window, 0xFFFF) && !FindWindowExW(window, nullptr, L"Edit", nullptr) &&
         !FindWindowExW(window, nullptr, L"ComboBox", nullptr) &&
         !FindWindowExW(window, nullptr, L"ComboBoxEx32", nullptr);
}

// A message box of the process with this caption; the file dialogs'
// questions share their dialog's caption.
HWND WaitForMessageBox(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    CaptionSearch search{processId, caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found)
      if (IsMessageBox(window)) return window;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

// A common dialog of the process with this caption that is not a message
// box.
HWND WaitForDialog(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    CaptionSearch search{processId, caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found)
      if (!IsMessageBox(window)) return window;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

// The file dialog's question before replacing a file: Windows captions it
// "Confirm Save As", Wine's dialog "Error".
HWND WaitForOverwriteQuestion(DWORD processId, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    for (const wchar_t* caption : {L"Confirm Save As", L"Save As", L"Error"})
      if (HWND box = WaitForMessageBox(processId, caption, 0)) return box;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

void ClickButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The file name field of a file dialog: the edit inside the file name
// combo box, or the plain field of the older dialogs.
HWND FileNameField(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, kFileNameCombo)) {
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
    return combo;
  }
  return GetDlgItem(dialog, kFileNameField);
}

std::string RegisteredClipboardBytes(const wchar_t* formatName) {
  UINT format = RegisterClipboardFormatW(formatName);
  std::string bytes;
  for (int attempt = 0; attempt < 20 && !OpenClipboard(nullptr); ++attempt) Sleep(50);
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* text = static_cast<const char*>(GlobalLock(data))) {
      bytes.assign(text, strnlen(text, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

class DocumentPane : public ::testing::Test {
 protected:
  void Start(const std::wstring& folderName) {
    program_.folder = MakeWorkingFolder(folderName, {L"TotalStrokeOrdered.txt", L"unihan.txt"});
    ASSERT_TRUE(StartLogodex(program_)) << "the main window did not appear";
    editor_ = FindWindowExW(Main(), nullptr, L"RICHEDIT", nullptr);
    if (!editor_) editor_ = GetDlgItem(Main(), IDC_EDITOR_PANE);
    ASSERT_NE(editor_, nullptr) << "no rich edit child in the main window";
  }

  void TearDown() override {
    if (program_.process.hProcess) CloseLogodex(program_);
  }

  DWORD Pid() const { return program_.process.dwProcessId; }
  HWND Main() const { return program_.mainWindow; }
  std::wstring Folder() const { return program_.folder; }

  // A command the main window carries out before answering.
  void Run(int command) { SendMessageW(Main(), WM_COMMAND, command, 0); }
  // A command that opens a modal dialog: the call returns at once.
  void Launch(int command) { PostMessageW(Main(), WM_COMMAND, command, 0); }

  void Type(const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(editor_, WM_CHAR, c, 1);
  }
  std::wstring Text() { return ControlText(editor_); }
  void Select(int start, int end) { SendMessageW(editor_, EM_SETSEL, start, end); }
  std::pair<int, int> Selection() {
    LRESULT both = SendMessageW(editor_, EM_GETSEL, 0, 0);
    return {LOWORD(both), HIWORD(both)};
  }
  bool Modified() { return SendMessageW(editor_, EM_GETMODIFY, 0, 0) != 0; }

  // The RTF of the selection, as Copy puts it on the clipboard.
  std::string SelectionRtf() {
    Run(IDM_COPY);
    return RegisteredClipboardBytes(L"Rich Text Format");
  }

  // Waits for a message box, answers it with the button and returns its text.
  std::wstring Answer(const std::wstring& caption, int button = IDOK, DWORD timeoutMs = 10000) {
    HWND box = WaitForMessageBox(Pid(), caption, timeoutMs);
    if (!box) return L"<no box " + caption + L">";
    std::wstring text = MessageBoxText(box);
    ClickButton(box, button);
    Settle(Main());
    return text;
  }

  // Answers the open file dialog with this path; false without a dialog.
  bool ChooseInFileDialog(const std::wstring& caption, const std::wstring& path, const std::wstring& shot = L"") {
    HWND dialog = WaitForDialog(Pid(), caption, 10000);
    if (!dialog) return false;
    HWND field = FileNameField(dialog);
    if (!field) return false;
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (!shot.empty()) SaveScreenshot(shot);
    ClickButton(dialog, IDOK);
    Settle(Main(), 300);
    return true;
  }

  void WaitUntilDialogGone(const std::wstring& caption) {
    for (int i = 0; i < 100 && WaitForDialog(Pid(), caption, 0); ++i) Sleep(50);
  }

  RunningProgram program_;
  HWND editor_ = nullptr;
};

// ---------------------------------------------------------------- editing

TEST_F(DocumentPane, NewEmptiesTheTextAndClearsTheModifiedFlag) {
  Start(L"editor-new");
  Type(L"draft");
  EXPECT_EQ(Text(), L"draft");
  EXPECT_TRUE(Modified());
  Run(IDM_NEW);
  EXPECT_EQ(Text(), L"");
  EXPECT_FALSE(Modified());
}

TEST_F(DocumentPane, CutCopyPasteUndoClearAndSelectAll) {
  Start(L"editor-clipboard");
  Type(L"hello world again");
  Run(IDM_SELECT_ALL);
  // The whole text, and the control's closing paragraph mark with it.
  EXPECT_EQ(Selection().first, 0);
  EXPECT_GE(Selection().second, 17);
  Run(IDM_COPY);
  EXPECT_EQ(ClipboardText(), "hello world again");

  Select(0, 5);
  Run(IDM_CUT);
  EXPECT_EQ(Text(), L" world again");
  EXPECT_EQ(ClipboardText(), "hello");
  Run(IDM_UNDO);
  EXPECT_EQ(Text(), L"hello world again");

  Select(5, 11);  // " world"
  Run(IDM_CLEAR);
  EXPECT_EQ(Text(), L"hello again");

  Select(11, 11);
  Run(IDM_PASTE);  // the clipboard still holds the cut "hello"
  EXPECT_EQ(Text(), L"hello againhello");
  EXPECT_EQ(Selection(), std::make_pair(16, 16));

  // Plain text put on the clipboard by another program is pasted too.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 5);
  memcpy(GlobalLock(memory), "1234", 5);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  Select(0, 5);
  Run(IDM_PASTE);
  EXPECT_EQ(Text(), L"1234 againhello");
}

TEST_F(DocumentPane, NextWordSelectsTheWordAfterTheSelection) {
  Start(L"editor-next-word");
  Type(L"alpha beta gamma");
  Select(0, 0);
  Run(IDM_NEXT_WORD);
  // The next word starts after the blank at 5; it ends before the blank at 10.
  EXPECT_EQ(Selection(), std::make_pair(6, 10));
  Run(IDM_NEXT_WORD);
  EXPECT_EQ(Selection(), std::make_pair(11, 16));
}

TEST_F(DocumentPane, EffectsToggleAndAlignmentsReachTheRtf) {
  Start(L"editor-format");
  Type(L"plain strong");
  Select(6, 12);
  Run(IDM_BOLD);
  std::string bold = SelectionRtf();
  ASSERT_TRUE(Contains(bold, "{\\rtf")) << bold;
  EXPECT_TRUE(Contains(bold, "\\b ") || Contains(bold, "\\b\\")) << bold;
  Run(IDM_BOLD);  // bold selection turns plain again
  std::string plain = SelectionRtf();
  EXPECT_FALSE(Contains(plain, "\\b ") || Contains(plain, "\\b\\")) << plain;

  Run(IDM_ITALIC);
  EXPECT_TRUE(Contains(SelectionRtf(), "\\i"));
  Run(IDM_ITALIC);
  Run(IDM_UNDERLINE);
  EXPECT_TRUE(Contains(SelectionRtf(), "\\ul"));

  Run(IDM_ALIGN_CENTER);
  Run(IDM_SELECT_ALL);
  EXPECT_TRUE(Contains(SelectionRtf(), "\\qc"));
  Run(IDM_ALIGN_RIGHT);
  EXPECT_TRUE(Contains(SelectionRtf(), "\\qr"));
  Run(IDM_ALIGN_LEFT);
  std::string left = SelectionRtf();
  EXPECT_FALSE(Contains(left, "\\qr") || Contains(left, "\\qc")) << left;
  // The text itself is untouched by every format change.
  EXPECT_EQ(Text(), L"plain strong");
}

TEST_F(DocumentPane, FontDialogSetsTwelvePoints) {
  Start(L"editor-font");
  Type(L"sized");
  Run(IDM_SELECT_ALL);
  Launch(IDM_FONT);
  HWND dialog = WaitForDialog(Pid(), L"Font", 10000);
  ASSERT_NE(dialog, nullptr) << "no font dialog";
  HWND size = GetDlgItem(dialog, kFontSizeCombo);
  ASSERT_NE(size, nullptr);
  Settle(Main(), 500);
  SendMessageW(size, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"12"));
  SendMessageW(size, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
  SaveScreenshot(L"editor-font-dialog");
  ClickButton(dialog, IDOK);
  WaitUntilDialogGone(L"Font");
  // 12 points are 24 half-points in RTF (\fs) and 240 twips in the control.
  std::string rtf = SelectionRtf();
  EXPECT_TRUE(Contains(rtf, "\\fs24")) << rtf;
  EXPECT_EQ(Text(), L"sized");
}

TEST_F(DocumentPane, FindSelectsTheNextMatchThenReportsNone) {
  Start(L"editor-find");
  Type(L"one two one two one");
  Select(4, 4);  // a match starting at the caret is passed over
  Launch(IDM_FIND);
  HWND find = WaitForDialog(Pid(), L"Find", 10000);
  ASSERT_NE(find, nullptr) << "no Find dialog";
  SendMessageW(GetDlgItem(find, kFindWhatField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"two"));
  SaveScreenshot(L"editor-find-dialog");
  ClickButton(find, IDOK);
  Settle(Main());
  EXPECT_EQ(Selection(), std::make_pair(12, 15));
  ClickButton(find, IDOK);
  EXPECT_EQ(Answer(L"Find"), L"Text not found.");
  EXPECT_EQ(Selection(), std::make_pair(12, 15));

  // From the start: the first match; a second Find command keeps the dialog.
  Select(0, 0);
  ClickButton(find, IDOK);
  Settle(Main());
  EXPECT_EQ(Selection(), std::make_pair(4, 7));
  Launch(IDM_FIND);
  Settle(Main());
  EXPECT_EQ(WaitForDialog(Pid(), L"Find", 0), find);

  // Closed and opened again: a new dialog showing the last search text.
  ClickButton(find, IDCANCEL);
  Settle(Main());
  EXPECT_FALSE(IsWindow(find));
  Launch(IDM_FIND);
  HWND again = WaitForDialog(Pid(), L"Find", 10000);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(ControlText(GetDlgItem(again, kFindWhatField)), L"two");
  ClickButton(again, IDCANCEL);
}

// ---------------------------------------------------------------- files

TEST_F(DocumentPane, SaveWithoutPathAsksThenSavesInPlace) {
  Start(L"editor-save");
  std::wstring path = Folder() + L"\\letter.rtf";
  DeleteFileW(path.c_str());
  Type(L"first version");
  Select(0, 5);
  Run(IDM_BOLD);
  Launch(IDM_SAVE);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", path, L"editor-save-as"));
  WaitUntilDialogGone(L"Save As");
  Settle(Main());
  EXPECT_EQ(WindowText(Main()), path);
  EXPECT_FALSE(Modified());
  std::string saved = ReadFile(path);
  EXPECT_EQ(saved.rfind("{\\rtf", 0), 0u) << saved;
  EXPECT_TRUE(Contains(saved, "first")) << saved;
  EXPECT_TRUE(Contains(saved, "\\b")) << saved;

  // The second Save writes the same file and shows no dialog.
  Select(13, 13);
  Type(L" and more");
  EXPECT_TRUE(Modified());
  Launch(IDM_SAVE);
  EXPECT_EQ(WaitForDialog(Pid(), L"Save As", 1500), nullptr);
  EXPECT_TRUE(Contains(ReadFile(path), "version and more"));
  EXPECT_FALSE(Modified());

  // Reopened, the text comes back with its bold part.
  Run(IDM_NEW);
  EXPECT_EQ(Text(), L"");
  Launch(IDM_OPEN);
  ASSERT_TRUE(ChooseInFileDialog(L"Open", path));
  WaitUntilDialogGone(L"Open");
  Settle(Main());
  EXPECT_EQ(Text(), L"first version and more");
  Select(0, 5);
  std::string firstWord = SelectionRtf();
  EXPECT_TRUE(Contains(firstWord, "\\b ") || Contains(firstWord, "\\b\\")) << firstWord;
}

TEST_F(DocumentPane, OpenReplacesTheTextAndKeepsTheTitle) {
  Start(L"editor-open");
  std::wstring path = Folder() + L"\\given.rtf";
  // Written by hand: a bold word, a plain word and a centred second paragraph.
  WriteFile(path,
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 {\\b Heavy} light\\par\\qc centred\\par}");
  Type(L"to be replaced");
  std::wstring title = WindowText(Main());
  Launch(IDM_OPEN);
  ASSERT_TRUE(ChooseInFileDialog(L"Open", path, L"editor-open"));
  WaitUntilDialogGone(L"Open");
  Settle(Main());
  std::wstring text = Text();
  EXPECT_EQ(text.substr(0, 11), L"Heavy light");
  EXPECT_NE(text.find(L"centred"), std::wstring::npos);
  EXPECT_EQ(text.find(L"replaced"), std::wstring::npos);
  EXPECT_EQ(WindowText(Main()), title);
  EXPECT_FALSE(Modified());

  // Saved under a new name, the formatting survives.
  std::wstring copy = Folder() + L"\\copy.rtf";
  DeleteFileW(copy.c_str());
  Launch(IDM_SAVE_AS);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", copy));
  WaitUntilDialogGone(L"Save As");
  Settle(Main());
  std::string saved = ReadFile(copy);
  EXPECT_TRUE(Contains(saved, "Heavy")) << saved;
  EXPECT_TRUE(Contains(saved, "\\b")) << saved;
  EXPECT_TRUE(Contains(saved, "\\qc")) << saved;
  EXPECT_EQ(WindowText(Main()), copy);
}

TEST_F(DocumentPane, SaveAsOverAnExistingFileAsksFirst) {
  Start(L"editor-overwrite");
  std::wstring path = Folder() + L"\\existing.rtf";
  WriteFile(path, "{\\rtf1 kept\\par}");
  Type(L"new words");
  Launch(IDM_SAVE_AS);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", path));
  HWND question = WaitForOverwriteQuestion(Pid(), 10000);
  ASSERT_NE(question, nullptr) << "no question before replacing the file";
  SaveScreenshot(L"editor-overwrite-question");
  // A yes-or-no question (Windows names the file in it, Wine does not).
  EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
  EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
  ClickButton(question, IDNO);
  Settle(Main());
  EXPECT_EQ(ReadFile(path), "{\\rtf1 kept\\par}");
  // Still in the dialog: confirmed the second time.
  HWND dialog = WaitForDialog(Pid(), L"Save As", 5000);
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, IDCANCEL);
  WaitUntilDialogGone(L"Save As");
  EXPECT_EQ(ReadFile(path), "{\\rtf1 kept\\par}");
  EXPECT_TRUE(Modified());

  Launch(IDM_SAVE_AS);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", path));
  HWND confirm = WaitForOverwriteQuestion(Pid(), 10000);
  ASSERT_NE(confirm, nullptr);
  ClickButton(confirm, IDYES);
  Settle(Main());
  WaitUntilDialogGone(L"Save As");
  Settle(Main());
  EXPECT_TRUE(Contains(ReadFile(path), "new words"));
  EXPECT_EQ(WindowText(Main()), path);
}

TEST_F(DocumentPane, SaveThatCannotWriteReportsAndStaysModified) {
  Start(L"editor-read-only");
  std::wstring path = Folder() + L"\\locked.rtf";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
  Type(L"one");
  Launch(IDM_SAVE_AS);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", path));
  WaitUntilDialogGone(L"Save As");
  Settle(Main());
  ASSERT_EQ(WindowText(Main()), path);
  std::string before = ReadFile(path);
  ASSERT_TRUE(Contains(before, "one"));

  // The path becomes a folder, which no Save can replace (a read-only
  // attribute would not stop a test run by root under Wine).
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  SetWindowTextW(Main(), L"marker title");
  Select(3, 3);
  Type(L" two");
  Launch(IDM_SAVE);
  std::wstring report = Answer(L"Logodex");
  EXPECT_EQ(report, L"The document could not be saved:\n" + path);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(WindowText(Main()), L"marker title");
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  ASSERT_TRUE(RemoveDirectoryW(path.c_str()));
  WriteFile(path, before);

  // A file held open without sharing by another program: the same report.
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Launch(IDM_SAVE);
  EXPECT_EQ(Answer(L"Logodex"), L"The document could not be saved:\n" + path);
  CloseHandle(held);
  EXPECT_TRUE(Modified());
  Run(IDM_SAVE);
  EXPECT_TRUE(Contains(ReadFile(path), "one two"));
  EXPECT_FALSE(Modified());
}

TEST_F(DocumentPane, OpenHtmlShowsTheFileAndLeavesTheDocumentPath) {
  Start(L"editor-html");
  std::wstring page = Folder() + L"\\visit.htm";
  const std::string html = "<html><body><p>Visited page</p></body></html>";
  WriteFile(page, html);
  Type(L"document text");
  Launch(IDM_OPEN_HTML);
  ASSERT_TRUE(ChooseInFileDialog(L"Open", page, L"editor-open-html"));
  // The pane shows the chosen file under its file name.
  HWND pane = WaitForWindow(Pid(), L"visit.htm", nullptr, 10000);
  EXPECT_NE(pane, nullptr) << "no pane titled visit.htm";
  SaveScreenshot(L"editor-html-pane");
  EXPECT_EQ(Text(), L"document text");

  // Save still asks for a path: the page is not the document.
  Launch(IDM_SAVE);
  HWND dialog = WaitForDialog(Pid(), L"Save As", 10000);
  EXPECT_NE(dialog, nullptr);
  if (dialog) ClickButton(dialog, IDCANCEL);
  WaitUntilDialogGone(L"Save As");
  EXPECT_EQ(ReadFile(page), html);
}

}  // namespace
