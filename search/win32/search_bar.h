// The search bar: the modeless "PinYin" dialog with one field per kind of
// search, which runs the current kind's search on Enter.
#pragma once

#include <windows.h>

#include <string>

#include "chardb/character_tables.h"
#include "search/search_kinds.h"

// Creates the search bar, owned by the main window, and keeps its handle.
// Searches read `tables` and write their pages where page_files.h says;
// the main window gets the show-page commands.
void CreateSearchBar(HINSTANCE instance, HWND owner, const CharacterTables& tables);

// The search bar's window; null once the user has closed it with Escape.
HWND SearchBarWindow();

// The page written last by a search, and its removal at shutdown.
const std::wstring& LastPagePath();
void DeleteLastPageFile();

// The show-page command the bar sends the main window after a search of
// the kind (0 for the Unihan kind, which shows a box), and the kind of a
// show-page command (-1 for any other command).
int SearchShowCommand(int kind);
int SearchKindOfShowCommand(int command);

// The caption of a show-page command, formatted by the last search of its
// kind.
const std::string& SearchStatusText(int showCommand);

// The menu items of the kinds that have one, put into the menu bar after
// the item of the command; a chosen one runs its kind's search with the
// key of its field and shows the page (false: not such an item).
void AddSearchMenuItems(HMENU menuBar, UINT afterCommand);
bool RunSearchMenuCommand(int command);

// A program link's search: the kind's page for the key, shown as the
// kind's searches are. The kind's field keeps its own key.
void ShowProgramLinkPage(SearchKind kind, std::string key);

// IDM_PINYIN_FOR_SELECTION: a Pinyin search for the first word of the editor's
// selection, shown as the Pinyin page.
void PinyinSearchForSelection(HWND editor);

// Builds the searches' indexes over the loaded tables.
void PrepareSearchBar();

// IDM_PINYIN_FIND_AGAIN: the pinyin finder again on the Pinyin key; shows nothing.
void RunPinyinFinderAgain();
