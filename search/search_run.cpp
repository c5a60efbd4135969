#include "search/search_run.h"

#include <algorithm>

#include "chardb/fill_format.h"
#include "search/definition_search.h"
#include "search/matthews_search.h"
#include "search/search_texts.h"
#include "search/stroke_number_search.h"
#include "search/typed_pinyin.h"
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

const PageLookups& LookupsOf(SearchMethod method) {
  return method == SearchMethod::kIndexed ? kIndexedLookups : kScanningLookups;
}

}  // namespace

void PrepareSearches(const CharacterTables& tables, SearchMemory& memory) { EnsurePinyinIndex(tables, memory); }

UnihanBox RunUnihanSearch(const CharacterTables& tables, const std::string& key, SearchMemory& memory) {
  return ComposeUnihanBox(ExtractUnihan(tables, CurrentUnihanIndex(tables, memory), key), key);
}

void RefindPinyin(const CharacterTables& tables, std::string& key, SearchMemory& memory) {
  EnsurePinyinIndex(tables, memory);
  FindPinyin(tables, memory.pinyinIndex, key, memory.toneLists);
}

SearchOutcome RunSearch(const CharacterTables& tables, SearchKind kind, std::string& key,
                        SearchMemory& memory, SearchMethod method) {
  if (kind < 0 || kind >= kSearchKindCount || !SearchKindOf(kind).writePage) return {};
  return SearchKindOf(kind).writePage(tables, key, memory, method);
}

namespace {

void FindPinyinLists(const CharacterTables& tables, std::string& key, SearchMemory& memory, SearchMethod method,
                     ToneLists& lists) {
  if (method == SearchMethod::kIndexed) {
    EnsurePinyinIndex(tables, memory);
    FindPinyin(tables, memory.pinyinIndex, key, lists);
  } else {
    FindPinyinByScan(tables, key, lists);
  }
}

bool NoneFound(const ToneLists& lists) {
  return std::all_of(lists.tones.begin(), lists.tones.end(), [](const auto& list) { return list.empty(); });
}

}  // namespace

SearchOutcome WritePinyinPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                              SearchMethod method) {
  // A key that finds nothing as the field takes it, read as input methods
  // take it (MA3, LV, mǎ): its answer when the data have one. With a tone,
  // the indexed search reads it so at once: no reading of the table has a
  // second digit or a letter beyond ASCII after its tone, so the key as
  // typed finds nothing (the plain scan tries it first, and the tests hold
  // the two to one answer).
  TypedPinyin typed;
  bool readable = !key.empty() && ReadTypedPinyin(key, typed);
  bool searched = false;
  if (!key.empty() && !(readable && typed.tone && method == SearchMethod::kIndexed)) {
    FindPinyinLists(tables, key, memory, method, memory.toneLists);
    searched = true;
    if (!readable || !NoneFound(memory.toneLists)) return KindOutcome(kPinyinSearch, PinyinPage(memory.toneLists), key);
  }
  if (readable) {
    ToneLists lists;
    FindPinyinLists(tables, typed.syllable, memory, method, lists);
    if (typed.tone && !lists.tones[typed.tone - 1].empty()) {
      key = typed.shown;
      return KindOutcome(kPinyinSearch, PinyinReadingPage(tables, typed, lists.tones[typed.tone - 1]), key);
    }
    if (!typed.tone && !NoneFound(lists)) {
      key = typed.shown;
      memory.toneLists = std::move(lists);
      return KindOutcome(kPinyinSearch, PinyinPage(memory.toneLists), key);
    }
  }
  if (!searched && !key.empty()) FindPinyinLists(tables, key, memory, method, memory.toneLists);
  return KindOutcome(kPinyinSearch, PinyinPage(memory.toneLists), key);
}

SearchOutcome WriteUnicodePage(const CharacterTables& tables, std::string& key, SearchMemory&,
                               SearchMethod method) {
  std::string page = UnicodePage(tables, key, LookupsOf(method));
  return KindOutcome(kUnicodeSearch, std::move(page), key);
}

SearchOutcome WriteMatthewsPage(const CharacterTables& tables, std::string& key, SearchMemory&,
                                SearchMethod method) {
  return KindOutcome(kMatthewsSearch, MatthewsPage(tables, key, FindMatthews(tables, key), LookupsOf(method)), key);
}

SearchOutcome WriteRadicalStrokePage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                     SearchMethod method) {
  std::vector<std::string> results;
  bool indexed = method == SearchMethod::kIndexed;
  if (!key.empty() && indexed) EnsureRadicalStrokeIndex(tables, memory);
  if (!key.empty())
    results = indexed ? FindRadicalStroke(tables, memory.radicalStrokeIndex, key) : FindRadicalStrokeByScan(tables, key);
  return KindOutcome(kRadicalStrokeSearch, RadicalStrokePage(tables, results, LookupsOf(method)), key);
}

SearchOutcome WriteDefinitionPage(const CharacterTables& tables, std::string& key, SearchMemory&,
                                  SearchMethod method) {
  std::vector<std::string> results;
  if (!key.empty()) results = FindDefinitions(tables, key);
  return KindOutcome(kDefinitionSearch, DefinitionPage(tables, results, LookupsOf(method)), key);
}

// Its status text counts the characters found, and its page has a file of
// its own.
SearchOutcome WriteStrokeNumberPage(const CharacterTables& tables, std::string& key, SearchMemory&,
                                    SearchMethod method) {
  StrokeRange range;
  if (!key.empty()) range = FindStrokeRange(tables, key);
  std::string status = FillNumberFormat(SearchKindOf(kStrokeNumberSearch).statusFormat, static_cast<long>(range.size()));
  return {kStrokePageFileName, StrokeNumberPage(tables, range, LookupsOf(method)), FillFormat(status.c_str(), {key})};
}
