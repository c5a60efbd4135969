// Logodex.exe worked as a person would: each test starts the program in a
// fresh working folder, types into the search bar, uses the menu, reads
// the pages, the pane's title, the message boxes and the clipboard, and
// saves screenshots into bin/gui-artefacts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "resources/resource.h"
#include "tests/gui/gui_driver.h"

namespace {

const std::vector<std::wstring> kDataFiles = {L"TotalStrokeOrdered.txt", L"unihan.txt"};

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// What a control shows on the screen once its text is replaced, without
// its blinking caret.
std::uint64_t SignatureShowing(HWND control, const std::wstring& text) {
  SendMessageW(control, WM_KILLFOCUS, 0, 0);
  SetWindowTextW(control, text.c_str());
  InvalidateRect(control, nullptr, TRUE);
  Settle(control, 300);
  return ClientImageSignature(control);
}

class LogodexSession : public ::testing::Test {
 protected:
  void Start(const std::wstring& folderName, const std::vector<std::wstring>& files = kDataFiles) {
    program_.folder = MakeWorkingFolder(folderName, files);
    ASSERT_TRUE(StartLogodex(program_)) << "the main window did not appear";
  }

  void TearDown() override {
    if (program_.process.hProcess) CloseLogodex(program_);
  }

  DWORD Pid() const { return program_.process.dwProcessId; }
  HWND Main() const { return program_.mainWindow; }
  std::wstring Folder() const { return program_.folder; }

  HWND SearchBar() { return WaitForWindow(Pid(), L"Logodex", L"#32770", 5000); }

  // Types the key into a field of the search bar and presses Enter.
  void Search(int fieldId, const std::wstring& key) {
    HWND field = GetDlgItem(SearchBar(), fieldId);
    ASSERT_NE(field, nullptr);
    SetWindowTextW(field, L"");
    TypeInto(field, key);
    PressKey(field, VK_RETURN);
  }

  // The browser pane, found by the title it shows.
  HWND PaneTitled(const std::wstring& title, DWORD timeoutMs = 10000) {
    return WaitForWindow(Pid(), title.c_str(), nullptr, timeoutMs);
  }

  // Waits for a message box, returns its text and closes it with OK.
  std::wstring AnswerBox(const std::wstring& caption, DWORD timeoutMs = 10000) {
    HWND box = WaitForWindow(Pid(), caption.c_str(), L"#32770", timeoutMs);
    if (!box) return L"<no box " + caption + L">";
    std::wstring text = MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Settle(Main());
    return text;
  }

  void Command(int id) { PostMessageW(Main(), WM_COMMAND, id, 0); }

