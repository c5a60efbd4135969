// The index of the Unihan text: the extract's lines found without a scan
// of the whole text. Only the Unihan search needs it: the search builds it
// on its first use, not the loading of the tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "chardb/unihan_extract.h"

// The Unihan text's records for the extract: the runs of lines that begin
// with the same "U+" code, each a range of the text (its lines are found
// in it when a search lists them), in a few runs each ascending by the
// code's text, and every "U+" that does not begin a line. Built for one
// load of the text (CharacterTables::unihanLoad); the extract scans when
// the text was loaded again since.
struct UnihanIndex {
  struct Record {
    std::uint32_t codeOffset;  // the code's first hexadecimal digit
    std::uint32_t codeLength;
    std::uint32_t begin;  // where its first line begins
    std::uint32_t end;    // where the line after its last begins, or the text's end
  };
  // The text it was built for: its buffer and size, and the load that
  // filled it.
  const char* builtFor = nullptr;
  std::size_t builtSize = 0;
  std::uint64_t builtForLoad = 0;
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
constexpr std::size_t kUnihanMarkOrderWidth = 26;  // "U+" and 24 bytes

// The index of the tables' Unihan text; when memory runs out it throws
// std::bad_alloc and the index is left as not built.
void BuildUnihanIndex(const CharacterTables& tables, UnihanIndex& index);
// Whether the index was built for the tables' Unihan text as last loaded.
bool UnihanIndexCurrent(const CharacterTables& tables, const UnihanIndex& index);

// The extract of ExtractUnihanByScan, found through the index when it is
// current, else by the scan.
UnihanExtract ExtractUnihan(const CharacterTables& tables, const UnihanIndex& index, const std::string& key);
