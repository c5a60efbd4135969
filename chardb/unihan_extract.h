// The Unihan record extract: every line of the Unihan text that mentions a
// code point, and the message box that shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chardb/character_tables.h"

constexpr std::size_t kUnihanExtractMaxLines = 100;

// The Unihan text's records for the extract: the runs of lines that begin
// with the same "U+" code, each a range of the text (its lines are found
// in it when a search lists them), in a few runs each ascending by the
// code's text, and every "U+" that does not begin a line. Built for the
// text as it is at indexing time; the extract scans otherwise. Only the
// Unihan search needs it: the search builds it on its first use, not the
// loading of the tables.
struct UnihanIndex {
  struct Record {
    std::uint32_t codeOffset;  // the code's first hexadecimal digit
    std::uint32_t codeLength;
    std::uint32_t begin;  // where its first line begins
    std::uint32_t end;    // where the line after its last begins, or the text's end
  };
  const char* builtFor = nullptr;
  std::size_t builtSize = 0;
  std::size_t textLength = 0;  // the text up to its NUL
  // In the text's order when that falls in a few runs ascending by code
  // text (the shipped text's sections each list their codes in order),
  // else sorted by code text, of one code the first record first.
  std::vector<Record> records;
  std::vector<std::uint32_t> runs;         // where each run begins, and the records' count
  std::vector<std::uint32_t> linesBefore;  // lines of the records before each, and the total
  // Every "U+" that does not begin a line, ascending by the text after it
  // (its first kUnihanMarkOrderWidth bytes), with where its line begins.
  std::vector<std::uint32_t> innerMarks;
  std::vector<std::uint32_t> innerMarkLines;
  std::uint32_t linesWithInnerMarkOnly = 0;  // lines holding "U+" inside but not at the start
};
constexpr std::size_t kUnihanMarkOrderWidth = 32;

struct UnihanExtract {
  // The first matching lines, at most kUnihanExtractMaxLines, each whole,
  // without its LF (a CR before the LF stays), each listed once.
  std::vector<std::string> lines;
  // How many further lines matched.
  std::size_t moreLines = 0;
};

// The lines of the Unihan text holding "U+" and the key, folded to upper
// case (ASCII letters). No Unihan text: no lines. Found through the index
// when it was built for the tables' Unihan text as it is, else by the scan.
UnihanExtract ExtractUnihan(const CharacterTables& tables, const UnihanIndex& index, const std::string& key);

// The index of the tables' Unihan text; when memory runs out it throws
// std::bad_alloc and the index is left as not built.
void BuildUnihanIndex(const CharacterTables& tables, UnihanIndex& index);
// Whether the index was built for the tables' Unihan text as it is now.
bool UnihanIndexCurrent(const CharacterTables& tables, const UnihanIndex& index);

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
UnihanBox ComposeUnihanBox(const CharacterTables& tables, const UnihanIndex& index, const std::string& key);

// A count with a comma between groups of three digits: 1234 gives "1,234".
std::string WithThousandsSeparators(std::size_t value);
