// The document pane of Logodex.exe worked from another process: text typed
// into the rich edit child of the main window (it has no size, but takes
// messages), every editing command sent as WM_COMMAND, the Find and font
// dialogs, the RTF file dialogs driven through their file name fields,
// and the files written checked byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "tests/gui/gui_driver.h"

namespace {

// Control identifiers of the system's common dialogs (dlgs.h).
constexpr int kFindWhatField = 0x480;  // edt1 of the Find dialog
constexpr int kFileNameCombo = 0x47c;  // cmb13 of the explorer-style file dialogs
constexpr int kFileNameField = 0x480;  // edt1, the older file name field
constexpr int kFontFaceCombo = 0x470;  // cmb1 of the font dialog
constexpr int kFontSizeCombo = 0x472;  // cmb3

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

// Chinese text for every test of documents: U+20BB7 is of Extension B,
// a surrogate pair in UTF-16.
const std::wstring kExtensionB = L"\xD842\xDFB7";
const std::wstring kHan = L"\x6F22\x5B57" + kExtensionB + L"\x8A5E\x5178";  // 漢字𠮷詞典

// Text as RTF characters: \uN with N as a signed 16-bit number, and "?"
// for readers without Unicode.
std::string RtfText(const std::wstring& text) {
  std::string rtf;
  for (wchar_t c : text) {
    if (c < 0x80 && c != L'\\' && c != L'{' && c != L'}') {
      rtf += static_cast<char>(c);
    } else {
      rtf += "\\u" + std::to_string(static_cast<short>(c)) + "?";
    }
  }
  return rtf;
}

// The characters of an RTF document with whether each is bold: a reader
// of groups, \b, \b0, \plain, \uN (skipping one fallback character),
// \'hh, \par and literal text (control characters left out), leaving out destinations such as the font
// table. Enough for the files the rich edit control writes.
struct RtfCharacter {
  wchar_t c;
  bool bold;
};
std::vector<RtfCharacter> RtfCharacters(const std::string& rtf) {
  std::vector<RtfCharacter> out;
  std::vector<std::pair<bool, bool>> stack;  // bold, skipped
  bool bold = false, skipped = false;
  int skipFallback = 0;
  for (std::size_t i = 0; i < rtf.size();) {
    char c = rtf[i];
    if (c == '{') {
      stack.push_back({bold, skipped});
      ++i;
      if (rtf.compare(i, 2, "\\*") == 0) skipped = true;
      for (const char* destination : {"\\fonttbl", "\\colortbl", "\\stylesheet", "\\info", "\\generator"})
        if (rtf.compare(i, strlen(destination), destination) == 0) skipped = true;
      continue;
    }
    if (c == '}') {
      if (!stack.empty()) {
        bold = stack.back().first;
        skipped = stack.back().second;
        stack.pop_back();
      }
      ++i;
      continue;
    }
    if (static_cast<unsigned char>(c) < 0x20) {  // line ends, and the NUL the control writes last
      ++i;
      continue;
    }
    if (c == '\\') {
      ++i;
      if (i < rtf.size() && !isalpha(static_cast<unsigned char>(rtf[i]))) {
        char symbol = rtf[i++];
        if (symbol == '\'') {
          i += 2;
          if (skipFallback > 0) --skipFallback;
          else if (!skipped) out.push_back({L'?', bold});
        } else if (!skipped && (symbol == '\\' || symbol == '{' || symbol == '}')) {
          out.push_back({static_cast<wchar_t>(symbol), bold});
        }
        continue;
      }
      std::size_t start = i;
      while (i < rtf.size() && isalpha(static_cast<unsigned char>(rtf[i]))) ++i;
      std::string word = rtf.substr(start, i - start);
      std::size_t numberStart = i;
      if (i < rtf.size() && rtf[i] == '-') ++i;
      while (i < rtf.size() && isdigit(static_cast<unsigned char>(rtf[i]))) ++i;
      std::string number = rtf.substr(numberStart, i - numberStart);
      if (i < rtf.size() && rtf[i] == ' ') ++i;
      if (word == "b") bold = number != "0";
      if (word == "plain") bold = false;
      if (word == "par" && !skipped) out.push_back({L'\n', bold});
      if (word == "u" && !skipped) {
        out.push_back({static_cast<wchar_t>(static_cast<unsigned short>(std::stoi(number))), bold});
        skipFallback = 1;
      }
      continue;
    }
    ++i;
    if (skipFallback > 0) {
      --skipFallback;
      continue;
    }
    if (!skipped) out.push_back({static_cast<wchar_t>(static_cast<unsigned char>(c)), bold});
  }
  return out;
}

// The bold and the plain characters of an RTF document, each in order.
std::pair<std::wstring, std::wstring> BoldAndPlain(const std::string& rtf) {
  std::pair<std::wstring, std::wstring> parts;
  for (const RtfCharacter& character : RtfCharacters(rtf))
    if (character.c != L'\n') (character.bold ? parts.first : parts.second) += character.c;
  return parts;
}

// Control text with the rich edit control's paragraph ends as "\n".
std::wstring Lines(std::wstring text) {
  std::wstring lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    lines += text[i] == L'\r' ? L'\n' : text[i];
  }
  return lines;
}

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

  // A part of the status bar's text, read through memory in the
  // program's own process (the status bar's messages carry pointers).
  std::wstring StatusText(int part) {
    HWND status = GetDlgItem(Main(), IDC_STATUS_BAR);
    if (!status) status = FindWindowExW(Main(), nullptr, L"msctls_statusbar32", nullptr);
    if (!status) return L"<no status bar>";
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, Pid());
    if (!process) return L"<no access>";
    const SIZE_T room = 512;
    void* remote = VirtualAllocEx(process, nullptr, room * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
    std::wstring text(room, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(status, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000, &length);
    SIZE_T read = 0;
    ReadProcessMemory(process, remote, &text[0], room * sizeof(wchar_t), &read);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    text.resize(wcsnlen(text.c_str(), room));
    return text;
  }

  // Open (201) of a file through the Open dialog.
  void OpenFile(const std::wstring& path) {
    Launch(IDM_OPEN);
    ASSERT_TRUE(ChooseInFileDialog(L"Open", path)) << "no Open dialog";
    WaitUntilDialogGone(L"Open");
    Settle(Main());
  }

  // Save As (203) to a new file through the Save As dialog.
  void SaveAsNewFile(const std::wstring& path) {
    Launch(IDM_SAVE_AS);
    ASSERT_TRUE(ChooseInFileDialog(L"Save As", path)) << "no Save As dialog";
    WaitUntilDialogGone(L"Save As");
    Settle(Main());
  }

  // Open of a file that is refused: the report it gives.
  std::wstring FailToOpen(const std::wstring& path) {
    Launch(IDM_OPEN);
    if (!ChooseInFileDialog(L"Open", path)) return L"<no Open dialog>";
    std::wstring report = Answer(L"Logodex");
    WaitUntilDialogGone(L"Open");
    return report;
  }

  // The keyboard focus in the editor of the program in front (alignment
  // commands end by focusing it), for keys pressed through the system.
  void FocusEditorForKeys() {
    SetForegroundWindow(Main());
    Run(IDM_ALIGN_LEFT);
    Settle(Main());
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

// The face that text in the face is drawn in on this system (the face
// itself when installed), as a device context of this process answers.
std::wstring DrawnFace(const std::wstring& face) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfCharSet = ANSI_CHARSET;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  HFONT created = CreateFontIndirectW(&font);
  HGDIOBJ previous = SelectObject(screen, created);
  wchar_t drawn[LF_FACESIZE] = L"";
  GetTextFaceW(screen, LF_FACESIZE, drawn);
  SelectObject(screen, previous);
  DeleteObject(created);
  ReleaseDC(nullptr, screen);
  return drawn;
}

// The dialog opens on the text's own size (its RTF's \fs in half points)
// and on the face it is drawn in (the RTF's face, which may stand in for
// another), then sets the size chosen.
TEST_F(DocumentPane, FontDialogOpensOnTheTextsFontAndSetsTwelvePoints) {
  Start(L"editor-font");
  Type(L"sized");
  Run(IDM_SELECT_ALL);
  std::string rtf = SelectionRtf();
  std::size_t fs = rtf.find("\\fs"), face = rtf.find("\\f0");
  ASSERT_NE(fs, std::string::npos) << rtf;
  ASSERT_NE(face, std::string::npos) << rtf;
  std::wstring points = std::to_wstring(std::stoi(rtf.substr(fs + 3)) / 2);
  std::size_t name = rtf.find(' ', face) + 1;
  std::string faceName = rtf.substr(name, rtf.find(';', name) - name);
  Launch(IDM_FONT);
  HWND dialog = WaitForDialog(Pid(), L"Font", 10000);
  ASSERT_NE(dialog, nullptr) << "no font dialog";
  HWND size = GetDlgItem(dialog, kFontSizeCombo);
  ASSERT_NE(size, nullptr);
  Settle(Main(), 500);
  EXPECT_EQ(ControlText(GetDlgItem(dialog, kFontFaceCombo)), DrawnFace(std::wstring(faceName.begin(), faceName.end())));
  EXPECT_EQ(ControlText(size), points);
  SendMessageW(size, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"12"));
  SendMessageW(size, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
  SaveScreenshot(L"editor-font-dialog");
  ClickButton(dialog, IDOK);
  WaitUntilDialogGone(L"Font");
  // 12 points are 24 half-points in RTF (\fs) and 240 twips in the control.
  rtf = SelectionRtf();
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

TEST_F(DocumentPane, FindUpSelectsTheMatchesBeforeTheSelection) {
  Start(L"editor-find-up");
  Type(L"one two one two one");
  Select(19, 19);
  Launch(IDM_FIND);
  HWND find = WaitForDialog(Pid(), L"Find", 10000);
  ASSERT_NE(find, nullptr) << "no Find dialog";
  HWND up = GetDlgItem(find, 0x420);  // rad1 of the Find dialog: Up
  ASSERT_NE(up, nullptr) << "the dialog offers no Up";
  SendMessageW(GetDlgItem(find, kFindWhatField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one"));
  SendMessageW(up, BM_CLICK, 0, 0);
  SendMessageW(GetDlgItem(find, 0x421), BM_SETCHECK, BST_UNCHECKED, 0);  // rad2: Down
  SaveScreenshot(L"editor-find-up");
  for (int start : {16, 8, 0}) {
    ClickButton(find, IDOK);
    Settle(Main());
    EXPECT_EQ(Selection(), std::make_pair(start, start + 3));
  }
  ClickButton(find, IDOK);
  EXPECT_EQ(Answer(L"Find"), L"Text not found.");
  EXPECT_EQ(Selection(), std::make_pair(0, 3));
  ClickButton(find, IDCANCEL);
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

// ---------------------------------------------------------------- Chinese text

TEST_F(DocumentPane, ChineseLinesAreParagraphsAndFindFindsThem) {
  Start(L"editor-chinese");
  const std::wstring first = kHan + L" and " + kHan;
  const std::wstring second = L"\x6587" + kExtensionB + L"\x5B57";  // 文𠮷字
  Type(first + L"\r" + second);
  ASSERT_EQ(Lines(Text()), first + L"\n" + second);
  std::size_t secondStart = Text().find(second);
  ASSERT_NE(secondStart, std::wstring::npos);

  // The caret text counts the document's lines, however narrow the pane.
  Select(3, 7);
  Settle(Main());
  EXPECT_EQ(StatusText(1), L"Ln 1, Pos 4:8");
  Select(2, static_cast<int>(secondStart) + 1);
  Settle(Main());
  EXPECT_EQ(StatusText(1), L"Ln 1:2, Pos 3:" + std::to_wstring(secondStart + 2));
  // The End key goes to the end of the first paragraph.
  Select(0, 0);
  PressKey(editor_, VK_END);
  Settle(Main());
  EXPECT_EQ(StatusText(1), L"Ln 1, Pos " + std::to_wstring(first.size() + 1));
  SaveScreenshot(L"editor-chinese-status");

  // Find: the Extension B character, then a word ending with it.
  Select(0, 0);
  Launch(IDM_FIND);
  HWND find = WaitForDialog(Pid(), L"Find", 10000);
  ASSERT_NE(find, nullptr) << "no Find dialog";
  HWND field = GetDlgItem(find, kFindWhatField);
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kExtensionB.c_str()));
  ClickButton(find, IDOK);
  Settle(Main());
  EXPECT_EQ(Selection(), std::make_pair(2, 4));
  ClickButton(find, IDOK);
  Settle(Main());
  EXPECT_EQ(Selection(), std::make_pair(13, 15));
  const std::wstring word = L"\x6587" + kExtensionB;  // 文𠮷
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word.c_str()));
  SaveScreenshot(L"editor-find-chinese");
  ClickButton(find, IDOK);
  Settle(Main());
  EXPECT_EQ(Selection(), std::make_pair(static_cast<int>(secondStart), static_cast<int>(secondStart) + 3));
  ClickButton(find, IDOK);
  EXPECT_EQ(Answer(L"Find"), L"Text not found.");
  ClickButton(find, IDCANCEL);
}

TEST_F(DocumentPane, OpenedFormattingSurvivesSaveAndOpenAgain) {
  Start(L"editor-rtf-formats");
  // 格式𠮷.rtf: a bold run, a plain run and a centred second paragraph.
  std::wstring path = Folder() + L"\\\x683C\x5F0F" + kExtensionB + L".rtf";
  WriteFile(path, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 {\\b " + RtfText(L"Heavy " + kHan) + "} " +
                      RtfText(L"light " + kHan) + "\\par\\qc " + RtfText(L"centred " + kHan) + "\\par}");
  OpenFile(path);
  const std::wstring text = L"Heavy " + kHan + L" light " + kHan + L"\n" + L"centred " + kHan;
  EXPECT_EQ(Lines(Text()).substr(0, text.size()), text);

  // 副本𠮷.rtf: written from the opened document, read back byte by byte.
  std::wstring copy = Folder() + L"\\\x526F\x672C" + kExtensionB + L".rtf";
  DeleteFileW(copy.c_str());
  SaveAsNewFile(copy);
  EXPECT_EQ(WindowText(Main()), copy);
  std::string saved = ReadFile(copy);
  auto parts = BoldAndPlain(saved);
  EXPECT_EQ(parts.first, L"Heavy " + kHan) << saved;
  EXPECT_EQ(parts.second, L" light " + kHan + L"centred " + kHan) << saved;
  EXPECT_TRUE(Contains(saved, "\\qc")) << saved;

  // Opened again and saved in place: the same characters, the same bold.
  Run(IDM_NEW);
  OpenFile(copy);
  EXPECT_EQ(Lines(Text()).substr(0, text.size()), text);
  Select(0, 0);
  Type(L"\x65B0");  // 新, in the bold run
  Run(IDM_SAVE);
  EXPECT_FALSE(Modified());
  auto again = BoldAndPlain(ReadFile(copy));
  EXPECT_EQ(again.first, L"\x65B0Heavy " + kHan);
  EXPECT_EQ(again.second, parts.second);
}

TEST_F(DocumentPane, FailedOpenIsReportedAndChangesNothing) {
  Start(L"editor-open-locked");
  // 受害𠮷.rtf, held open without sharing by this test.
  std::wstring victim = Folder() + L"\\\x53D7\x5BB3" + kExtensionB + L".rtf";
  const std::string victimBytes = "{\\rtf1\\ansi " + RtfText(L"victim " + kHan) + "\\par}";
  WriteFile(victim, victimBytes);
  Type(L"pane " + kHan);
  std::wstring title = WindowText(Main());
  HANDLE held = CreateFileW(victim.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Launch(IDM_OPEN);
  ASSERT_TRUE(ChooseInFileDialog(L"Open", victim));
  EXPECT_EQ(Answer(L"Logodex"), L"The document could not be opened:\n" + victim);
  CloseHandle(held);
  WaitUntilDialogGone(L"Open");
  EXPECT_EQ(Lines(Text()), L"pane " + kHan);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(WindowText(Main()), title);

  // The document still has no path: Save asks for one, and the file that
  // could not be opened is not written.
  Launch(IDM_SAVE);
  HWND dialog = WaitForDialog(Pid(), L"Save As", 10000);
  EXPECT_NE(dialog, nullptr) << "Save wrote without asking";
  if (dialog) ClickButton(dialog, IDCANCEL);
  WaitUntilDialogGone(L"Save As");
  EXPECT_EQ(ReadFile(victim), victimBytes);
}

// Han of a file name and of the Find field is drawn, not boxed: the title
// after Save As 文档𠀀.rtf, the Find field holding 𠀀 (U+20000) and the
// report of a refused Open of 旧.txt. A missing glyph is the same box for
// every character, so each is drawn unlike the same text with other
// characters in their place. Captions and message boxes draw through
// Wine's GDI, which takes each half of a surrogate pair alone: there 𠀀 is
// two boxes under Wine 8, and only the BMP characters are asked of them.
TEST_F(DocumentPane, HanOfFileNamesAndOfTheFindFieldIsDrawn) {
  Start(L"editor-han-drawn");
  Type(L"one");
  const std::wstring first = L"\xD840\xDC00", second = L"\xD869\xDED6";  // 𠀀, 𪛖
  const std::wstring saved = Folder() + L"\\\x6587\x6863" + first + L".rtf";
  DeleteFileW(saved.c_str());  // left by an earlier run, it would be asked about
  SaveAsNewFile(saved);
  const std::wstring title = WindowText(Main());
  const std::size_t name = title.find(L"\x6587\x6863" + first + L".rtf");
  ASSERT_NE(name, std::wstring::npos) << "the title does not name the file";
  auto captionShowing = [&](const std::wstring& text) {
    SetWindowTextW(Main(), text.c_str());
    Settle(Main(), 300);
    return CaptionSignature(Main());
  };
  const std::uint64_t shown = captionShowing(title);
  SaveScreenshot(L"editor-han-title");
  EXPECT_NE(captionShowing(std::wstring(title).replace(name, 2, L"\x5B57\x5178")), shown)
      << "the title draws \u6587\u6863 as boxes";
  std::printf("Extension B in the title: %s\n",
              captionShowing(std::wstring(title).replace(name + 2, 2, second)) == shown ? "boxes" : "drawn");
  captionShowing(title);

  Launch(IDM_FIND);
  HWND find = WaitForDialog(Pid(), L"Find", 10000);
  ASSERT_NE(find, nullptr) << "no Find dialog";
  HWND field = GetDlgItem(find, kFindWhatField);
  const std::uint64_t typed = SignatureShowing(field, first);
  SaveScreenshot(L"editor-han-find-field");
  ClientCapture shot = CaptureClient(field);
  std::printf("U+20000 in the Find field: darkest %d\n", InkIn(shot, 0, 0, shot.width, shot.height).darkest);
  EXPECT_FALSE(IsMissingGlyphMark(shot, 0, 0, shot.width, shot.height)) << "the Find field draws U+20000 as a box";
  EXPECT_NE(SignatureShowing(field, second), typed) << "the Find field draws U+20000 and U+2A6D6 as the same box";
  ClickButton(find, IDCANCEL);
  Settle(Main());

  const std::wstring old = Folder() + L"\\\x65E7.txt";  // 旧.txt, not a document
  WriteFile(old, "plain text");
  Launch(IDM_OPEN);
  ASSERT_TRUE(ChooseInFileDialog(L"Open", old));
  HWND box = WaitForMessageBox(Pid(), L"Logodex", 10000);
  ASSERT_NE(box, nullptr) << "the refused Open was not reported";
  HWND message = GetDlgItem(box, 0xFFFF);
  const std::wstring report = MessageBoxText(box);
  ASSERT_NE(report.find(old), std::wstring::npos);
  const std::uint64_t reported = SignatureShowing(message, report);
  EXPECT_NE(SignatureShowing(message, std::wstring(report).replace(report.find(L'\x65E7'), 1, L"\x65B0")), reported)
      << "the message box draws \u65E7 as a box";
  ClickButton(box, IDOK);
  WaitUntilDialogGone(L"Open");
}

// Keys through the system beside two Extension B characters (U+20000 and
// U+2A6D6): the caret and both ends of the selection step over each pair,
// Backspace and Delete take a pair whole, typing lands beside it.
TEST_F(DocumentPane, CaretAndSelectionNeverSplitASurrogatePair) {
  Start(L"editor-surrogates");
  const std::wstring first = L"\xD840\xDC00", second = L"\xD869\xDED6";  // 𠀀, 𪛖
  Type(L"a" + first + L"b" + second + L"c");  // a 0, 𠀀 1-2, b 3, 𪛖 4-5, c 6
  FocusEditorForKeys();
  auto press = [this](WORD modifier, WORD key) {
    PressChord(modifier, key);
    Settle(Main(), 100);
    return Selection();
  };
  Select(1, 1);
  EXPECT_EQ(press(0, VK_RIGHT), std::make_pair(3, 3));
  EXPECT_EQ(press(0, VK_RIGHT), std::make_pair(4, 4));
  EXPECT_EQ(press(0, VK_RIGHT), std::make_pair(6, 6));
  EXPECT_EQ(press(0, VK_LEFT), std::make_pair(4, 4));
  EXPECT_EQ(press(0, VK_LEFT), std::make_pair(3, 3));
  EXPECT_EQ(press(0, VK_LEFT), std::make_pair(1, 1));
  // Extended to the right and taken back; extended to the left past a pair.
  EXPECT_EQ(press(VK_SHIFT, VK_RIGHT), std::make_pair(1, 3));
  EXPECT_EQ(press(VK_SHIFT, VK_RIGHT), std::make_pair(1, 4));
  EXPECT_EQ(press(VK_SHIFT, VK_RIGHT), std::make_pair(1, 6));
  EXPECT_EQ(press(VK_SHIFT, VK_LEFT), std::make_pair(1, 4));
  EXPECT_EQ(press(VK_SHIFT, VK_LEFT), std::make_pair(1, 3));
  EXPECT_EQ(press(VK_SHIFT, VK_LEFT), std::make_pair(1, 1));
  Select(6, 6);
  EXPECT_EQ(press(VK_SHIFT, VK_LEFT), std::make_pair(4, 6));
  EXPECT_EQ(press(VK_SHIFT, VK_LEFT), std::make_pair(3, 6));
  EXPECT_EQ(press(VK_SHIFT, VK_LEFT), std::make_pair(1, 6));
  EXPECT_EQ(Text(), L"a" + first + L"b" + second + L"c");

  // Typing after Right from the start of a pair, Backspace after a pair,
  // Delete before one.
  Select(1, 1);
  press(0, VK_RIGHT);
  PressChord(0, 'X');
  Settle(Main(), 100);
  EXPECT_EQ(Text(), L"a" + first + L"xb" + second + L"c");
  Select(7, 7);
  press(0, VK_LEFT);  // to 5, after "b", before 𪛖
  EXPECT_EQ(press(0, VK_DELETE), std::make_pair(5, 5));
  EXPECT_EQ(Text(), L"a" + first + L"xbc");
  Select(3, 3);
  EXPECT_EQ(press(0, VK_BACK), std::make_pair(1, 1));
  EXPECT_EQ(Text(), L"axbc");
}

// A file that is not a whole RTF document leaves the document as it was:
// its text, its undo, its path and title, and the file a Save writes.
TEST_F(DocumentPane, OpenOfAFileThatIsNoDocumentChangesNothing) {
  Start(L"editor-open-not-rtf");
  std::wstring mine = Folder() + L"\\mine2.rtf";
  DeleteFileW(mine.c_str());
  Type(L"kept " + kHan);
  SaveAsNewFile(mine);
  ASSERT_EQ(WindowText(Main()), mine);
  const std::string saved = ReadFile(mine);
  ASSERT_EQ(BoldAndPlain(saved).second, L"kept " + kHan) << saved;
  Select(static_cast<int>(Text().size()), static_cast<int>(Text().size()));
  Type(L" more");

  struct Bad {
    const wchar_t* name;
    std::string bytes;
  } const bad[] = {
      {L"plain.rtf", "plain text written by another program\r\n"},
      {L"empty.rtf", ""},
      {L"binary.rtf", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe{", 17)},
      {L"truncated.rtf", saved.substr(0, saved.size() / 2)},
  };
  for (const Bad& file : bad) {
    SCOPED_TRACE(file.name);
    std::wstring path = Folder() + L"\\" + file.name;
    WriteFile(path, file.bytes);
    EXPECT_EQ(FailToOpen(path), L"The document could not be opened:\n" + path);
    EXPECT_EQ(Lines(Text()), L"kept " + kHan + L" more");
    EXPECT_TRUE(Modified());
    EXPECT_EQ(WindowText(Main()), mine);
  }
  // Save writes the document to its own file.
  Run(IDM_SAVE);
  EXPECT_EQ(BoldAndPlain(ReadFile(mine)).second, L"kept " + kHan + L" more");
  EXPECT_FALSE(Modified());
  // The typing is still there to undo.
  Run(IDM_UNDO);
  EXPECT_EQ(Lines(Text()), L"kept " + kHan);
}

// The access rights of a file as the system reports them; under Wine they
// are made from the file's Unix mode.
std::string AccessRights(const std::wstring& path) {
  DWORD needed = 0;
  GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
  std::string rights(needed, '\0');
  if (needed == 0 || !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, &rights[0], needed, &needed))
    return "<no rights>";
  return rights;
}

// Needs the files that editor_test.sh makes in the folder named by
// LOGODEX_FILE_IDENTITY (private.rtf of mode 600, link.rtf a symbolic link
// to target.rtf, locked.rtf of mode 444); the script checks their modes
// and the link after the run.
TEST_F(DocumentPane, SaveKeepsTheFilesRightsLinkAndReadOnlyState) {
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetEnvironmentVariableW(L"LOGODEX_FILE_IDENTITY", &folder[0], MAX_PATH));
  ASSERT_FALSE(folder.empty()) << "LOGODEX_FILE_IDENTITY is not set (editor_test.sh sets it)";
  Start(L"editor-file-identity");
  auto edit = [this](const std::wstring& path) {
    OpenFile(path);
    Select(0, 0);
    Type(L"changed ");
  };

  // Readable by its owner alone, and still so after the Save.
  const std::wstring mine = folder + L"\\private.rtf";
  const std::string rights = AccessRights(mine);
  edit(mine);
  Run(IDM_SAVE);
  EXPECT_FALSE(Modified());
  EXPECT_EQ(BoldAndPlain(ReadFile(mine)).second, L"changed private");
  EXPECT_EQ(AccessRights(mine), rights) << "the rights changed";

  // Through the link, the file it leads to is written.
  const std::wstring link = folder + L"\\link.rtf";
  edit(link);
  Run(IDM_SAVE);
  EXPECT_EQ(WindowText(Main()), link);
  EXPECT_EQ(BoldAndPlain(ReadFile(folder + L"\\target.rtf")).second, L"changed target");

  // A read-only file is refused; Save As is offered, and declined leaves
  // everything as it was.
  const std::wstring locked = folder + L"\\locked.rtf";
  edit(locked);
  const std::wstring question = locked + L" is read-only.\nSave the document under another name?";
  Launch(IDM_SAVE);
  EXPECT_EQ(Answer(L"Logodex", IDNO), question);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(ReadFile(locked), "{\\rtf1 locked\\par}");
  EXPECT_NE(GetFileAttributesW(locked.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  const std::wstring copy = Folder() + L"\\unlocked.rtf";
  DeleteFileW(copy.c_str());
  Launch(IDM_SAVE);
  EXPECT_EQ(Answer(L"Logodex", IDYES), question);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", copy)) << "no Save As offered";
  WaitUntilDialogGone(L"Save As");
  Settle(Main());
  EXPECT_EQ(WindowText(Main()), copy);
  EXPECT_EQ(BoldAndPlain(ReadFile(copy)).second, L"changed locked");
  EXPECT_EQ(ReadFile(locked), "{\\rtf1 locked\\par}");
}

// Needs a small file system (64 KB) at the folder named by
// LOGODEX_FULL_DISK, which editor_test.sh mounts.
TEST_F(DocumentPane, SaveOnAFullDiskKeepsTheOldFileWhole) {
  std::wstring disk(MAX_PATH, L'\0');
  disk.resize(GetEnvironmentVariableW(L"LOGODEX_FULL_DISK", &disk[0], MAX_PATH));
  ASSERT_FALSE(disk.empty()) << "no small file system: LOGODEX_FULL_DISK is not set (editor_test.sh sets it)";
  Start(L"editor-full-disk");
  // 其他𠮷.rtf: about 30 KB, left half of the file system free.
  std::wstring other = disk + L"\\\x5176\x4ED6" + kExtensionB + L".rtf";
  std::string otherBytes = "{\\rtf1\\ansi ";
  while (otherBytes.size() < 30000) otherBytes += RtfText(kHan + L" other ");
  otherBytes += "\\par}";
  WriteFile(other, otherBytes);
  ASSERT_EQ(ReadFile(other), otherBytes);
  // A document of more than the free space.
  std::wstring big = Folder() + L"\\big.rtf";
  std::string bigBytes = "{\\rtf1\\ansi ";
  while (bigBytes.size() < 90000) bigBytes += RtfText(kHan + L" big ");
  WriteFile(big, bigBytes + "\\par}");
  OpenFile(big);
  ASSERT_GT(Text().size(), 9000u);
  std::wstring title = WindowText(Main());

  Launch(IDM_SAVE_AS);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", other));
  HWND question = WaitForOverwriteQuestion(Pid(), 10000);
  ASSERT_NE(question, nullptr);
  ClickButton(question, IDYES);
  EXPECT_EQ(Answer(L"Logodex", IDOK, 30000), L"The document could not be saved:\n" + other);
  WaitUntilDialogGone(L"Save As");
  EXPECT_EQ(ReadFile(other), otherBytes) << "the old file was damaged";
  EXPECT_EQ(WindowText(Main()), title);
  // Nothing else is left on the file system.
  WIN32_FIND_DATAW entry;
  HANDLE listing = FindFirstFileW((disk + L"\\*").c_str(), &entry);
  int files = 0;
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
  }
  EXPECT_EQ(files, 1) << "a temporary file was left behind";

  // A small document fits beside the old file and then replaces it.
  Run(IDM_NEW);
  Type(L"small " + kHan);
  Launch(IDM_SAVE_AS);
  ASSERT_TRUE(ChooseInFileDialog(L"Save As", other));
  HWND confirm = WaitForOverwriteQuestion(Pid(), 10000);
  ASSERT_NE(confirm, nullptr);
  ClickButton(confirm, IDYES);
  WaitUntilDialogGone(L"Save As");
  Settle(Main());
  std::string small = ReadFile(other);
  EXPECT_EQ(BoldAndPlain(small).second, L"small " + kHan) << small;
  EXPECT_EQ(WindowText(Main()), other);
  EXPECT_FALSE(Modified());
}

}  // namespace
