// The Find dialog over the document pane.
#pragma once

#include <windows.h>
#include <commdlg.h>

// Empties the search text (at start-up).
void ResetFindText();

// IDM_FIND: opens the modeless Find dialog, or gives the open one the focus.
void OpenFindDialog(HWND mainWindow);

// The registered "commdlg_FindReplace" message: finds the next match after
// the selection's start, or says "Text not found.".
LRESULT OnFindReplace(HWND mainWindow, HWND editor, const FINDREPLACEW* request);
