#include "search/search_kinds.h"

#include "search/character_page.h"
#include "search/character_texts.h"
#include "search/components_page.h"
#include "search/reading_page.h"
#include "search/reading_texts.h"
#include "search/search_run.h"
#include "search/search_texts.h"

namespace {

constexpr const char* kPinyinBenchmarkKeys[] = {"YI", "YI4", nullptr};
constexpr const char* kUnicodeBenchmarkKeys[] = {"4E00", nullptr};
constexpr const char* kMatthewsBenchmarkKeys[] = {"300", nullptr};
constexpr const char* kUnihanBenchmarkKeys[] = {"4E00", "", nullptr};
constexpr const char* kRadicalStrokeBenchmarkKeys[] = {"140.8", nullptr};
constexpr const char* kDefinitionBenchmarkKeys[] = {"to", "of", nullptr};
constexpr const char* kStrokeNumberBenchmarkKeys[] = {"12", nullptr};
// 不 (U+4E0D) has the most words: 2,190 entries of CC-CEDICT hold it.
constexpr const char* kCharacterBenchmarkKeys[] = {"4E0D", nullptr};
// The components in the most characters, and the three of 瞧. Its plain
// scan of the decomposition table takes about 10 ms, and the page both
// write, the same for both, about a tenth of a millisecond of what is left
// to the index: ten times is what the index is held to.
constexpr const char* kComponentsBenchmarkKeys[] = {"口", "木", "氵", "亻", "目隹灬", nullptr};
constexpr double kComponentsSpeedUp = 10.0;
constexpr const char* kReadingBenchmarkKeys[] = {"hou", "ka", nullptr};

}  // namespace

const SearchKindRow kSearchKinds[kSearchKindCount] = {
    {kPinyinSearch, "Pinyin", nullptr, kPinyinStatusFormat, WritePinyinPage, true, "pinyin",
     "characters read with a syllable, toneless or with its tone (MA, MA3)", "pinyin", kPinyinBenchmarkKeys},
    {kUnicodeSearch, "Unicode", nullptr, kUnicodeStatusFormat, WriteUnicodePage, false, "unicode",
     "the page of one code point", "unicode", kUnicodeBenchmarkKeys},
    {kMatthewsSearch, "Matthews", nullptr, kMatthewsStatusFormat, WriteMatthewsPage, false, "matthews",
     "characters with a Matthews number (1-7773)", "matthews", kMatthewsBenchmarkKeys},
    {kUnihanSearch, "Unihan", nullptr, nullptr, nullptr, true, "unihan",
     "every Unihan line that names the code point", "unihan", kUnihanBenchmarkKeys},
    {kRadicalStrokeSearch, "Radical.Stroke", nullptr, kRadicalStrokeStatusFormat, WriteRadicalStrokePage, true,
     "radical-stroke", "characters with a radical-stroke index (140.8)", "radicalstroke",
     kRadicalStrokeBenchmarkKeys},
    {kDefinitionSearch, "Definition", nullptr, kDefinitionStatusFormat, WriteDefinitionPage, true, "definition",
     "characters whose definition holds the word", "definition", kDefinitionBenchmarkKeys},
    {kStrokeNumberSearch, "Stroke Number", nullptr, kStrokeNumberStatusFormat, WriteStrokeNumberPage, true,
     "stroke-number", "characters with a total stroke count", "strokenumber", kStrokeNumberBenchmarkKeys},
    {kCharacterSearch, "Character", nullptr, kCharacterStatusFormat, WriteCharacterPage, true, "character",
     "the page of one character (U+957F or the character)", "character", kCharacterBenchmarkKeys},
    {kComponentsSearch, "Components", "Components", kComponentsStatusFormat, WriteComponentsPage, false,
     "components", "characters made of the components given (none: the palette)", "components",
     kComponentsBenchmarkKeys, kComponentsSpeedUp},
    {kReadingSearch, "Reading", nullptr, kReadingStatusFormat, WriteReadingPage, false, "reading",
     "characters read so in Cantonese, Japanese, Korean or Vietnamese", "reading", kReadingBenchmarkKeys},
};

const SearchKindRow* SearchKindNamed(const std::string& word) {
  for (const SearchKindRow& row : kSearchKinds)
    if (word == row.commandName) return &row;
  return nullptr;
}
