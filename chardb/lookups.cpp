// The per-character lookups: each answers from the line whose code field
// is exactly the folded code point text, through the index built at load,
// or by the plain scan of the table when the index is not built. The scan
// is kept beside the index as the reference the tests hold it to.
#include "chardb/lookups.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "chardb/chardb_texts.h"
#include "chardb/code_fields.h"

bool IsPrivateUse(const std::string& code) {
  if (code.empty()) return false;
  std::uint64_t value = 0;
  std::size_t significant = 0;
  for (char c : code) {
    int digit = UpperHexDigit(c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c);
    if (digit < 0) return false;
    if (value == 0 && digit == 0) continue;
    // Nine significant digits already lie far beyond the range.
    if (++significant > 8) return false;
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  return significant <= 8 && value >= 0xE000 && value < 0xF900;
}

namespace {

void FoldToUpper(std::string& code) {
  for (char& c : code) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

// The first occurrence of the pattern at or after `from`; the C library's
// memmem where there is one, as it is the quicker search.
std::size_t Find(std::string_view text, std::string_view pattern, std::size_t from) {
  if (from > text.size() || pattern.size() > text.size() - from) return std::string_view::npos;
  if (pattern.empty()) return from;
#ifdef __GLIBC__
  const void* at = memmem(text.data() + from, text.size() - from, pattern.data(), pattern.size());
  return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data()) : std::string_view::npos;
#else
  return text.find(pattern, from);
#endif
}

// The scan: the first line that begins with "U+", the code and a TAB, at
// or after `from`.
std::optional<std::string_view> ScanForLine(const ResourceText& table, const std::string& code,
                                            std::size_t from = 0) {
  if (code.find_first_of("\t\n") != std::string::npos) return std::nullopt;
  std::string_view text = TableText(table);
  std::string pattern = "U+" + code + "\t";
  for (std::size_t at = Find(text, pattern, from); at != std::string_view::npos; at = Find(text, pattern, at + 1)) {
    if (at == 0 || text[at - 1] == '\n') return LineValue(text, at + pattern.size());
  }
  return std::nullopt;
}

// The index: the value of the first line with that code field.
std::optional<std::string_view> IndexedLine(const ResourceText& table, const ExtractIndex& index,
                                            const std::string& code) {
  std::string_view text(table.text(), index.textLength);
  std::uint64_t key = CodeTextKey(code);
  auto codeOf = [text](const ExtractIndex::Line& line) { return text.substr(line.codeOffset, line.codeLength); };
  auto found = std::lower_bound(index.lines.begin(), index.lines.end(), code,
                                [&](const ExtractIndex::Line& line, const std::string& wanted) {
                                  return CodeOrderBefore(line.key, codeOf(line), key, wanted);
                                });
  if (found == index.lines.end() || found->key != key || codeOf(*found) != code) return std::nullopt;
  return LineValue(text, found->codeOffset + found->codeLength + 1);
}

std::optional<std::string_view> FindLine(const ResourceText& table, const ExtractIndex& index,
                                         const std::string& code) {
  bool current = index.built && index.builtSize == table.size();
  return current ? IndexedLine(table, index, code) : ScanForLine(table, code);
}

// Whether the text occurs anywhere in the pinyin table: for four or five
// hexadecimal digits from the runs noted at indexing, else by a scan.
bool OccursInPinyin(const CharacterTables& tables, const std::string& code) {
  const ExtractIndex& index = tables.pinyinIndex;
  if (index.built && index.builtSize == tables.pinyin.size() && (code.size() == 4 || code.size() == 5)) {
    std::uint32_t value = 0;
    bool hex = true;
    for (char c : code) {
      int digit = UpperHexDigit(c);
      if (digit < 0) hex = false;
      value = (value << 4) | static_cast<std::uint32_t>(digit & 0xF);
    }
    if (hex) return HasHexRun(code.size() == 4 ? index.hexRuns4 : index.hexRuns5, value);
  }
  return Find(TableText(tables.pinyin), code, 0) != std::string_view::npos;
}

std::string PinyinAnswer(const CharacterTables& tables, std::string& code, bool indexed) {
  FoldToUpper(code);
  if (IsPrivateUse(code)) return kPrivateUseAnswer;
  if (indexed) {
    if (auto value = FindLine(tables.pinyin, tables.pinyinIndex, code)) return std::string(*value);
    return OccursInPinyin(tables, code) ? kPinyinNotAvailable : kPinyinNotOccurring;
  }
  // The scan: where the text first occurs, if anywhere; its line, if it
  // has one, begins two characters before an occurrence.
  std::size_t first = Find(TableText(tables.pinyin), code, 0);
  if (first == std::string_view::npos) return kPinyinNotOccurring;
  auto value = ScanForLine(tables.pinyin, code, first < 2 ? 0 : first - 2);
  return value ? std::string(*value) : kPinyinNotAvailable;
}

enum class Kind { Plain, Matthews };

std::string PropertyAnswer(const ResourceText& table, const ExtractIndex* index, std::string& code,
                           Kind kind) {
  FoldToUpper(code);
  if (IsPrivateUse(code)) return kPrivateUseAnswer;
  auto value = index ? FindLine(table, *index, code) : ScanForLine(table, code);
  if (!value) return kNotAvailable;
  std::string answer(*value);
  return kind == Kind::Matthews ? MatthewsNumber(answer) : answer;
}

std::string VariantByScan(const VariantTable& table, const std::string& code) {
  for (std::size_t i = 0; i < table.count; ++i) {
    if (VariantKey(table.entries[i]) == code) return VariantValue(table.entries[i]);
  }
  return {};
}

std::string Variant(const VariantTable& table, const VariantIndex& index, const std::string& code) {
  if (!index.built || index.builtFor != table.entries) return VariantByScan(table, code);
  auto found = std::lower_bound(index.order.begin(), index.order.end(), std::string_view(code),
                               [&table](std::uint32_t entry, std::string_view key) {
                                 return VariantKeyView(table.entries[entry]) < key;
                               });
  if (found == index.order.end() || VariantKeyView(table.entries[*found]) != code) return std::string();
  return VariantValue(table.entries[*found]);
}

}  // namespace

std::string MatthewsNumber(const std::string& value) {
  std::string number;
  for (std::size_t i = value.compare(0, 2, "M+") == 0 ? 2 : 0; i < value.size(); ++i) {
    if (value[i] != 'p') number += value[i];
  }
  return number;
}

std::string LookupPinyin(const CharacterTables& tables, std::string& code) {
  return PinyinAnswer(tables, code, true);
}
std::string LookupDefinition(const CharacterTables& tables, std::string& code) {
  return PropertyAnswer(tables.definition, &tables.definitionIndex, code, Kind::Plain);
}
std::string LookupRadicalStroke(const CharacterTables& tables, std::string& code) {
  return PropertyAnswer(tables.radicalStroke, &tables.radicalStrokeIndex, code, Kind::Plain);
}
std::string LookupMatthews(const CharacterTables& tables, std::string& code) {
  return PropertyAnswer(tables.matthews, &tables.matthewsIndex, code, Kind::Matthews);
}
std::string LookupSimplified(const CharacterTables& tables, const std::string& code) {
  return Variant(tables.simplified, tables.simplifiedIndex, code);
}
std::string LookupTraditional(const CharacterTables& tables, const std::string& code) {
  return Variant(tables.traditional, tables.traditionalIndex, code);
}

std::string LookupPinyinByScan(const CharacterTables& tables, std::string& code) {
  return PinyinAnswer(tables, code, false);
}
std::string LookupDefinitionByScan(const CharacterTables& tables, std::string& code) {
  return PropertyAnswer(tables.definition, nullptr, code, Kind::Plain);
}
std::string LookupRadicalStrokeByScan(const CharacterTables& tables, std::string& code) {
  return PropertyAnswer(tables.radicalStroke, nullptr, code, Kind::Plain);
}
std::string LookupMatthewsByScan(const CharacterTables& tables, std::string& code) {
  return PropertyAnswer(tables.matthews, nullptr, code, Kind::Matthews);
}
std::string LookupSimplifiedByScan(const CharacterTables& tables, const std::string& code) {
  return VariantByScan(tables.simplified, code);
}
std::string LookupTraditionalByScan(const CharacterTables& tables, const std::string& code) {
  return VariantByScan(tables.traditional, code);
}
