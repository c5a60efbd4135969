// Program links: a page's link to another page of the program,
// "logodex:NAME/KEY", NAME the command name of a page-writing kind of the
// table of search kinds and KEY a key of that kind. The pane hands the
// program the targets of that form; the program reads the kind and key
// back and shows that search's page.
#pragma once

#include <string>

#include "search/search_kinds.h"

// The target of a link to the kind's page for the key (a code point as
// hexadecimal digits for a character, say): "logodex:character/957F".
std::string ProgramLinkTarget(SearchKind kind, const std::string& key);

// The kind and key of a program link's target; false for anything else:
// invalid UTF-8, a target the pane takes for no program link, a name that
// is no page-writing kind, a key longer than a search field takes.
bool ParseProgramLink(const std::string& target, SearchKind& kind, std::string& key);
