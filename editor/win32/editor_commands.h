// The editing commands the main window carries out on the document pane.
#pragma once

#include <windows.h>

// IDM_PASTE: pastes plain text when the clipboard holds it, else lets the
// control choose; the focus returns to the pane.
void PasteIntoEditor(HWND mainWindow, HWND editor, UINT richTextFormat);

// IDM_BOLD, IDM_ITALIC, IDM_UNDERLINE: inverts bold, italic or underline on the selection.
void ToggleEffect(HWND editor, DWORD effect);

// IDM_ALIGN_LEFT, IDM_ALIGN_CENTER, IDM_ALIGN_RIGHT: aligns the selected paragraphs.
void AlignParagraphs(HWND editor, WORD alignment);

// IDM_SELECT_ALL: selects the whole text.
void SelectAll(HWND editor);

// IDM_NEXT_WORD: selects the word after the selection.
void SelectNextWord(HWND editor);

// IDM_FONT: the font dialog for the selection; the chosen font also becomes
// the preface viewer's.
void ChooseEditorFont(HWND mainWindow, HWND editor);
