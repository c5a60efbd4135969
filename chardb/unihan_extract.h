// The Unihan record extract: every line of the Unihan text that mentions a
// code point, and the message box that shows them. Its index, which finds
// the same lines faster, is unihan_index.h's.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chardb/character_tables.h"

constexpr std::size_t kUnihanExtractMaxLines = 100;
// The box on the screen shows a line longer than this cut (the shipped
// text's longest line is 452 bytes), so that what it measures and draws
// stays within the hundred lines of this length.
constexpr std::size_t kUnihanShownLineMaxBytes = 1024;

struct UnihanExtract {
  // The first matching lines, at most kUnihanExtractMaxLines, each whole,
  // without its LF (a CR before the LF stays), each listed once.
  std::vector<std::string> lines;
  // How many further lines matched.
  std::size_t moreLines = 0;
};

// The lines of the Unihan text holding "U+" and the key, folded to upper
// case (ASCII letters), by a plain scan of the whole text. No Unihan text:
// no lines.
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

// The box's text as the screen shows it: each line longer than
// kUnihanShownLineMaxBytes cut at a character's start before there and
// ended by " ... and N more bytes".
std::string WithLongLinesCut(const std::string& text);
