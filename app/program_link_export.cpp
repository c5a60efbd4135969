// ShowProgramLink, the program's export for the browser pane's program
// links ("logodex:character/957F"): the search the link names runs, its
// page is written and shown through the show-page command, as a search of
// the search bar is. A target that is no program link does nothing.
#include <windows.h>

#include <string>

#include "search/program_links.h"
#include "search/win32/search_bar.h"
#include "win32/entry_guard.h"

extern "C" __declspec(dllexport) void ShowProgramLink(const char* target) {
  Guarded(0, [&] {
    SearchKind kind;
    std::string key;
    if (target && ParseProgramLink(target, kind, key)) ShowProgramLinkPage(kind, key);
    return 0;
  });
}
