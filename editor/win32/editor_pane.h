// The zero-size rich edit document pane of the main window.
#pragma once

#include <windows.h>
#include <richedit.h>

// Creates the pane (control 1) as a child of the main window: a Unicode
// window, whose text messages carry every character.
HWND CreateEditorPane(HINSTANCE instance, HWND parent);

// Sets the plain "Arial Unicode MS" format, the focus, the selection-change
// notification, the text limit and lines that do not wrap.
void SetUpEditorPane(HWND editor);

// Empties the document and clears its modified flag.
void NewDocument(HWND editor);

// Shows the caret position of the new selection in the status bar.
LRESULT OnEditorSelectionChange(const SELCHANGE* change, HWND statusBar);
