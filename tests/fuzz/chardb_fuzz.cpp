// The character database over arbitrary bytes. An input with a 0xFF byte
// is one table text, the 0xFF, then a key: the text serves as all four
// extracts, the Unihan text and the variant tables (small tables, built for
// each input; loading the stroke file is the data-file target's). An input
// without one is a key alone, for a sample of the real tables built once
// per run. The indexed lookups must answer as the scans do for the key and
// for every line's code, the Unihan extract as its scan does, and nothing
// may read or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "chardb/insertion_texts.h"
#include "chardb/lookups.h"
#include "chardb/unihan_extract.h"
#include "chardb/unihan_index.h"
#include "tests/fuzz/fuzz_tables.h"

namespace {

void Same(const std::string& a, const std::string& b) {
  if (a != b) std::abort();
}

void Check(const CharacterTables& tables, const std::string& key) {
  using Lookup = std::string (*)(const CharacterTables&, std::string&);
  const Lookup pairs[][2] = {{LookupPinyin, LookupPinyinByScan},
                             {LookupDefinition, LookupDefinitionByScan},
                             {LookupRadicalStroke, LookupRadicalStrokeByScan},
                             {LookupMatthews, LookupMatthewsByScan}};
  for (const auto& pair : pairs) {
    std::string a = key, b = key;
    Same(pair[0](tables, a), pair[1](tables, b));
    Same(a, b);
  }
  Same(LookupSimplified(tables, key), LookupSimplifiedByScan(tables, key));
  Same(LookupTraditional(tables, key), LookupTraditionalByScan(tables, key));
}

}  // namespace

// The sampled tables are built before the first input, outside its time
// limit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SampledFuzzTables();
  return 0;
}

// Every answer about the key from the tables, each compared with its scan.
void CheckKey(const CharacterTables& tables, const std::string& key) {
  Check(tables, key);
  UnihanIndex index;
  BuildUnihanIndex(tables, index);
  UnihanExtract extract = ExtractUnihan(tables, index, key);
  if (extract.lines.size() > kUnihanExtractMaxLines) std::abort();
  UnihanExtract scanned = ExtractUnihanByScan(tables, key);
  if (extract.lines != scanned.lines || extract.moreLines != scanned.moreLines) std::abort();
  ComposeUnihanBox(extract, key);
  InsertionTexts texts;
  ComposeInsertionTexts(tables, "insert" + key, texts);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t split = input.find('\xFF');
  if (split == std::string::npos) {
    CheckKey(SampledFuzzTables(), input);
    return 0;
  }
  std::string text = input.substr(0, split);
  std::string key = input.substr(split + 1);

  std::vector<VariantPair> variants;
  CharacterTables tables;
  MakeSmallTables(text, false, variants, tables);
  CheckKey(tables, key);
  // Every line's code field.
  for (std::size_t line = 0; line < text.size() && line < 4096;) {
    std::size_t end = text.find('\n', line);
    if (end == std::string::npos) end = text.size();
    std::size_t tab = text.find('\t', line);
    if (text.compare(line, 2, "U+") == 0 && tab < end) Check(tables, text.substr(line + 2, tab - line - 2));
    line = end + 1;
  }
  return 0;
}
