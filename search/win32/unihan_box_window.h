// The box of a Unihan search on the screen: the message box when its lines
// fit the work area, else a box of the program's own with the same caption
// and text, sized to the work area, scrolling, its text selectable.
#pragma once

#include <windows.h>

#include <string>

// Shows the box without an owner window and returns when it is closed.
void ShowUnihanLines(HINSTANCE instance, const std::wstring& caption, const std::wstring& text);