  // The document pane: the main window's rich edit child.
  HWND EditorPane() {
    for (HWND child = GetWindow(Main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[64] = L"";
      GetClassNameW(child, name, 64);
      if (_wcsnicmp(name, L"RichEdit", 8) == 0) return child;
    }
    return nullptr;
  }

  RunningProgram program_;
};

TEST_F(LogodexSession, StartsWithSearchBarPaneAndRadicalsIndex) {
  Start(L"start");
  HWND bar = SearchBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_NE(GetDlgItem(bar, IDC_SEARCH_STROKE_NUMBER), nullptr);
  EXPECT_TRUE(FileExists(Folder() + L"\\HtmlRadical.htm"));
  // The search bar sits at the top-left corner of the client area.
  POINT corner{0, 0};
  ClientToScreen(Main(), &corner);
  RECT barRect;
  GetWindowRect(bar, &barRect);
  EXPECT_EQ(barRect.left, corner.x);
  EXPECT_EQ(barRect.top, corner.y);
  SaveScreenshot(L"start");
}

TEST_F(LogodexSession, EverySearchFieldShowsItsPageWithItsStatusText) {
  Start(L"searches");
  struct Case {
    int field;
    const wchar_t* typed;
    const wchar_t* title;
    const wchar_t* pageMark;  // a text the page must hold
  } const cases[] = {
      {IDC_SEARCH_PINYIN, L"ma", L"Pinyin: MA", L"insert5988"},          // 妈 U+5988 reads ma1
      {IDC_SEARCH_UNICODE, L"4e00", L"Unicode: 4E00", L"&#x4E00;"},
      {IDC_SEARCH_MATTHEWS, L"3016", L"Matthews: 3016", L"&#x4E00;"},     // kMatthews 3016: U+4E00
      {IDC_SEARCH_RADICAL_STROKE, L"1.0", L"Radical.Stroke: 1.0", L"insert4E00"},
      {IDC_SEARCH_DEFINITION, L"alone", L"Definition: alone", L"&#x4E00;"},
  };
  for (const Case& c : cases) {
    Search(c.field, c.typed);
    HWND pane = PaneTitled(c.title);
    EXPECT_NE(pane, nullptr) << "no pane titled " << std::string(c.title, c.title + wcslen(c.title));
    std::string page = ReadFile(Folder() + L"\\HtmlRadicalSearch.htm");
    std::wstring mark = c.pageMark;
    EXPECT_NE(page.find(std::string(mark.begin(), mark.end())), std::string::npos);
    SaveScreenshot(std::wstring(L"search-") + std::to_wstring(c.field));
  }
}

// The whole repertoire in the pane (tests/data/unihan_figures.py): the
// radical-stroke page for 1.5 lists 30 characters, Extensions D to H among
// them (3000B of G, 31351 of H); the two-stroke page lists 90, 2A70A of
// Extension C and 30000 of G among them. The screenshots show how the
// fonts draw them.
TEST_F(LogodexSession, PagesOfTheExtensionsAreDrawn) {
  Start(L"extensions");
  Search(IDC_SEARCH_RADICAL_STROKE, L"1.5");
  HWND pane = PaneTitled(L"Radical.Stroke: 1.5");
  ASSERT_NE(pane, nullptr);
  std::string page = ReadFile(Folder() + L"\\HtmlRadicalSearch.htm");
  for (const char* code : {"insert2B741\"", "insert2CEBF\"", "insert3000B\"", "insert31351\""})
    EXPECT_NE(page.find(code), std::string::npos) << code;
  // The end of the page, where Extensions F to H stand.
  SendMessageW(pane, WM_VSCROLL, SB_BOTTOM, 0);
  Settle(Main(), 500);
  SaveScreenshot(L"radical-stroke-1.5");
  Search(IDC_SEARCH_STROKE_NUMBER, L"2");
  EXPECT_NE(PaneTitled(L"TotalStroke: 2 (90)"), nullptr);
  page = ReadFile(Folder() + L"\\HtmlTotalStrokeSearch.htm");
  for (const char* code : {"insert2A70A\"", "insert30000\""}) EXPECT_NE(page.find(code), std::string::npos) << code;
  Settle(Main(), 500);
  SaveScreenshot(L"stroke-number-2");
  // U+30041 is in no packaged font (fc-query over BabelStoneHan.ttf and
  // the HanaMin faces): the page shows a placeholder box for it.
  Search(IDC_SEARCH_UNICODE, L"30041");
  EXPECT_NE(PaneTitled(L"Unicode: 30041"), nullptr);
  Settle(Main(), 500);
  SaveScreenshot(L"unicode-30041-placeholder");
}

TEST_F(LogodexSession, ClickedInsertLinkShowsTheBoxThenFillsTheClipboard) {
  Start(L"insert");
  Search(IDC_SEARCH_PINYIN, L"ma");
  HWND pane = PaneTitled(L"Pinyin: MA");
  ASSERT_NE(pane, nullptr);
  Settle(Main(), 500);
  // Links are drawn in #0000EE; the first one, top left, is the first code
  // of tone 1: 22CC0 (PinyinSearchData's MA1 readings sorted as text).
  POINT link;
  ASSERT_TRUE(FindColourOnScreen(pane, RGB(0, 0, 0xEE), link));
  ClickAt({link.x + 1, link.y + 1});
  // grep -P '^U\+22CC0\t' in the extracts: only kMandarin MA1 and kRSUnicode 64.11.
  EXPECT_EQ(AnswerBox(L"Definition etc."),
            L"Definition: Not available \nRadical.Stroke: 64.11 \nMatthews: Not available \n"
            L"Simplified () Traditional()");
  Settle(Main(), 300);
  EXPECT_EQ(ClipboardText(), " &#x22CC0;");
  SaveScreenshot(L"insert");
}

// The definition of U+3400 refers to U+4E18 丘 as "&#x4e18;" in the data
// (grep -P '^U\+3400\t' over the definition extract); the box shows the
// character, the clipboard keeps the reference. U+3400 is the first of
// the radical-stroke index 1.4 (bzcat Unihan_IRGSources.txt.bz2 | grep -P
// '\tkRSUnicode\t1\.4$'), so the first link of that page.
TEST_F(LogodexSession, DefinitionBoxShowsCharactersForReferences) {
  Start(L"reference");
  Search(IDC_SEARCH_RADICAL_STROKE, L"1.4");
  HWND pane = PaneTitled(L"Radical.Stroke: 1.4");
  ASSERT_NE(pane, nullptr);
  Settle(Main(), 500);
  POINT link;
  ASSERT_TRUE(FindColourOnScreen(pane, RGB(0, 0, 0xEE), link));
  ClickAt({link.x + 1, link.y + 1});
  HWND box = WaitForWindow(Pid(), L"Definition etc.", L"#32770", 10000);
  ASSERT_NE(box, nullptr);
  Settle(box, 300);
  SaveScreenshot(L"definition-3400");
  std::wstring text = MessageBoxText(box);
  EXPECT_NE(text.find(L"Definition: (same as U+4E18 \u4E18) hillock or mound"), std::wstring::npos);
  // The character is drawn: the same text with another character in its
  // place looks different (a missing glyph is the same box for both).
  HWND message = GetDlgItem(box, 0xFFFF);
  ASSERT_NE(message, nullptr);
  std::uint64_t shown = ClientImageSignature(message);
  std::wstring other = text;
  other[other.find(L'\u4E18')] = L'\u9A6C';
  EXPECT_NE(SignatureShowing(message, other), shown) << "the box draws a missing glyph for U+4E18";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  Settle(Main(), 300);
  EXPECT_EQ(ClipboardText(), " &#x3400;");
}

// The text sizes: the pane keeps its page through every size and draws it
// differently at each (the check marks are seen by the real-input test:
// Wine does not lend a menu to another process), and history and help
// leave it working.
TEST_F(LogodexSession, TextSizesHistoryAndHelp) {
  Start(L"sizes");
  Search(IDC_SEARCH_UNICODE, L"4e00");
  ASSERT_NE(PaneTitled(L"Unicode: 4E00"), nullptr);
  Command(IDM_KANGXI_RADICALS);
  HWND pane = PaneTitled(L"KangXi Radicals");
  ASSERT_NE(pane, nullptr);
  const int sizes[] = {IDM_SIZE_LARGEST, IDM_SIZE_LARGE, IDM_SIZE_MEDIUM, IDM_SIZE_SMALL, IDM_SIZE_SMALLEST};
  std::set<std::uint64_t> drawings;
  for (int chosen : sizes) {
    Command(chosen);
    Settle(Main(), 300);
    drawings.insert(ClientImageSignature(pane));
    EXPECT_EQ(WindowText(pane), L"KangXi Radicals");
    SaveScreenshot(L"size-" + std::to_wstring(chosen));
  }
  EXPECT_EQ(drawings.size(), 5u);
  Command(IDM_GO_BACK);
  EXPECT_NE(PaneTitled(L"Unicode: 4E00"), nullptr);
  Command(IDM_GO_FORWARD);
  EXPECT_NE(PaneTitled(L"KangXi Radicals"), nullptr);
  // F1 in a search field opens Logodex.hlp, shipped beside Logodex.exe, in
  // the help program's own window (never its box saying the file is not
  // found); the program goes on meanwhile.
  PressKey(GetDlgItem(SearchBar(), IDC_SEARCH_PINYIN), VK_F1);
  HWND viewer = nullptr;
  for (int wait = 0; wait < 100 && !viewer; ++wait, Sleep(100)) viewer = FindWindowW(L"MS_WINHELP", nullptr);
  ASSERT_NE(viewer, nullptr) << "F1 did not open the help program";
  Settle(Main(), 1000);
  EXPECT_EQ(FindWindowW(L"#32770", L"ERROR"), nullptr) << "the help program did not find Logodex.hlp";
  SaveScreenshot(L"help");
  DWORD helpProcess = 0;
  GetWindowThreadProcessId(viewer, &helpProcess);
  if (HANDLE help = OpenProcess(PROCESS_TERMINATE, FALSE, helpProcess)) {
    TerminateProcess(help, 0);
    CloseHandle(help);
  }
  Search(IDC_SEARCH_PINYIN, L"ma");
  EXPECT_NE(PaneTitled(L"Pinyin: MA"), nullptr);
}

TEST_F(LogodexSession, PinyinForTheSelectionAndTheFinderAlone) {
  Start(L"selection");
  HWND editor = EditorPane();
  ASSERT_NE(editor, nullptr);
  SetWindowTextW(editor, L"shang yi dian");
  SendMessageW(editor, EM_SETSEL, 6, 13);
  Command(IDM_PINYIN_FOR_SELECTION);
  // The key is the selection's first word as it stands; the finder is
  // case-blind: 4E00 reads YI1.
  ASSERT_NE(PaneTitled(L"Pinyin: yi"), nullptr);
  EXPECT_NE(ReadFile(Folder() + L"\\HtmlRadicalSearch.htm").find("insert4E00\""), std::string::npos);

  // The finder alone on the typed key: the lists change, the page does not.
  HWND field = GetDlgItem(SearchBar(), IDC_SEARCH_PINYIN);
  SetWindowTextW(field, L"");
  TypeInto(field, L"ma");
  Command(IDM_PINYIN_FIND_AGAIN);
  Settle(Main(), 300);
  EXPECT_EQ(WindowText(PaneTitled(L"Pinyin: yi")), L"Pinyin: yi");
  EXPECT_EQ(ReadFile(Folder() + L"\\HtmlRadicalSearch.htm").find("insert5988\""), std::string::npos);
  // An empty key then writes the page of those lists.
  SetWindowTextW(field, L"");
  PressKey(field, VK_RETURN);
  ASSERT_NE(PaneTitled(L"Pinyin: "), nullptr);
  EXPECT_NE(ReadFile(Folder() + L"\\HtmlRadicalSearch.htm").find("insert5988\""), std::string::npos);
}

// A working folder named in Chinese and longer than 80 characters: the
// pages are written there and shown.
TEST_F(LogodexSession, AnyWorkingFolderWorks) {
  std::wstring name = L"\u6c49\u5b57\u67e5\u627e-" + std::wstring(90, L'x');
  Start(name);
  EXPECT_TRUE(FileExists(Folder() + L"\\HtmlRadical.htm"));
  Search(IDC_SEARCH_UNICODE, L"4e00");
  EXPECT_NE(PaneTitled(L"Unicode: 4E00"), nullptr);
  EXPECT_NE(ReadFile(Folder() + L"\\HtmlRadicalSearch.htm").find("<P>&#x4E00; U+4E00  Pinyin: YI1"), std::string::npos);
}

// A page that cannot be written is reported, and the pane keeps what it showed.
TEST_F(LogodexSession, UnwritablePageIsReported) {
  Start(L"unwritable");
  ASSERT_TRUE(CreateDirectoryW((Folder() + L"\\HtmlRadicalSearch.htm").c_str(), nullptr));
  Command(IDM_KANGXI_RADICALS);
  ASSERT_NE(PaneTitled(L"KangXi Radicals"), nullptr);
  HWND bar = SearchBar();
  Search(IDC_SEARCH_MATTHEWS, L"1");
  // The box shares its caption with the search bar: it is the other one.
  HWND box = nullptr;
  for (int wait = 0; wait < 100 && !box; ++wait, Sleep(100)) {
    for (HWND found = FindWindowExW(nullptr, nullptr, L"#32770", L"Logodex"); found;
         found = FindWindowExW(nullptr, found, L"#32770", L"Logodex")) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (found != bar && owner == Pid()) box = found;
    }
  }
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"The page could not be written:\n" + Folder() + L"\\HtmlRadicalSearch.htm");
  SaveScreenshot(L"unwritable");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  Settle(Main());
  EXPECT_NE(PaneTitled(L"KangXi Radicals", 1000), nullptr);
  RemoveDirectoryW((Folder() + L"\\HtmlRadicalSearch.htm").c_str());
  // The next search writes and shows its page.
  Search(IDC_SEARCH_MATTHEWS, L"1");
  EXPECT_NE(PaneTitled(L"Matthews: 1"), nullptr);
}

