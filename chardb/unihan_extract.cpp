// The Unihan record extract and its message box.
#include "chardb/unihan_extract.h"

#include <cstring>
#include <functional>
#include <string_view>

#include "chardb/chardb_texts.h"
#include "chardb/fill_format.h"
#include "chardb/unihan_scan.h"

std::string_view UnihanText(const CharacterTables& tables) {
  if (tables.unihan.empty()) return {};
  const char* text = tables.unihan.data();
  const void* nul = std::memchr(text, '\0', tables.unihan.size());
  return std::string_view(text, nul ? static_cast<const char*>(nul) - text : tables.unihan.size());
}

namespace {

// The next occurrence of the pattern at or after `from`: a first-byte
// memchr walk, which is quick while the pattern's first two bytes are rare
// together ("U+" starts nearly every line, so each try is one compare).
std::size_t FindFrom(std::string_view text, std::string_view pattern, std::size_t from) {
  return text.find(pattern, from);
}

}  // namespace

std::string UnihanPattern(const std::string& key) {
  std::string pattern = "U+" + key;
  for (char& c : pattern) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return pattern;
}

UnihanExtract ExtractUnihanByScan(const CharacterTables& tables, const std::string& key) {
  return ScanUnihanLines(UnihanText(tables), UnihanPattern(key), SIZE_MAX);
}

UnihanExtract ScanUnihanLines(std::string_view text, const std::string& pattern, std::size_t stopAfter) {
  UnihanExtract extract;
  for (std::size_t at = FindFrom(text, pattern, 0); at != std::string_view::npos;) {
    std::size_t start = text.rfind('\n', at);
    start = start == std::string_view::npos ? 0 : start + 1;
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    if (extract.lines.size() < kUnihanExtractMaxLines) {
      extract.lines.emplace_back(text.substr(start, end - start));
    } else {
      ++extract.moreLines;
    }
    if (extract.lines.size() >= stopAfter) break;
    // A line is listed once: the search goes on from the next line.
    if (end >= text.size()) break;
    at = FindFrom(text, pattern, end + 1);
  }
  return extract;
}

UnihanBox ComposeUnihanBox(const UnihanExtract& extract, const std::string& key) {
  UnihanBox box;
  if (extract.lines.empty()) {
    box.caption = kUnihanNotFoundCaption;
    box.text = kUnihanNotFound;
    return box;
  }
  box.caption = FillFormat(kUnihanCaptionFormat, {key});
  for (std::size_t i = 0; i < extract.lines.size(); ++i) {
    if (i > 0) box.text += '\n';
    box.text += extract.lines[i];
  }
  if (extract.moreLines > 0) {
    box.text += '\n';
    box.text += FillFormat(kUnihanMoreLinesFormat, {WithThousandsSeparators(extract.moreLines)});
  }
  return box;
}

UnihanBox ComposeUnihanBox(const CharacterTables& tables, const UnihanIndex& index, const std::string& key) {
  return ComposeUnihanBox(ExtractUnihan(tables, index, key), key);
}

std::string WithThousandsSeparators(std::size_t value) {
  std::string digits = std::to_string(value);
  std::string result;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result;
}
