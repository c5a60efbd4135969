// The editing commands the main window carries out on the document pane.
#pragma once

#include <windows.h>

// 207: pastes plain text when the clipboard holds it, else lets the
// control choose; the focus returns to the pane.
void PasteIntoEditor(HWND mainWindow, HWND editor, UINT richTextFormat);

// 208 to 210: inverts bold, italic or underline on the selection.
void ToggleEffect(HWND editor, DWORD effect);

// 211 to 213: aligns the selected paragraphs.
void AlignParagraphs(HWND editor, WORD alignment);

// 217: selects the whole text.
void SelectAll(HWND editor);

// 219: selects the word after the selection.
void SelectNextWord(HWND editor);

// 214: the font dialog for the selection; the chosen font also becomes
// the preface viewer's.
void ChooseEditorFont(HWND mainWindow, HWND editor);
