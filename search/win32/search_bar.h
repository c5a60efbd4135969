// The search bar: the modeless "PinYin" dialog with one field per kind of
// search, which runs the current kind's search on Enter.
#pragma once

#include <windows.h>

#include <string>

#include "chardb/character_tables.h"

// Creates the search bar, owned by the main window, and keeps its handle.
// Searches read `tables` and write their pages into `pageFolder` (ending
// in a separator); the main window gets the show-page commands.
void CreateSearchBar(HINSTANCE instance, HWND owner, const CharacterTables& tables, const std::wstring& pageFolder);

// The search bar's window; null once the user has closed it with Escape.
HWND SearchBarWindow();

// The page written last by a search, and its removal at shutdown.
const std::wstring& LastPagePath();
void DeleteLastPageFile();

// The caption of a show-page command (110 to 115), formatted by the last
// search of its kind.
const std::string& SearchStatusText(int showCommand);

// Command 40012: a Pinyin search for the first word of the editor's
// selection, shown as the Pinyin page.
void PinyinSearchForSelection(HWND editor);

// Builds the searches' indexes over the loaded tables.
void PrepareSearchBar();

// Command 40014: the pinyin finder again on the Pinyin key; shows nothing.
void RunPinyinFinderAgain();
