// Showing pages in the browser pane.
#pragma once

#include <windows.h>

// Commands 110 to 115: the page written last, with that search's status
// text as the caption; 110 with the wait cursor.
void ShowSearchPage(HWND window, int command);

// Command 221: the KangXi radicals index written at start-up.
void ShowRadicalsIndex(HWND window);
