#include "search/pinyin_search.h"

#include <algorithm>

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
// digit, blank or TAB in them.
bool IndexCanAnswer(const std::string& key) {
  return std::none_of(key.begin(), key.end(), [](char c) { return IsDigit(c) || IsAnchor(c); });
}

}  // namespace

void BuildPinyinIndex(const CharacterTables& tables, PinyinIndex& index) {
  std::string_view text = TableText(tables.pinyin);
  index.readings.clear();
  index.readings.reserve(2048);
  // The code before an anchor changes only where a '+' is passed: it is
  // taken once for each.
  std::size_t lastPlus = std::string_view::npos;
  std::string code, reading;
  for (std::size_t anchor = 0; anchor < text.size(); ++anchor) {
    if (text[anchor] == '+') {
      lastPlus = anchor;
      code.clear();
    }
    if (!IsAnchor(text[anchor])) continue;
    std::size_t end = anchor + 1;
    while (end < text.size() && end - anchor - 1 <= kPinyinKeyLimit && !IsDigit(text[end]) &&
           !IsAnchor(text[end]))
      ++end;
    if (end >= text.size() || end - anchor - 1 > kPinyinKeyLimit) continue;
    if (text[end] < '1' || text[end] > '5') continue;
    reading.clear();
    for (std::size_t at = anchor + 1; at < end; ++at) reading += UpperAscii(text[at]);
    if (code.empty() && lastPlus != std::string_view::npos) code = CodeBeforeMatch(text, anchor);
    index.readings[reading][text[end] - '1'].push_back(code);
  }
  for (auto& entry : index.readings)
    for (auto& list : entry.second) std::sort(list.begin(), list.end());
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
  std::string upper;
  for (char c : key) upper += UpperAscii(c);
  auto found = index.readings.find(upper);
  if (found != index.readings.end()) lists.tones = found->second;
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
