#include "search/reading_page.h"

#include <algorithm>
#include <map>

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "search/reading_texts.h"
#include "search/result_page.h"
#include "search/search_texts.h"

namespace {

// Upper-case hex, four digits below U+10000 and five or six above.
std::string CodeText(std::uint32_t cp) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = 20; shift >= 0; shift -= 4)
    if (shift < 16 || (cp >> shift) != 0) text += kDigits[(cp >> shift) & 0xF];
  return text;
}

// The distinct readings of the entries, in their order, joined.
std::string JoinedReadings(const std::vector<const ReadingEntry*>& entries) {
  std::vector<std::string_view> readings;
  for (const ReadingEntry* entry : entries)
    if (std::find(readings.begin(), readings.end(), entry->reading) == readings.end())
      readings.emplace_back(entry->reading);
  std::string joined;
  for (std::string_view reading : readings) {
    if (!joined.empty()) joined += kReadingListSeparator;
    joined += HtmlEscaped(std::string(reading));
  }
  return joined;
}

void AppendSection(std::string& page, const CharacterTables& tables, ReadingLanguage language,
                   const std::vector<const ReadingEntry*>& entries) {
  if (entries.empty()) return;
  std::map<std::uint32_t, std::vector<const ReadingEntry*>> byCharacter;
  for (const ReadingEntry* entry : entries) byCharacter[entry->codePoint].push_back(entry);
  std::vector<std::uint32_t> order;
  for (const auto& [cp, readings] : byCharacter) order.push_back(cp);
  SortCommonFirst(tables.ranking, order);
  AppendFilledFormat(page, kReadingSectionFormat,
                     {kReadingLanguageLabels[static_cast<std::size_t>(language)], JoinedReadings(entries)});
  for (std::uint32_t cp : order) {
    page += kAddedLineOpening;
    page += LinkedCharacter(CodeText(cp));
    AppendFilledFormat(page, kReadingLineFormat, {JoinedReadings(byCharacter[cp])});
    std::string_view mandarin = MandarinReadingOf(tables.readings, cp);
    if (!mandarin.empty()) AppendFilledFormat(page, kMandarinBesideFormat, {HtmlEscaped(std::string(mandarin))});
  }
}

}  // namespace

std::string ReadingPage(const CharacterTables& tables, const std::string& key, const ReadingMatches& matches) {
  std::string page;
  AppendFilledFormat(page, kReadingHeaderFormat, {HtmlEscaped(PrintableUtf8(key))});
  bool any = false;
  for (std::size_t l = 0; l < matches.size(); ++l) {
    AppendSection(page, tables, static_cast<ReadingLanguage>(l), matches[l]);
    any = any || !matches[l].empty();
  }
  if (!any) page += kNoResult;
  page += kBodyClosing;
  return page;
}

SearchOutcome WriteReadingPage(const CharacterTables& tables, std::string& key, SearchMemory&, SearchMethod method) {
  ReadingMatches matches;
  if (method == SearchMethod::kIndexed)
    FindReadings(tables.readings, key, matches);
  else
    FindReadingsByScan(tables.readings, key, matches);
  return KindOutcome(kReadingSearch, ReadingPage(tables, key, matches), PrintableUtf8(key));
}
