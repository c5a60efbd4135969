// Tables for the fuzz targets: the real ones, loaded and indexed once per
// run, and small ones made from an input's text, cheap enough to build for
// every input.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "chardb/character_tables.h"

// Every n-th line of a text, from its first, in order.
inline std::string EveryNthLine(const std::string& text, std::size_t n) {
  std::string sample;
  std::size_t line = 0;
  for (std::size_t start = 0; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    if (line % n == 0) sample.append(text, start, end - start);
    start = end;
  }
  return sample;
}

// A sample of the generated tables of LOGODEX_DATA_DIR, built once per run:
// every 256th line of each extract and of the stroke file and every 64th
// entry of the variant tables, every 4096th line of the Unihan text (a few
// hundred lines each, a few kilobytes). Small enough that the plain scans
// the lookups are compared with cost little for every input, real enough
// that the keys meet real lines.
inline const CharacterTables& SampledFuzzTables() {
  static CharacterTables* tables = [] {
    auto* sampled = new CharacterTables;
    const char* dir = std::getenv("LOGODEX_DATA_DIR");
    if (!dir) std::abort();
    auto read = [&](const char* name, std::size_t n) {
      std::string bytes;
      if (!ReadFileBytes(std::string(dir) + "/" + name, bytes)) std::abort();
      return EveryNthLine(bytes, n);
    };
    struct Embedded {
      const char* name;
      ResourceText& text;
    } embedded[] = {{kPinyinDataName, sampled->pinyin},
                    {kDefinitionDataName, sampled->definition},
                    {kRadicalStrokeDataName, sampled->radicalStroke},
                    {kMatthewsDataName, sampled->matthews}};
    for (Embedded& item : embedded) {
      std::string text = read(item.name, 256);
      SetResourceText(text.data(), text.size(), item.text);
    }
    LoadStrokeTable(read(kStrokeFileName, 256), *sampled);
    LoadUnihanText(read(kUnihanFileName, 4096), *sampled);
    static std::vector<VariantPair> simplified, traditional;
    for (std::size_t i = 0; i < kSimplifiedVariantsCount; i += 64) simplified.push_back(kSimplifiedVariants[i]);
    for (std::size_t i = 0; i < kTraditionalVariantsCount; i += 64) traditional.push_back(kTraditionalVariants[i]);
    sampled->simplified = VariantTable{simplified.data(), simplified.size()};
    sampled->traditional = VariantTable{traditional.data(), traditional.size()};
    BuildLookupIndexes(*sampled);
    return sampled;
  }();
  return *tables;
}

// The text as all four extracts, the Unihan text, the stroke file when
// asked, and as both variant tables: its first 64 lines, each a key (the first word,
// cut to its field) and a value (the rest, cut likewise). The variant
// tables point into `variants`, which must outlive `tables`.
inline void MakeSmallTables(const std::string& text, bool withStrokes, std::vector<VariantPair>& variants,
                            CharacterTables& tables) {
  for (ResourceText* table : {&tables.pinyin, &tables.definition, &tables.radicalStroke, &tables.matthews})
    SetResourceText(text.data(), text.size(), *table);
  if (withStrokes) LoadStrokeTable(text, tables);
  LoadUnihanText(text, tables);
  variants.clear();
  for (std::size_t start = 0; start < text.size() && variants.size() < 64;) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    std::size_t blank = line.find_first_of(" \t");
    std::string key = line.substr(0, blank);
    std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    VariantPair pair{};
    std::memcpy(pair.key, key.data(), std::min(key.size(), kVariantKeyWidth - 1));
    std::memcpy(pair.value, value.data(), std::min(value.size(), kVariantValueWidth - 1));
    variants.push_back(pair);
    start = end + 1;
  }
  tables.simplified = VariantTable{variants.data(), variants.size()};
  tables.traditional = VariantTable{variants.data(), variants.size() / 2};
  BuildLookupIndexes(tables);
}
