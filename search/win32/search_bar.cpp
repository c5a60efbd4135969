#include "search/win32/search_bar.h"

#include <algorithm>
#include <memory>

#include <richedit.h>

#include "chardb/character_references.h"
#include "chardb/unihan_extract.h"
#include "resources/resource.h"
#include "search/pinyin_selection.h"
#include "search/result_page.h"
#include "search/search_run.h"
#include "search/win32/page_files.h"
#include "search/win32/unihan_box_window.h"
#include "win32/entry_guard.h"
#include "win32/text_conversion.h"
#include "win32/wait_cursor.h"

namespace {

// One field of the search bar, in the order of its search kinds.
struct SearchField {
  int id;
  int showCommand;  // 0: the kind shows no page
  bool waitCursor;
};

constexpr SearchField kFields[kSearchKindCount] = {
    {IDC_SEARCH_PINYIN, IDM_SHOW_PINYIN, true},
    {IDC_SEARCH_UNICODE, IDM_SHOW_UNICODE, false},
    {IDC_SEARCH_MATTHEWS, IDM_SHOW_MATTHEWS, false},
    {IDC_SEARCH_UNIHAN, 0, true},
    {IDC_SEARCH_RADICAL_STROKE, IDM_SHOW_RADICAL_STROKE, true},
    {IDC_SEARCH_DEFINITION, IDM_SHOW_DEFINITION, true},
    {IDC_SEARCH_STROKE_NUMBER, IDM_SHOW_STROKE_NUMBER, true},
};

// A field's text is read with room for 20 characters including the
// terminator; the Pinyin key takes up to 79 from the editor's selection.
constexpr int kFieldReadLimit = static_cast<int>(kSearchKeyMaxUnits) + 1;

constexpr wchar_t kPinyinProcProperty[] = L"SubclasWindProcOrigSearchPinyin";
constexpr wchar_t kUnicodeProcProperty[] = L"SubclasWindProcOrigSearchUnicode";

// The search bar's process-wide state, created with the program.
struct SearchBarState {
  HWND window = nullptr;       // null once the search bar has been closed
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;   // the owner, which shows the pages
  const CharacterTables* tables = nullptr;
  std::wstring pageFolder;
  int currentKind = kPinyinSearch;
  std::string keys[kSearchKindCount];
  std::string statusTexts[kSearchKindCount];
  SearchMemory memory;         // what searches keep between runs (the tone lists, the indexes)
  std::wstring lastPagePath;   // the page written last
};

SearchBarState& Bar() {
  static SearchBarState state;
  return state;
}

int KindOfField(int id) {
  for (int kind = 0; kind < kSearchKindCount; ++kind)
    if (kFields[kind].id == id) return kind;
  return -1;
}

void ReadKey(HWND dialog, int kind) {
  wchar_t text[kFieldReadLimit] = L"";
  GetDlgItemTextW(dialog, kFields[kind].id, text, kFieldReadLimit);
  Bar().keys[kind] = Utf8FromWide(text);
  Bar().currentKind = kind;
}

// Writes the page; false (after telling the user) when it cannot be written.
bool WritePage(const SearchOutcome& outcome) {
  std::wstring path = Bar().pageFolder + WideFromUtf8(outcome.pageFileName);
  Bar().lastPagePath = path;
  if (WriteResultPage(path, outcome.page)) return true;
  ReportUnwrittenPage(path);
  return false;
}

void ShowUnihanBox(const std::string& key) {
  UnihanBox box = RunUnihanSearch(*Bar().tables, key, Bar().memory);
  ShowUnihanLines(Bar().instance, WideFromUtf8(box.caption), WideFromUtf8(ReplaceCharacterReferences(box.text)));
}

// Runs a page-writing search of a kind and shows its page.
void SearchAndShow(int kind) {
  SearchBarState& bar = Bar();
  SearchOutcome outcome = RunSearch(*bar.tables, static_cast<SearchKind>(kind), bar.keys[kind], bar.memory);
  if (!WritePage(outcome)) return;
  bar.statusTexts[kind] = outcome.statusText;
  SendMessageW(bar.mainWindow, WM_COMMAND, kFields[kind].showCommand, 0);
}

void RunCurrentSearch() {
  int kind = Bar().currentKind;
  if (kind < 0 || kind >= kSearchKindCount) return;
  std::unique_ptr<WaitCursor> wait;
  if (kFields[kind].waitCursor) wait = std::make_unique<WaitCursor>();
  if (kind == kUnihanSearch)
    ShowUnihanBox(Bar().keys[kind]);
  else
    SearchAndShow(kind);
}

// The Pinyin and Unicode fields type capitals: a capital U becomes the
// double quote that stands for the letter Ü, a to z become A to Z, and
// Enter re-reads the key.
LRESULT UnguardedKeyCatchingFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  const wchar_t* property = GetDlgCtrlID(field) == IDC_SEARCH_PINYIN ? kPinyinProcProperty : kUnicodeProcProperty;
  WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(field, property));
  if (message == WM_CHAR) {
    if (wParam == L'U') wParam = L'"';
    if (wParam >= L'a' && wParam <= L'z') wParam -= L'a' - L'A';
    if (wParam == L'\r') SendMessageW(Bar().window, WM_COMMAND, GetDlgCtrlID(field), 0);
  }
  return CallWindowProcW(original, field, message, wParam, lParam);
}

