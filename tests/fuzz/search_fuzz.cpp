// The searches over arbitrary keys and arbitrary tables. The first byte
// picks the case: odd, the key runs every search over a sample of the real
// tables (built once per run); even, the input up to a 0xFF byte serves as
// every table (small tables, built for each input) and the rest is the
// key; with the byte's next three bits 001, the radicals index is made
// over those tables instead (it takes no key and costs as much as all the
// searches, so it gets one even input in eight). The indexed finders must give what the plain scans give, and
// no key or table may crash, hang or reach out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "search/radicals_page.h"
#include "search/search_run.h"
#include "tests/fuzz/fuzz_tables.h"

namespace {

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

// The sampled tables are built before the first input, outside its time
// limit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SampledFuzzTables();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    static SearchMemory memory;
    PrepareSearches(SampledFuzzTables(), memory);
    CompareFinders(SampledFuzzTables(), memory, input);
    RunEverySearch(SampledFuzzTables(), memory, input);
    return 0;
  }
  std::size_t split = input.find('\xFF');
  std::string text = input.substr(0, split);
  std::string key = split == std::string::npos ? std::string() : input.substr(split + 1);
  std::vector<VariantPair> variants;
  CharacterTables tables;
  MakeSmallTables(text, true, variants, tables);
  if ((data[0] & 0x0E) == 0x02) {
    RadicalsIndexPage(tables);
    return 0;
  }
  SearchMemory memory;
  PrepareSearches(tables, memory);
  CompareFinders(tables, memory, key);
  RunEverySearch(tables, memory, key);
  return 0;
}