TEST_F(LogodexSession, DestroyCommandEndsTheProgramAndRemovesItsPages) {
  Start(L"destroy");
  Search(IDC_SEARCH_STROKE_NUMBER, L"64");
  // tests/data/unihan_figures.py ("stroke search 64"): three characters.
  ASSERT_NE(PaneTitled(L"TotalStroke: 64 (3)"), nullptr);
  Command(IDM_DESTROY);
  EXPECT_EQ(CloseLogodex(program_), 0u);
  EXPECT_FALSE(FileExists(Folder() + L"\\HtmlTotalStrokeSearch.htm"));
  EXPECT_FALSE(FileExists(Folder() + L"\\HtmlRadical.htm"));
}

TEST_F(LogodexSession, StrokeNumberPageIsKeptAtExitTheOthersDeleted) {
  Start(L"shutdown");
  Search(IDC_SEARCH_STROKE_NUMBER, L"1");
  // tests/data/unihan_figures.py ("stroke search 1"): 22 one-stroke characters.
  EXPECT_NE(PaneTitled(L"TotalStroke: 1 (22)"), nullptr);
  ASSERT_TRUE(FileExists(Folder() + L"\\HtmlTotalStrokeSearch.htm"));
  Search(IDC_SEARCH_PINYIN, L"ma");
  EXPECT_NE(PaneTitled(L"Pinyin: MA"), nullptr);
  Command(IDM_QUIT);
  EXPECT_EQ(CloseLogodex(program_), 0u);
  EXPECT_FALSE(FileExists(Folder() + L"\\HtmlRadicalSearch.htm"));
  EXPECT_FALSE(FileExists(Folder() + L"\\HtmlRadical.htm"));
  EXPECT_TRUE(FileExists(Folder() + L"\\HtmlTotalStrokeSearch.htm"));
}

