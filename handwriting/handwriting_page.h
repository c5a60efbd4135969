// The candidates page of a drawing: each candidate, best first, its glyph
// linked to its character page, its insert link and its readings; and its
// status text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "handwriting/recogniser.h"
#include "search/result_page.h"

// The code point text of a candidate as the tables spell codes: upper-case
// hexadecimal, at least four digits.
std::string CandidateCode(char32_t codePoint);

std::string HandwritingPage(const CharacterTables& tables, const std::vector<HandwritingCandidate>& candidates,
                            const PageLookups& lookups = kIndexedLookups);

std::string HandwritingStatusText(std::size_t strokes, std::size_t candidates);
