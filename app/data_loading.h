// Loads the character tables at start-up: the embedded texts from the
// program's resources, the two data files from the working directory, or
// from the folder of Logodex.exe when the working directory has none.
#pragma once

#include <windows.h>

#include <string>

#include <vector>

#include "chardb/character_tables.h"
#include "handwriting/recogniser.h"

void LoadEmbeddedTexts(HINSTANCE instance, CharacterTables& tables);

// Each tells the user with a message box when its file is missing, is not
// a file, or is too large, and leaves its table empty.
void LoadStrokeFile(const std::wstring& directory, CharacterTables& tables);
void LoadUnihanFile(const std::wstring& directory, CharacterTables& tables);
// words.txt from the folder when it can be read; without it the character
// pages have no words, and nothing is reported.
void LoadWordsFile(const std::wstring& directory, CharacterTables& tables);
// The four component files when all can be read; without them the
// components search answers that they are missing, and nothing is reported.
void LoadComponentFiles(const std::wstring& directory, CharacterTables& tables);

// The handwriting models, read and opened when the pad first opens; a
// file that is missing, too large or damaged is told to the user as a
// data file is, and the answer is false with no models.
bool LoadHandwritingModelFiles(const std::wstring& directory, std::vector<HandwritingModel>& models);

// The lookup indexes; when memory runs out for them the Unihan text is
// dropped, the user told, and the rest indexed.
void IndexTables(CharacterTables& tables);