// Every Unihan box lies within the work area, however many lines it holds.
bool FitsWorkArea(HWND box) {
  RECT area, place;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(box, &place);
  return place.left >= area.left && place.top >= area.top && place.right <= area.right && place.bottom <= area.bottom;
}

TEST_F(LogodexSession, UnihanFieldAnswersInMessageBoxes) {
  Start(L"unihan");
  for (const wchar_t* key : {L"4E00", L"2A3D", L"", L"9FA5"}) {
    Search(IDC_SEARCH_UNIHAN, key);
    HWND box = WaitForWindow(Pid(), (std::wstring(L"Unihan: ") + key).c_str(), L"#32770", 10000);
    ASSERT_NE(box, nullptr) << "no box for the key " << std::string(key, key + wcslen(key));
    EXPECT_TRUE(FitsWorkArea(box)) << "the box for the key " << std::string(key, key + wcslen(key));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Settle(Main());
  }
  Search(IDC_SEARCH_UNIHAN, L"4E00");
  std::wstring text = AnswerBox(L"Unihan: 4E00");
  EXPECT_NE(text.find(L"U+4E00\tkDefinition\tone; a, an; alone"), std::wstring::npos);
  Search(IDC_SEARCH_UNIHAN, L"2A3D");
  text = AnswerBox(L"Unihan: 2A3D");
  EXPECT_NE(text.find(L"U+2A3D0"), std::wstring::npos);
  Search(IDC_SEARCH_UNIHAN, L"");
  text = AnswerBox(L"Unihan: ");
  EXPECT_NE(text.find(L"more lines"), std::wstring::npos);
  Search(IDC_SEARCH_UNIHAN, L"XYZ");
  EXPECT_EQ(AnswerBox(L"Unihan extract"), L"Not found in Unihan");
}

