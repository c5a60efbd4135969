// Showing pages in the browser pane.
#pragma once

#include <windows.h>

// A show-page command of the search bar: the page written last, with that
// search's status text as the caption; the Pinyin page's with the wait
// cursor.
void ShowSearchPage(HWND window, int command);

// The KangXi radicals index, written at start-up; false, after telling the
// user, when it cannot be written.
bool WriteRadicalsIndex();

// IDM_KANGXI_RADICALS: the KangXi radicals index, written again first when its
// file is gone (or was never written).
void ShowRadicalsIndex(HWND window);
