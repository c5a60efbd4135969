#include "search/character_words.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <tuple>

#include "chardb/common_ranking.h"
#include "vistapane/decode.h"

namespace {

std::string_view WordsText(const CharacterTables& tables) {
  if (tables.words.empty()) return {};
  std::string_view text(tables.words.data(), tables.words.size() - 1);
  return text.substr(0, text.find('\0'));
}

// The entry whose line begins at the offset; false for a comment or a
// line that is no entry.
bool EntryAt(std::string_view text, std::size_t offset, WordEntry& entry) {
  std::size_t end = text.find('\n', offset);
  std::string_view line = text.substr(offset, end == std::string_view::npos ? std::string_view::npos : end - offset);
  if (line.empty() || line[0] == '#') return false;
  std::string_view parts[4];
  for (int part = 0; part < 3; ++part) {
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return false;
    parts[part] = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  std::size_t tab = line.find('\t');
  parts[3] = line.substr(0, tab);
  std::uint32_t contained = 0;
  if (tab != std::string_view::npos) {
    std::string_view digits = line.substr(tab + 1);
    if (std::from_chars(digits.data(), digits.data() + digits.size(), contained).ec != std::errc()) contained = 0;
  }
  entry = {parts[0], parts[1], parts[2], parts[3], contained};
  return true;
}

// How an entry stands in the order of words: a one-character entry (a
// form of the character itself) first, then by how many other entries
// hold it (more first), its length in characters, how common its rarest
// character is (the ranking's key of the least common character of its
// simplified form, the form the ranking's lists are of), then its forms'
// code points.
struct WordOrder {
  bool longer;
  std::int64_t fewerContaining;
  std::size_t length;
  std::uint64_t rarest;
  WordEntry entry;
};

WordOrder OrderOf(const CommonRanking& ranking, const WordEntry& entry) {
  std::u32string simplified = vistapane::DecodeUtf8(std::string(entry.simplified));
  std::uint64_t rarest = 0;
  for (char32_t c : simplified) rarest = std::max(rarest, CommonRankKey(ranking, static_cast<std::uint32_t>(c)));
  return {simplified.size() != 1, -static_cast<std::int64_t>(entry.contained), simplified.size(), rarest, entry};
}

bool OrderBefore(const WordOrder& a, const WordOrder& b) {
  return std::tie(a.longer, a.fewerContaining, a.length, a.rarest, a.entry.traditional, a.entry.simplified) <
         std::tie(b.longer, b.fewerContaining, b.length, b.rarest, b.entry.traditional, b.entry.simplified);
}

bool Holds(const WordEntry& entry, char32_t character) {
  for (std::string_view form : {entry.traditional, entry.simplified})
    for (char32_t c : vistapane::DecodeUtf8(std::string(form)))
      if (c == character) return true;
  return false;
}

template <typename Visit>
void ForEachEntry(std::string_view text, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    WordEntry entry;
    if (EntryAt(text, at, entry)) visit(at, entry);
    std::size_t end = text.find('\n', at);
    at = end == std::string_view::npos ? text.size() : end + 1;
  }
}

void BuildWordsIndex(const CharacterTables& tables, WordsIndex& index) {
  std::string_view text = WordsText(tables);
  std::vector<std::pair<WordOrder, std::uint32_t>> entries;
  ForEachEntry(text, [&](std::size_t at, const WordEntry& entry) {
    entries.emplace_back(OrderOf(tables.ranking, entry), static_cast<std::uint32_t>(at));
  });
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return OrderBefore(a.first, b.first); });
  index.entryOffsets.clear();
  index.postings.clear();
  for (const auto& [order, offset] : entries) {
    const WordEntry& entry = order.entry;
    std::uint32_t number = static_cast<std::uint32_t>(index.entryOffsets.size());
    index.entryOffsets.push_back(offset);
    std::u32string characters = vistapane::DecodeUtf8(std::string(entry.traditional) + std::string(entry.simplified));
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
    for (char32_t c : characters) index.postings.push_back({c, number});
  }
  std::sort(index.postings.begin(), index.postings.end(), [](const WordsIndex::Posting& a, const WordsIndex::Posting& b) {
    return a.character != b.character ? a.character < b.character : a.entry < b.entry;
  });
  index.builtFor = tables.words.data();
  index.builtSize = tables.words.size();
}

}  // namespace

std::vector<WordEntry> FindWords(const CharacterTables& tables, WordsIndex& index, char32_t character,
                                 std::size_t limit) {
  if (index.builtFor != tables.words.data() || index.builtSize != tables.words.size()) BuildWordsIndex(tables, index);
  std::string_view text = WordsText(tables);
  auto first = std::lower_bound(index.postings.begin(), index.postings.end(), character,
                                [](const WordsIndex::Posting& p, char32_t c) { return p.character < c; });
  std::vector<WordEntry> words;
  for (auto p = first; p != index.postings.end() && p->character == character && words.size() < limit; ++p) {
    WordEntry entry;
    if (EntryAt(text, index.entryOffsets[p->entry], entry)) words.push_back(entry);
  }
  return words;
}

std::vector<WordEntry> FindWordsByScan(const CharacterTables& tables, char32_t character, std::size_t limit) {
  std::vector<WordOrder> found;
  ForEachEntry(WordsText(tables), [&](std::size_t, const WordEntry& entry) {
    if (Holds(entry, character)) found.push_back(OrderOf(tables.ranking, entry));
  });
  std::stable_sort(found.begin(), found.end(), OrderBefore);
  std::vector<WordEntry> words;
  for (std::size_t i = 0; i < found.size() && i < limit; ++i) words.push_back(found[i].entry);
  return words;
}