TEST_F(LogodexSession, MissingDataFilesAreReportedAndTheProgramWorks) {
  program_.folder = MakeWorkingFolder(L"no-data", {});
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring exe = ProgramFolder() + L"\\Logodex.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             program_.folder.c_str(), &startup, &program_.process));
  EXPECT_EQ(AnswerBox(L"TotalStroke", 30000), L"The file TotalStrokeOrdered.txt is not found");
  EXPECT_EQ(AnswerBox(L"unihan", 30000), L"The file unihan.txt is not found");
  program_.mainWindow = WaitForWindow(Pid(), L"Logodex", L"Logodex", 30000);
  ASSERT_NE(Main(), nullptr);
  Search(IDC_SEARCH_UNICODE, L"4E00");
  EXPECT_NE(PaneTitled(L"Unicode: 4E00"), nullptr);
  Search(IDC_SEARCH_UNIHAN, L"4E00");
  EXPECT_EQ(AnswerBox(L"Unihan extract"), L"Not found in Unihan");
}

// A sparse file of `bytes` zero bytes: large on disk in name only.
bool MakeSparseFile(const std::wstring& path, LONGLONG bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  size.QuadPart = bytes;
  bool made = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return made;
}

// Data files larger than the program takes (700 MB and 300 MB) are
// refused as missing ones are, each with a box, and the program starts.
TEST_F(LogodexSession, OversizedDataFilesAreReportedAndTheProgramWorks) {
  program_.folder = MakeWorkingFolder(L"huge-data", {});
  ASSERT_TRUE(MakeSparseFile(program_.folder + L"\\unihan.txt", 700LL << 20));
  ASSERT_TRUE(MakeSparseFile(program_.folder + L"\\TotalStrokeOrdered.txt", 300LL << 20));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring exe = ProgramFolder() + L"\\Logodex.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             program_.folder.c_str(), &startup, &program_.process));
  // The limits are 4 MiB and 128 MiB.
  EXPECT_EQ(AnswerBox(L"TotalStroke", 30000),
            L"The file TotalStrokeOrdered.txt is too large (more than 4194304 bytes)");
  EXPECT_EQ(AnswerBox(L"unihan", 30000), L"The file unihan.txt is too large (more than 134217728 bytes)");
  program_.mainWindow = WaitForWindow(Pid(), L"Logodex", L"Logodex", 30000);
  ASSERT_NE(Main(), nullptr);
  Search(IDC_SEARCH_UNICODE, L"4E00");
  EXPECT_NE(PaneTitled(L"Unicode: 4E00"), nullptr);
  Search(IDC_SEARCH_UNIHAN, L"4E00");
  EXPECT_EQ(AnswerBox(L"Unihan extract"), L"Not found in Unihan");
  DeleteFileW((program_.folder + L"\\unihan.txt").c_str());
  DeleteFileW((program_.folder + L"\\TotalStrokeOrdered.txt").c_str());
}

