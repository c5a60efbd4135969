#include "search/pinyin_search.h"

#include <algorithm>
#include <cstdint>

#include "chardb/code_fields.h"
#include "chardb/fill_format.h"
#include "search/line_fields.h"
#include "search/result_page.h"
#include "search/search_texts.h"

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAnchor(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when the text at `at` reads as `pattern` with a to z in either case.
bool MatchesCaseBlind(std::string_view text, std::size_t at, const std::string& pattern) {
  if (text.size() - at < pattern.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i)
    if (UpperAscii(text[at + i]) != UpperAscii(pattern[i])) return false;
  return true;
}

void ClearAndSubstitute(std::string& key, ToneLists& lists) {
  key = UmlautSubstituted(key);
  for (auto& list : lists.tones) list.clear();
}

void SortLists(ToneLists& lists) {
  for (auto& list : lists.tones) std::sort(list.begin(), list.end());
}

// The index answers exactly for keys that cannot span two readings: no
// digit, blank or TAB in them (nor a NUL, which its keys use as padding).
bool IndexCanAnswer(const std::string& key) {
  return std::none_of(key.begin(), key.end(), [](char c) { return IsDigit(c) || IsAnchor(c) || c == '\0'; });
}

// The first eight bytes of a text, big-endian and zero-padded: the texts'
// order wherever the keys differ (no NUL stands in a table's text).
// With `upper`, a to z count as A to Z.
std::uint64_t BytesKey(std::string_view bytes, bool upper) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    char c = i < bytes.size() ? bytes[i] : '\0';
    key = (key << 8) | static_cast<unsigned char>(upper ? UpperAscii(c) : c);
  }
  return key;
}

// A reading's order key: its upper-cased bytes (at most nine), then the tone.
void ReadingKey(std::string_view reading, std::uint32_t tone, PinyinIndex::Reading& entry) {
  entry.head = BytesKey(reading, true);
  unsigned char ninth = reading.size() > 8 ? static_cast<unsigned char>(UpperAscii(reading[8])) : 0u;
  entry.tailAndTone = (static_cast<std::uint32_t>(ninth) << 8) | tone;
}

// One reading and tone, and how many entries have it.
struct ReadingGroup {
  std::uint64_t head;
  std::uint32_t tailAndTone;
  std::uint32_t count;
};

// Sorts the entries, gathered in the text's order, by reading, tone and
// code text. The few thousand distinct readings and tones are found
// through a hash table and sorted alone; the entries are then placed group
// by group in the text's order, and each group put in the order of its
// codes' text, which the text's order is already but where the codes'
// lengths change.
void SortReadings(std::string_view text, std::vector<PinyinIndex::Reading>& readings) {
  std::vector<ReadingGroup> groups;
  std::vector<std::uint32_t> groupOf(readings.size());
  int bits = 10;
  std::vector<std::uint32_t> slots(std::size_t{1} << bits, UINT32_MAX);
  auto slotOf = [&](std::uint64_t head, std::uint32_t tailAndTone) {
    std::size_t mask = slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>(((head ^ (head >> 29) ^ (std::uint64_t{tailAndTone} << 40)) *
                                                 0x9E3779B97F4A7C15ull) >> (64 - bits));
    while (slots[slot] != UINT32_MAX &&
           (groups[slots[slot]].head != head || groups[slots[slot]].tailAndTone != tailAndTone))
      slot = (slot + 1) & mask;
    return slot;
  };
  for (std::size_t i = 0; i < readings.size(); ++i) {
    std::size_t slot = slotOf(readings[i].head, readings[i].tailAndTone);
    if (slots[slot] == UINT32_MAX) {
      if ((groups.size() + 1) * 2 > slots.size()) {
        ++bits;
        slots.assign(std::size_t{1} << bits, UINT32_MAX);
        for (std::uint32_t g = 0; g < groups.size(); ++g) slots[slotOf(groups[g].head, groups[g].tailAndTone)] = g;
        slot = slotOf(readings[i].head, readings[i].tailAndTone);
      }
      slots[slot] = static_cast<std::uint32_t>(groups.size());
      groups.push_back({readings[i].head, readings[i].tailAndTone, 0});
    }
    groupOf[i] = slots[slot];
    ++groups[slots[slot]].count;
  }
  std::vector<std::uint32_t> order(groups.size());
  for (std::uint32_t g = 0; g < order.size(); ++g) order[g] = g;
  std::sort(order.begin(), order.end(), [&groups](std::uint32_t a, std::uint32_t b) {
    if (groups[a].head != groups[b].head) return groups[a].head < groups[b].head;
    return groups[a].tailAndTone < groups[b].tailAndTone;
  });
  std::vector<std::uint32_t> next(groups.size());
  std::uint32_t placed = 0;
  for (std::uint32_t g : order) {
    next[g] = placed;
    placed += groups[g].count;
  }
  std::vector<PinyinIndex::Reading> sorted(readings.size());
  for (std::size_t i = 0; i < readings.size(); ++i) sorted[next[groupOf[i]]++] = readings[i];
  auto byCode = [text](const PinyinIndex::Reading& a, const PinyinIndex::Reading& b) {
    if (a.codeKey != b.codeKey) return a.codeKey < b.codeKey;
    return text.substr(a.codeOffset, a.codeLength) < text.substr(b.codeOffset, b.codeLength);
  };
  auto run = sorted.begin();
  for (std::uint32_t g : order) {
    auto end = run + groups[g].count;
    if (!std::is_sorted(run, end, byCode)) std::sort(run, end, byCode);
    run = end;
  }
  readings.swap(sorted);
}

}  // namespace

