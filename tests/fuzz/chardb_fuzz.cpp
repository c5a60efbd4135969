// The character database over arbitrary bytes: the input is one table
// text, then a 0xFF byte, then a key. The text serves as all four extracts,
// the stroke file and the Unihan text; the indexed lookups must answer as
// the scans do for the key and for every line's code, the Unihan extract
// as its scan does, and nothing may read
// or write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chardb/insertion_texts.h"
#include "chardb/lookups.h"
#include "chardb/unihan_extract.h"

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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t split = input.find('\xFF');
  std::string text = input.substr(0, split);
  std::string key = split == std::string::npos ? std::string() : input.substr(split + 1);

  CharacterTables tables;
  for (ResourceText* table : {&tables.pinyin, &tables.definition, &tables.radicalStroke, &tables.matthews}) {
    SetResourceText(text.data(), text.size(), *table);
  }
  LoadStrokeTable(text, tables);
  if (tables.strokes.size() < kStrokeTableMinRecords || tables.strokes.size() <= tables.strokePieces) std::abort();
  LoadUnihanText(text, tables);
  BuildLookupIndexes(tables);

  Check(tables, key);
  // Every line's code field, and the stroke codes.
  for (std::size_t line = 0; line < text.size() && line < 4096;) {
    std::size_t end = text.find('\n', line);
    if (end == std::string::npos) end = text.size();
    std::size_t tab = text.find('\t', line);
    if (text.compare(line, 2, "U+") == 0 && tab < end) Check(tables, text.substr(line + 2, tab - line - 2));
    line = end + 1;
  }
  for (std::size_t i = 0; i < tables.strokePieces && i < 64; ++i) Check(tables, tables.strokes[i].code);

  UnihanExtract extract = ExtractUnihan(tables, key);
  if (extract.lines.size() > kUnihanExtractMaxLines) std::abort();
  UnihanExtract scanned = ExtractUnihanByScan(tables, key);
  if (extract.lines != scanned.lines || extract.moreLines != scanned.moreLines) std::abort();
  ComposeUnihanBox(extract, key);
  InsertionTexts texts;
  ComposeInsertionTexts(tables, "insert" + key, texts);
  return 0;
}
