// The browser pane, imported from Vistapane.dll by name. The functions use
// the C calling convention (__cdecl), so their exported names carry no
// decoration. The pane calls back the program's exports
// `void InsertUnicode(const char* target)` for every followed insert link
// and `void ShowProgramLink(const char* target)` for every followed link
// of the form "logodex:NAME/KEY" (the UTF-8 target as the page gives it).
#pragma once

#include <windows.h>

#ifdef VISTAPANE_BUILDING
#define VISTAPANE_API extern "C" __declspec(dllexport)
#else
#define VISTAPANE_API extern "C" __declspec(dllimport)
#endif

// Creates the pane, an owned pop-up of `parent`, and writes its handle;
// non-zero on success.
VISTAPANE_API int __cdecl OpenBrowser(HWND parent, HWND* pane);
// Shows "about:blank" or the HTML file at the UTF-8 path `target`, scrolled
// to the top, as a new history entry, with `caption` in the title bar.
VISTAPANE_API void __cdecl OpenHtml(const char* target, const char* caption);
// One step back or forward in the history of shown documents.
VISTAPANE_API void __cdecl GoBack();
VISTAPANE_API void __cdecl GoForward();
// Text size, 0 (smallest) to 4 (largest); 2 at start.
VISTAPANE_API void __cdecl FontSize(int level);