void BuildPinyinIndex(const CharacterTables& tables, PinyinIndex& index) {
  std::string_view text = TableText(tables.pinyin);
  index.readings.clear();
  index.readings.reserve(text.size() / 24 + 16);
  // The code before an anchor changes only where a '+' is passed: it is
  // taken once for each.
  std::size_t lastPlus = std::string_view::npos;
  std::uint32_t codeOffset = 0, codeLength = 0;
  std::uint64_t codeKey = 0;
  for (std::size_t anchor = 0; anchor < text.size(); ++anchor) {
    if (text[anchor] == '+') {
      lastPlus = anchor;
      std::size_t tab = text.find('\t', anchor + 1);
      if (tab == std::string_view::npos) tab = text.size();
      codeOffset = static_cast<std::uint32_t>(anchor + 1);
      codeLength = static_cast<std::uint32_t>(tab - anchor - 1);
      codeKey = BytesKey(text.substr(codeOffset, codeLength), false);
    }
    if (!IsAnchor(text[anchor])) continue;
    std::size_t end = anchor + 1;
    while (end < text.size() && end - anchor - 1 <= kPinyinKeyLimit && !IsDigit(text[end]) &&
           !IsAnchor(text[end]))
      ++end;
    if (end >= text.size() || end - anchor - 1 > kPinyinKeyLimit) continue;
    if (text[end] < '1' || text[end] > '5') continue;
    PinyinIndex::Reading reading{};
    ReadingKey(text.substr(anchor + 1, end - anchor - 1), static_cast<std::uint32_t>(text[end] - '1'), reading);
    if (lastPlus != std::string_view::npos) {
      reading.codeOffset = codeOffset;
      reading.codeLength = codeLength;
      reading.codeKey = codeKey;
    }
    index.readings.push_back(reading);
  }
  SortReadings(text, index.readings);
  index.builtFor = tables.pinyin.text();
  index.builtSize = tables.pinyin.size();
}

void FindPinyin(const CharacterTables& tables, const PinyinIndex& index, std::string& key,
                ToneLists& lists) {
  bool current = index.builtFor == tables.pinyin.text() && index.builtSize == tables.pinyin.size();
  std::string substituted = UmlautSubstituted(key);
  if (!current || !IndexCanAnswer(substituted)) {
    FindPinyinByScan(tables, key, lists);
    return;
  }
  ClearAndSubstitute(key, lists);
  if (key.size() > kPinyinKeyLimit) return;
  std::string_view text = TableText(tables.pinyin);
  PinyinIndex::Reading first{}, last{};
  ReadingKey(key, 0, first);
  ReadingKey(key, kToneCount - 1, last);
  auto lo = std::lower_bound(index.readings.begin(), index.readings.end(), first,
                             [](const PinyinIndex::Reading& a, const PinyinIndex::Reading& b) {
                               return a.head != b.head ? a.head < b.head : a.tailAndTone < b.tailAndTone;
                             });
  for (auto at = lo; at != index.readings.end() && at->head == first.head && at->tailAndTone <= last.tailAndTone; ++at)
    lists.tones[at->tailAndTone & 0xFF].emplace_back(text.substr(at->codeOffset, at->codeLength));
}

void FindPinyinByScan(const CharacterTables& tables, std::string& key, ToneLists& lists) {
  ClearAndSubstitute(key, lists);
  if (key.size() > kPinyinKeyLimit) return;
  std::string_view text = TableText(tables.pinyin);
  for (char anchor : {' ', '\t'}) {
    for (int tone = 0; tone < kToneCount; ++tone) {
      std::string pattern = anchor + key + static_cast<char>('1' + tone);
      std::size_t at = 0;
      while (at < text.size()) {
        std::size_t match = text.find(anchor, at);
        while (match != std::string_view::npos && !MatchesCaseBlind(text, match, pattern))
          match = text.find(anchor, match + 1);
        if (match == std::string_view::npos) break;
        lists.tones[tone].push_back(CodeBeforeMatch(text, match));
        at = match + 1 + key.size();
      }
    }
  }
  SortLists(lists);
}

std::string PinyinPage(const ToneLists& lists) {
  std::size_t rows = 0;
  for (const auto& list : lists.tones) rows = std::max(rows, list.size());
  std::string page = kPinyinHeader;
  page += kPinyinFontOpening;
  page += kToneHeaderRow;
  for (std::size_t row = 0; row < rows; ++row) {
    page += kRowOpening;
    for (const auto& list : lists.tones) {
      if (row < list.size() && !list[row].empty())
        AppendFilledFormat(page, kToneCellFormat, {list[row], list[row], list[row]});
      else
        page += kEmptyCell;
    }
  }
  page += kFontClosing;
  page += kTableBodyClosing;
  return page;
}
