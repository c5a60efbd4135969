// The Unicode lookup page: everything the tables know about one code
// point, with its simplified and traditional forms.
#pragma once

#include <string>

#include "chardb/character_tables.h"
#include "search/result_page.h"

// The code point text is the typed key; the lookups fold its letters to
// upper case in place, as the page and the status text then show it.
std::string UnicodePage(const CharacterTables& tables, std::string& code,
                        const PageLookups& lookups = kIndexedLookups);
