// The KangXi radicals index: every radical with its number, glyphs, code
// point, reading and name, under the titles of the stroke groups.
#pragma once

#include <string>

#include "chardb/character_tables.h"
#include "search/result_page.h"
#include "search/search_texts.h"

// The page's bytes, its lines ending in CR LF as a text-mode file stores
// them, the same in every build.
std::string RadicalsIndexPage(const CharacterTables& tables, const PageLookups& lookups = kIndexedLookups);