TEST_F(LogodexSession, PrefaceViewerOpensOnceAndAgainAfterClosing) {
  Start(L"preface");
  Command(IDM_UNIHAN_PREFACE);
  HWND viewer = WaitForWindow(Pid(), L"Unihan Preface", nullptr, 10000);
  ASSERT_NE(viewer, nullptr);
  Command(IDM_UNIHAN_PREFACE);
  Settle(Main());
  EXPECT_EQ(WaitForWindow(Pid(), L"Unihan Preface", nullptr, 100), viewer);
  HWND text = GetDlgItem(viewer, IDC_PREFACE_TEXT);
  EXPECT_NE(ControlText(text).find(L"About the character data of Logodex"), std::wstring::npos);
  EXPECT_FALSE(SendMessageW(text, EM_GETMODIFY, 0, 0));
  SaveScreenshot(L"preface");
  PostMessageW(viewer, WM_COMMAND, IDCANCEL, 0);
  Settle(Main());
  EXPECT_FALSE(IsWindow(viewer));
  Command(IDM_UNIHAN_PREFACE);
  EXPECT_NE(WaitForWindow(Pid(), L"Unihan Preface", nullptr, 10000), nullptr);
}

// Chinese typed into a search field is drawn, dark and not boxed: U+4E18
// and U+9A6C look different in it (a missing glyph is the same hollow box
// for every character). Escape closes the preface viewer, as it closes the
// other pop-ups.
TEST_F(LogodexSession, ChineseInTheSearchFieldAndEscapeClosesTheViewer) {
  Start(L"chinese-outside-pane");
  HWND field = GetDlgItem(SearchBar(), IDC_SEARCH_DEFINITION);
  ASSERT_NE(field, nullptr);
  TypeInto(field, L"\u4E18");
  Settle(Main(), 300);
  EXPECT_EQ(ControlText(field), L"\u4E18");
  SaveScreenshot(L"han-in-definition-field");
  SendMessageW(field, WM_KILLFOCUS, 0, 0);
  Settle(Main(), 300);
  std::uint64_t typed = ClientImageSignature(field);
  // The field holds only the character now: its darkest pixel is the
  // glyph's, black as the Latin text's, not a pale grey hairline.
  EXPECT_LE(DarkestGrey(field), 40) << "the character in the field is faint";
  EXPECT_NE(SignatureShowing(field, L"\u9A6C"), typed) << "the field draws a missing glyph for U+4E18";
  Command(IDM_UNIHAN_PREFACE);
  HWND viewer = WaitForWindow(Pid(), L"Unihan Preface", nullptr, 10000);
  ASSERT_NE(viewer, nullptr);
  HWND text = GetDlgItem(viewer, IDC_PREFACE_TEXT);
  SaveScreenshot(L"preface-viewer-before-escape");
  PressKey(text, VK_ESCAPE);
  Settle(Main(), 300);
  EXPECT_FALSE(IsWindow(viewer)) << "Escape left the preface viewer open";
}