LRESULT CALLBACK KeyCatchingFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&] { return UnguardedKeyCatchingFieldProc(field, message, wParam, lParam); });
}

void CatchKeys(HWND dialog, int id, const wchar_t* property) {
  HWND field = GetDlgItem(dialog, id);
  LONG_PTR original = SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyCatchingFieldProc));
  SetPropW(field, property, reinterpret_cast<HANDLE>(original));
}

// Every field takes a whole key and no more, scrolling as it is typed
// when the key is wider than the field.
void LimitFields(HWND dialog) {
  for (const SearchField& field : kFields)
    SendDlgItemMessageW(dialog, field.id, EM_LIMITTEXT, kFieldReadLimit - 1, 0);
}

BOOL OnInitDialog(HWND dialog) {
  Bar().window = dialog;
  LimitFields(dialog);
  CatchKeys(dialog, IDC_SEARCH_PINYIN, kPinyinProcProperty);
  CatchKeys(dialog, IDC_SEARCH_UNICODE, kUnicodeProcProperty);
  return TRUE;
}

BOOL OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK: RunCurrentSearch(); break;
    case IDCANCEL:
      DestroyWindow(dialog);
      Bar().window = nullptr;
      break;
    default:
      if (int kind = KindOfField(id); kind >= 0) ReadKey(dialog, kind);
      break;
  }
  return FALSE;
}

INT_PTR UnguardedSearchBarProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_ACTIVATE: return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    default: return FALSE;
  }
}

INT_PTR CALLBACK SearchBarProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(0, [&] { return UnguardedSearchBarProc(dialog, message, wParam, lParam); });
}

}  // namespace

void CreateSearchBar(HINSTANCE instance, HWND owner, const CharacterTables& tables, const std::wstring& pageFolder) {
  SearchBarState& bar = Bar();
  bar.instance = instance;
  bar.mainWindow = owner;
  bar.tables = &tables;
  bar.pageFolder = pageFolder;
  CreateDialogW(instance, L"PinYin", owner, SearchBarProc);
}

HWND SearchBarWindow() { return Bar().window; }

const std::wstring& LastPagePath() { return Bar().lastPagePath; }

void DeleteLastPageFile() {
  if (!Bar().lastPagePath.empty()) DeleteFileW(Bar().lastPagePath.c_str());
}

const std::string& SearchStatusText(int showCommand) {
  static const std::string none;
  for (int kind = 0; kind < kSearchKindCount; ++kind)
    if (kFields[kind].showCommand == showCommand) return Bar().statusTexts[kind];
  return none;
}

void PinyinSearchForSelection(HWND editor) {
  // The document pane's control answers EM_GETSELTEXT in its own 8-bit
  // form; the selection is cut from its whole text, read as wide text.
  CHARRANGE range{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  int length = GetWindowTextLengthW(editor);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(editor, &text[0], length + 1)));
  std::size_t first = static_cast<std::size_t>(std::max<LONG>(range.cpMin, 0));
  std::size_t end = range.cpMax < 0 ? text.size() : static_cast<std::size_t>(range.cpMax);
  std::wstring selection = first < std::min(end, text.size()) ? text.substr(first, std::min(end, text.size()) - first) : L"";
  Bar().keys[kPinyinSearch] = PinyinKeyFromSelection(Utf8FromWide(selection));
  WaitCursor wait;
  SearchAndShow(kPinyinSearch);
}

void PrepareSearchBar() { PrepareSearches(*Bar().tables, Bar().memory); }

void RunPinyinFinderAgain() {
  std::string& key = Bar().keys[kPinyinSearch];
  if (!key.empty()) RefindPinyin(*Bar().tables, key, Bar().memory);
}
