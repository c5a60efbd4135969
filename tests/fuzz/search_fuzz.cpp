// The searches over arbitrary keys and arbitrary tables. The first byte
// picks the case: odd, the key runs every search over the real tables;
// even, the input up to a 0xFF byte serves as every table and the rest is
// the key. The indexed finders must give what the plain scans give, and
// no key or table may crash, hang or reach out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "search/radicals_page.h"
#include "search/search_run.h"

namespace {

const CharacterTables& RealTables() {
  static CharacterTables* tables = [] {
    auto* loaded = new CharacterTables;
    const char* dir = std::getenv("LOGODEX_DATA_DIR");
    std::string error;
    if (!dir || !LoadCharacterTables(dir, *loaded, error)) std::abort();
    return loaded;
  }();
  return *tables;
}

void CompareFinders(const CharacterTables& tables, SearchMemory& memory, const std::string& key) {
  std::string indexedKey = key, scannedKey = key;
  ToneLists indexed, scanned;
  FindPinyin(tables, memory.pinyinIndex, indexedKey, indexed);
  FindPinyinByScan(tables, scannedKey, scanned);
  if (indexed.tones != scanned.tones || indexedKey != scannedKey) std::abort();
  if (!key.empty() &&
      FindRadicalStroke(tables, memory.radicalStrokeIndex, key) != FindRadicalStrokeByScan(tables, key))
    std::abort();
}

void RunEverySearch(const CharacterTables& tables, SearchMemory& memory, const std::string& key) {
  for (int kind = 0; kind < kSearchKindCount; ++kind) {
    std::string typed = key;
    SearchOutcome outcome = RunSearch(tables, static_cast<SearchKind>(kind), typed, memory);
    if (kind != kUnihanSearch && outcome.page.rfind("<HTML><HEAD><TITLE>", 0) != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    static SearchMemory memory;
    PrepareSearches(RealTables(), memory);
    CompareFinders(RealTables(), memory, input);
    RunEverySearch(RealTables(), memory, input);
    return 0;
  }
  std::size_t split = input.find('\xFF');
  std::string text = input.substr(0, split);
  std::string key = split == std::string::npos ? std::string() : input.substr(split + 1);
  CharacterTables tables;
  for (ResourceText* table : {&tables.pinyin, &tables.definition, &tables.radicalStroke, &tables.matthews})
    SetResourceText(text.data(), text.size(), *table);
  LoadStrokeTable(text, tables);
  LoadUnihanText(text, tables);
  BuildLookupIndexes(tables);
  SearchMemory memory;
  PrepareSearches(tables, memory);
  CompareFinders(tables, memory, key);
  RunEverySearch(tables, memory, key);
  RadicalsIndexPage(tables);
  return 0;
}
