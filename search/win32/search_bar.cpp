#include "search/win32/search_bar.h"

#include <algorithm>
#include <memory>

#include <richedit.h>

#include "chardb/character_references.h"
#include "chardb/unihan_extract.h"
#include "resources/resource.h"
#include "search/pinyin_selection.h"
#include "search/result_page.h"
#include "search/search_kinds.h"
#include "search/search_run.h"
#include "search/search_texts.h"
#include "search/win32/page_files.h"
#include "search/win32/unihan_box_window.h"
#include "win32/entry_guard.h"
#include "win32/text_conversion.h"
#include "win32/wait_cursor.h"

namespace {

// The fields of the dialog template, in the order of their kinds; the
// fields of the kinds added after them are made when the bar is.
constexpr int kTemplateFieldIds[kTemplateKindCount] = {
    IDC_SEARCH_PINYIN,         IDC_SEARCH_UNICODE,    IDC_SEARCH_MATTHEWS,      IDC_SEARCH_UNIHAN,
    IDC_SEARCH_RADICAL_STROKE, IDC_SEARCH_DEFINITION, IDC_SEARCH_STROKE_NUMBER,
};
constexpr int kTemplateShowCommands[kTemplateKindCount] = {
    IDM_SHOW_PINYIN, IDM_SHOW_UNICODE, IDM_SHOW_MATTHEWS, 0, IDM_SHOW_RADICAL_STROKE, IDM_SHOW_DEFINITION,
    IDM_SHOW_STROKE_NUMBER,
};

int FieldIdOf(int kind) { return kind < kTemplateKindCount ? kTemplateFieldIds[kind] : IDC_SEARCH_ADDED_BASE + kind; }

// Where the added fields go, in dialog units: rows of seven under the
// template's row, each field and its label placed as the template's are.
constexpr int kFieldsPerRow = 7;
constexpr int kColumnStep = 44;
constexpr int kRowStep = 33;
constexpr int kFieldLeft = 7, kFieldTop = 18, kFieldWidth = 36, kFieldHeight = 14;
constexpr int kLabelTop = 6, kLabelHeight = 8;
constexpr int kTemplateClientHeight = 41;

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
  int currentKind = kPinyinSearch;
  std::string keys[kSearchKindCount];  // by kind
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
    if (kSearchKinds[kind].fieldLabel && FieldIdOf(kind) == id) return kind;
  return -1;
}

// A text pasted into a full field is cut at the field's limit, which can
// fall between the two halves of a character beyond the Basic Multilingual
// Plane: the first half is taken out of the field and the key.
void DropCutHalf(HWND dialog, int kind, wchar_t* text, int length) {
  if (length != kFieldReadLimit - 1 || !IS_HIGH_SURROGATE(text[length - 1])) return;
  text[length - 1] = L'\0';
  HWND field = GetDlgItem(dialog, FieldIdOf(kind));
  SendMessageW(field, EM_SETSEL, length - 1, length);
  SendMessageW(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

void ReadKey(HWND dialog, int kind) {
  wchar_t text[kFieldReadLimit] = L"";
  int length = static_cast<int>(GetDlgItemTextW(dialog, FieldIdOf(kind), text, kFieldReadLimit));
  DropCutHalf(dialog, kind, text, length);
  Bar().keys[kind] = Utf8FromWide(text);
  Bar().currentKind = kind;
}

// Writes the page; false (after telling the user) when it cannot be written.
bool WritePage(const SearchOutcome& outcome) {
  return WritePageFile(outcome.pageFileName, outcome.page, Bar().lastPagePath);
}

void ShowUnihanBox(const std::string& key) {
  UnihanBox box = RunUnihanSearch(*Bar().tables, key, Bar().memory);
  ShowUnihanLines(Bar().instance, WideFromUtf8(box.caption),
                  WideFromUtf8(WithLongLinesCut(ReplaceCharacterReferences(box.text))));
}

// Runs a page-writing search of a kind on the key and shows its page.
void SearchAndShow(int kind, std::string& key) {
  SearchBarState& bar = Bar();
  SearchOutcome outcome = RunSearch(*bar.tables, static_cast<SearchKind>(kind), key, bar.memory);
  if (!WritePage(outcome)) return;
  bar.statusTexts[kind] = outcome.statusText;
  SendMessageW(bar.mainWindow, WM_COMMAND, SearchShowCommand(kind), 0);
}

void RunSearchOfKind(int kind) {
  if (kind < 0 || kind >= kSearchKindCount) return;
  std::unique_ptr<WaitCursor> wait;
  if (kSearchKinds[kind].waitCursor) wait = std::make_unique<WaitCursor>();
  if (kind == kUnihanSearch)
    ShowUnihanBox(Bar().keys[kind]);
  else
    SearchAndShow(kind, Bar().keys[kind]);
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
  for (const SearchKindRow& row : kSearchKinds)
    if (row.fieldLabel) SendDlgItemMessageW(dialog, FieldIdOf(row.kind), EM_LIMITTEXT, kFieldReadLimit - 1, 0);
}

HWND MakeControl(HWND dialog, const wchar_t* className, const std::wstring& text, DWORD style, RECT units, int id) {
  MapDialogRect(dialog, &units);
  HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, units.left, units.top,
                                 units.right - units.left, units.bottom - units.top, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Bar().instance, nullptr);
  if (control) SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return control;
}

// The fields of the added kinds, in rows under the template's, the tab
// order following them, then the handwriting pad's button; the bar grows
// by the rows it gains.
void AddFields(HWND dialog) {
  int added = 0;
  for (int kind = kTemplateKindCount; kind < kSearchKindCount; ++kind) {
    const char* label = kSearchKinds[kind].fieldLabel;
    if (!label) continue;
    int left = (added % kFieldsPerRow) * kColumnStep, down = (1 + added / kFieldsPerRow) * kRowStep;
    ++added;
    MakeControl(dialog, L"STATIC", WideFromUtf8(label), SS_CENTER | WS_GROUP,
                RECT{left + kFieldLeft - 4, down + kLabelTop, left + kFieldLeft + kFieldWidth + 4,
                     down + kLabelTop + kLabelHeight},
                -1);
    MakeControl(dialog, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                RECT{left + kFieldLeft, down + kFieldTop, left + kFieldLeft + kFieldWidth,
                     down + kFieldTop + kFieldHeight},
                FieldIdOf(kind));
  }
  // The button that opens the handwriting pad takes the place of a further field.
  int left = (added % kFieldsPerRow) * kColumnStep, down = (1 + added / kFieldsPerRow) * kRowStep;
  ++added;
  MakeControl(dialog, L"BUTTON", WideFromUtf8(kHandwritingButton), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
              RECT{left + kFieldLeft - 4, down + kFieldTop, left + kFieldLeft + kFieldWidth + 4,
                   down + kFieldTop + kFieldHeight},
              IDC_SEARCH_HANDWRITING);
  RECT client{0, 0, 0, kTemplateClientHeight + ((added + kFieldsPerRow - 1) / kFieldsPerRow) * kRowStep};
  MapDialogRect(dialog, &client);
  RECT outer, inner;
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &inner);
  int frame = (outer.bottom - outer.top) - (inner.bottom - inner.top);
  SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, frame + client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND dialog) {
  Bar().window = dialog;
  AddFields(dialog);
  LimitFields(dialog);
  CatchKeys(dialog, IDC_SEARCH_PINYIN, kPinyinProcProperty);
  CatchKeys(dialog, IDC_SEARCH_UNICODE, kUnicodeProcProperty);
  return TRUE;
}