TEST_F(LogodexSession, EscapeClosesTheAboutBoxAndTheSearchBar) {
  Start(L"escape");
  Command(IDM_ABOUT);
  HWND about = WaitForWindow(Pid(), L"About", nullptr, 10000);
  ASSERT_NE(about, nullptr);
  SaveScreenshot(L"about");
  PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 1);
  Settle(Main());
  EXPECT_FALSE(IsWindow(about));
  HWND bar = SearchBar();
  ASSERT_NE(bar, nullptr);
  PressKey(GetDlgItem(bar, IDC_SEARCH_PINYIN), VK_ESCAPE);
  Settle(Main());
  EXPECT_FALSE(IsWindow(bar));
  // The program goes on without its search bar.
  Command(IDM_KANGXI_RADICALS);
  EXPECT_NE(PaneTitled(L"KangXi Radicals"), nullptr);
}

TEST_F(LogodexSession, SearchBarAndPaneFollowTheMainWindow) {
  Start(L"layout");
  HWND bar = SearchBar();
  Command(IDM_KANGXI_RADICALS);
  HWND pane = PaneTitled(L"KangXi Radicals");
  ASSERT_NE(pane, nullptr);
  RECT paneBefore;
  GetWindowRect(pane, &paneBefore);
  SetWindowPos(Main(), nullptr, 40, 30, 1000, 760, SWP_NOZORDER);
  Settle(Main());
  SetWindowPos(Main(), nullptr, 80, 50, 1100, 800, SWP_NOZORDER);
  Settle(Main());
  RECT client, barRect, paneRect;
  GetClientRect(Main(), &client);
  MapWindowPoints(Main(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(bar, &barRect);
  GetWindowRect(pane, &paneRect);
  EXPECT_EQ(barRect.left, client.left);
  EXPECT_EQ(barRect.top, client.top);
  EXPECT_EQ(paneRect.right, client.right);
  EXPECT_LT(paneRect.bottom, client.bottom);  // above the status bar
  EXPECT_EQ(paneRect.right - paneRect.left, paneBefore.right - paneBefore.left);
  EXPECT_EQ(paneRect.bottom - paneRect.top, paneBefore.bottom - paneBefore.top);
  SaveScreenshot(L"layout");
}

// The height of the first line of text a window shows: the rows from the
// first that holds a dark pixel to the next that holds none, on the screen.
int FirstLineInkHeight(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  int width = r.right - GetSystemMetrics(SM_CXVSCROLL), height = r.bottom;
  HDC screen = GetDC(nullptr);
  auto rowHasInk = [&](int y) {
    for (int x = 0; x < width; ++x) {
      COLORREF px = GetPixel(screen, origin.x + x, origin.y + y);
      if (GetRValue(px) + GetGValue(px) + GetBValue(px) < 3 * 160) return true;
    }
    return false;
  };
  int top = 0;
  while (top < height && !rowHasInk(top)) ++top;
  int bottom = top;
  while (bottom < height && rowHasInk(bottom)) ++bottom;
  ReleaseDC(nullptr, screen);
  return bottom - top;
}

// Whole at the display's scale: the pane between the search bar and the
// status bar, its caption in view, its text sized in points. Run at 96 dpi
// by itself; display_scale_test.sh runs it at 96, 120, 144 and 192 dpi and
// compares the text heights it writes.
TEST_F(LogodexSession, WholeAtTheDisplayScale) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  Start(L"scale");
  HWND bar = SearchBar();
  ASSERT_NE(bar, nullptr);
  Command(IDM_KANGXI_RADICALS);
  HWND pane = PaneTitled(L"KangXi Radicals");
  ASSERT_NE(pane, nullptr);
  Settle(Main(), 500);
  RECT client, barRect, paneRect, paneClient;
  GetClientRect(Main(), &client);
  MapWindowPoints(Main(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(bar, &barRect);
  GetWindowRect(pane, &paneRect);
  GetClientRect(pane, &paneClient);
  MapWindowPoints(pane, nullptr, reinterpret_cast<POINT*>(&paneClient), 2);
  HWND status = FindWindowExW(Main(), nullptr, L"msctls_statusbar32", nullptr);
  ASSERT_NE(status, nullptr);
  RECT statusRect;
  GetWindowRect(status, &statusRect);
  // The search bar and the pane meet without overlapping; the pane's
  // caption (the band above its client area) is in view below the bar.
  EXPECT_GE(paneRect.top, barRect.bottom) << dpi;
  EXPECT_LE(paneRect.top - barRect.bottom, 2) << dpi;
  EXPECT_GT(paneClient.top - paneRect.top, GetSystemMetrics(SM_CYCAPTION) / 2) << dpi;
  EXPECT_LE(paneRect.bottom, statusRect.top) << dpi;
  EXPECT_EQ(paneRect.right, client.right) << dpi;
  // The main window's first size grows with the scale: the bar fits across.
  EXPECT_LE(barRect.right, client.right) << dpi;
  int radicals = FirstLineInkHeight(pane);
  SaveScreenshot(L"scale-" + std::to_wstring(dpi) + L"-radicals");
  Search(IDC_SEARCH_PINYIN, L"ma");
  HWND pinyin = PaneTitled(L"Pinyin: MA");
  ASSERT_NE(pinyin, nullptr);
  Settle(Main(), 500);
  int pinyinHeight = FirstLineInkHeight(pinyin);
  SaveScreenshot(L"scale-" + std::to_wstring(dpi) + L"-pinyin");
  // Hit testing at the scale: a click on the first link (#0000EE) answers.
  POINT link;
  ASSERT_TRUE(FindColourOnScreen(pinyin, RGB(0, 0, 0xEE), link));
  ClickAt({link.x + 1, link.y + 1});
  EXPECT_EQ(AnswerBox(L"Definition etc.").rfind(L"Definition: ", 0), 0u) << dpi;
  EXPECT_GT(radicals, 0);
  EXPECT_GT(pinyinHeight, 0);
  std::wstring figures = TestOutputFolder() + L"\\scale-" + std::to_wstring(dpi) + L".txt";
  std::ofstream(figures.c_str()) << dpi << " " << radicals << " " << pinyinHeight << "\n";
  std::printf("at %d dpi: first line of the radicals page %d pixels high, of the pinyin page %d\n", dpi,
              radicals, pinyinHeight);
}

}  // namespace
