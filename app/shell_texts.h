// The shell's own texts, spelled as the user sees them.
#pragma once

#include "win32/program_texts.h"

constexpr wchar_t kUnihanFileCaption[] = L"unihan";
constexpr wchar_t kStrokeFileCaption[] = L"TotalStroke";
constexpr wchar_t kHandwritingCaption[] = L"Handwriting models";
// A data file that was not read: the prefix, the file's name, " is " and
// the reason ("not found", "too large (more than N bytes)").
constexpr wchar_t kDataFilePrefix[] = L"The file ";
constexpr wchar_t kTooBigForUndoQuestion[] =
    L"This operation is too big to be undone.\nDo you want to continue without undo?";
constexpr wchar_t kKeepClipboardQuestion[] =
    L"Data is on the clipboard.\nDo you want to make it available?";
constexpr wchar_t kHelpFile[] = L"Logodex.hlp";
// The widest caret position text, for sizing the status bar's second part.
constexpr wchar_t kLongestCaretText[] = L"Ln 8888888:8888888, Pos 8888888:8888888";
