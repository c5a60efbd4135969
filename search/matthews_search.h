// The Matthews search: the characters carrying a dictionary number, each
// with its full entry on the page.
#pragma once

#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "search/result_page.h"

constexpr int kMatthewsLargest = 7773;
// The hit list's room; no number of the data has more than 4 characters.
constexpr std::size_t kMatthewsHitLimit = 20;

// "M+" and four positions from the key: as many of the key's own
// characters as the number has digits (1 to 4), padded with 'p', at most
// six characters.
std::string MatthewsPattern(const std::string& key);

// The code point texts of the lines whose value holds the pattern, in
// table order; none for a number outside 0 to 7773.
std::vector<std::string> FindMatthews(const CharacterTables& tables, const std::string& key);

// The key is shown escaped as the number of every hit.
std::string MatthewsPage(const CharacterTables& tables, const std::string& key,
                         const std::vector<std::string>& hits,
                         const PageLookups& lookups = kIndexedLookups);