BOOL OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK: RunSearchOfKind(Bar().currentKind); break;
    case IDC_SEARCH_HANDWRITING: SendMessageW(Bar().mainWindow, WM_COMMAND, IDM_HANDWRITING_PAD, 0); break;
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

void CreateSearchBar(HINSTANCE instance, HWND owner, const CharacterTables& tables) {
  SearchBarState& bar = Bar();
  bar.instance = instance;
  bar.mainWindow = owner;
  bar.tables = &tables;
  CreateDialogW(instance, L"PinYin", owner, SearchBarProc);
}

HWND SearchBarWindow() { return Bar().window; }

const std::wstring& LastPagePath() { return Bar().lastPagePath; }

void DeleteLastPageFile() {
  if (!Bar().lastPagePath.empty()) DeleteFileW(Bar().lastPagePath.c_str());
}

int SearchShowCommand(int kind) {
  if (kind < 0 || kind >= kSearchKindCount || !kSearchKinds[kind].writePage) return 0;
  return kind < kTemplateKindCount ? kTemplateShowCommands[kind] : IDM_SHOW_ADDED_BASE + kind;
}

int SearchKindOfShowCommand(int command) {
  for (int kind = 0; kind < kSearchKindCount; ++kind)
    if (command != 0 && SearchShowCommand(kind) == command) return kind;
  return -1;
}

const std::string& SearchStatusText(int showCommand) {
  static const std::string none;
  int kind = SearchKindOfShowCommand(showCommand);
  return kind >= 0 ? Bar().statusTexts[kind] : none;
}

void AddSearchMenuItems(HMENU menuBar, UINT afterCommand) {
  int count = GetMenuItemCount(menuBar);
  int position = 0;
  while (position < count && GetMenuItemID(menuBar, position) != afterCommand) ++position;
  if (position == count) return;
  for (const SearchKindRow& row : kSearchKinds)
    if (row.menuItem)
      InsertMenuW(menuBar, static_cast<UINT>(++position), MF_BYPOSITION | MF_STRING,
                  IDM_SEARCH_MENU_BASE + row.kind, WideFromUtf8(row.menuItem).c_str());
}

bool RunSearchMenuCommand(int command) {
  int kind = command - IDM_SEARCH_MENU_BASE;
  if (kind < 0 || kind >= kSearchKindCount || !kSearchKinds[kind].menuItem) return false;
  if (HWND bar = Bar().window; bar && kSearchKinds[kind].fieldLabel) ReadKey(bar, kind);
  RunSearchOfKind(kind);
  return true;
}

void ShowProgramLinkPage(SearchKind kind, std::string key) {
  if (kind < 0 || kind >= kSearchKindCount || !kSearchKinds[kind].writePage) return;
  std::unique_ptr<WaitCursor> wait;
  if (kSearchKinds[kind].waitCursor) wait = std::make_unique<WaitCursor>();
  SearchAndShow(kind, key);
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
  SearchAndShow(kPinyinSearch, Bar().keys[kPinyinSearch]);
}

void PrepareSearchBar() { PrepareSearches(*Bar().tables, Bar().memory); }

void RunPinyinFinderAgain() {
  std::string& key = Bar().keys[kPinyinSearch];
  if (!key.empty()) RefindPinyin(*Bar().tables, key, Bar().memory);
}
