#include "search/search_run.h"

#include <new>

#include "chardb/fill_format.h"
#include "search/definition_search.h"
#include "search/matthews_search.h"
#include "search/search_texts.h"
#include "search/stroke_number_search.h"
#include "search/unicode_page.h"

namespace {

void EnsurePinyinIndex(const CharacterTables& tables, SearchMemory& memory) {
  if (memory.pinyinIndex.builtFor != tables.pinyin.text() ||
      memory.pinyinIndex.builtSize != tables.pinyin.size())
    BuildPinyinIndex(tables, memory.pinyinIndex);
}

// Built on the first radical-stroke search: building it costs a fraction
// of one search by the scan, and start-up need not pay for it.
void EnsureRadicalStrokeIndex(const CharacterTables& tables, SearchMemory& memory) {
  if (memory.radicalStrokeIndex.builtFor != tables.radicalStroke.text() ||
      memory.radicalStrokeIndex.builtSize != tables.radicalStroke.size())
    BuildRadicalStrokeIndex(tables, memory.radicalStrokeIndex);
}

// Built on the first Unihan search: building it costs less than one
// search by the scan, and start-up need not pay for it. When memory runs
// out for it the search scans, and the next one tries again.
void EnsureUnihanIndex(const CharacterTables& tables, SearchMemory& memory) {
  if (UnihanIndexCurrent(tables, memory.unihanIndex)) return;
  try {
    BuildUnihanIndex(tables, memory.unihanIndex);
  } catch (const std::bad_alloc&) {
    memory.unihanIndex = UnihanIndex();
  }
}

SearchOutcome Outcome(const char* fileName, std::string page, const char* statusFormat,
                      const std::string& key) {
  return {fileName, std::move(page), FillFormat(statusFormat, {key})};
}

}  // namespace

std::size_t SearchKeyUnits(const std::string& key) {
  std::size_t units = 0;
  for (unsigned char byte : key) {
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

void PrepareSearches(const CharacterTables& tables, SearchMemory& memory) { EnsurePinyinIndex(tables, memory); }

UnihanBox RunUnihanSearch(const CharacterTables& tables, const std::string& key, SearchMemory& memory) {
  EnsureUnihanIndex(tables, memory);
  return ComposeUnihanBox(tables, memory.unihanIndex, key);
}

void RefindPinyin(const CharacterTables& tables, std::string& key, SearchMemory& memory) {
  EnsurePinyinIndex(tables, memory);
  FindPinyin(tables, memory.pinyinIndex, key, memory.toneLists);
}

SearchOutcome RunSearch(const CharacterTables& tables, SearchKind kind, std::string& key,
                        SearchMemory& memory, SearchMethod method) {
  bool indexed = method == SearchMethod::kIndexed;
  const PageLookups& lookups = indexed ? kIndexedLookups : kScanningLookups;
  switch (kind) {
    case kPinyinSearch:
      if (!key.empty()) {
        if (indexed) {
          EnsurePinyinIndex(tables, memory);
          FindPinyin(tables, memory.pinyinIndex, key, memory.toneLists);
        } else {
          FindPinyinByScan(tables, key, memory.toneLists);
        }
      }
      return Outcome(kSearchPageFileName, PinyinPage(memory.toneLists), kPinyinStatusFormat, key);
    case kUnicodeSearch: {
      std::string page = UnicodePage(tables, key, lookups);
      return Outcome(kSearchPageFileName, std::move(page), kUnicodeStatusFormat, key);
    }
    case kMatthewsSearch:
      return Outcome(kSearchPageFileName, MatthewsPage(tables, key, FindMatthews(tables, key), lookups),
                     kMatthewsStatusFormat, key);
    case kRadicalStrokeSearch: {
      std::vector<std::string> results;
      if (!key.empty() && indexed) EnsureRadicalStrokeIndex(tables, memory);
      if (!key.empty())
        results = indexed ? FindRadicalStroke(tables, memory.radicalStrokeIndex, key)
                          : FindRadicalStrokeByScan(tables, key);
      return Outcome(kSearchPageFileName, RadicalStrokePage(tables, results, lookups),
                     kRadicalStrokeStatusFormat, key);
    }
    case kDefinitionSearch: {
      std::vector<std::string> results;
      if (!key.empty()) results = FindDefinitions(tables, key);
      return Outcome(kSearchPageFileName, DefinitionPage(tables, results, lookups), kDefinitionStatusFormat,
                     key);
    }
    case kStrokeNumberSearch: {
      StrokeRange range;
      if (!key.empty()) range = FindStrokeRange(tables, key);
      std::string status = FillNumberFormat(kStrokeNumberStatusFormat, static_cast<long>(range.size()));
      return {kStrokePageFileName, StrokeNumberPage(tables, range, lookups), FillFormat(status.c_str(), {key})};
    }
    default:
      return {};
  }
}
