// The Unihan record extract: every line of the Unihan text that mentions a
// code point, and the message box that shows them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chardb/character_tables.h"

constexpr std::size_t kUnihanExtractMaxLines = 100;

struct UnihanExtract {
  // The first matching lines, at most kUnihanExtractMaxLines, each whole,
  // without its LF (a CR before the LF stays), each listed once.
  std::vector<std::string> lines;
  // How many further lines matched.
  std::size_t moreLines = 0;
};

// The lines of the Unihan text holding "U+" and the key, folded to upper
// case (ASCII letters). No Unihan text: no lines.
UnihanExtract ExtractUnihan(const CharacterTables& tables, const std::string& key);
// The index the extract answers from (see UnihanIndex); built with the
// other lookup indexes.
void BuildUnihanIndex(CharacterTables& tables);

// The reference: the same answer by a plain scan of the whole text.
UnihanExtract ExtractUnihanByScan(const CharacterTables& tables, const std::string& key);

// The message box of a Unihan search.
struct UnihanBox {
  std::string caption;
  std::string text;
};

// "Not found in Unihan" captioned "Unihan extract" when nothing matched;
// else the lines joined by LF, then, when more matched, a line "... and N
// more lines", captioned "Unihan: " and the key as given.
UnihanBox ComposeUnihanBox(const UnihanExtract& extract, const std::string& key);
UnihanBox ComposeUnihanBox(const CharacterTables& tables, const std::string& key);

// A count with a comma between groups of three digits: 1234 gives "1,234".
std::string WithThousandsSeparators(std::size_t value);
