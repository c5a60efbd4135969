// Loads the character tables at start-up: the embedded texts from the
// program's resources, the two data files from the working directory.
#pragma once

#include <windows.h>

#include <string>

#include "chardb/character_tables.h"

void LoadEmbeddedTexts(HINSTANCE instance, CharacterTables& tables);

// Each tells the user with a message box when its file is missing, is not
// a file, or is too large, and leaves its table empty.
void LoadStrokeFile(const std::wstring& directory, CharacterTables& tables);
void LoadUnihanFile(const std::wstring& directory, CharacterTables& tables);

// The lookup indexes; when memory runs out for them the Unihan text is
// dropped, the user told, and the rest indexed.
void IndexTables(CharacterTables& tables);
