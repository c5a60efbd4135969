// The plain scan of the Unihan text and the pieces its index shares.
#include "chardb/unihan_scan.h"

#include <cstring>

std::string_view UnihanText(const CharacterTables& tables) {
  if (tables.unihan.empty()) return {};
  const char* text = tables.unihan.data();
  const void* nul = std::memchr(text, '\0', tables.unihan.size());
  return std::string_view(text, nul ? static_cast<const char*>(nul) - text : tables.unihan.size());
}

std::string UnihanPattern(const std::string& key) {
  std::string pattern = "U+" + key;
  for (char& c : pattern) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return pattern;
}

UnihanExtract ScanUnihanLines(std::string_view text, const std::string& pattern, std::size_t stopAfter) {
  UnihanExtract extract;
  for (std::size_t at = text.find(pattern); at != std::string_view::npos;) {
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
    at = text.find(pattern, end + 1);
  }
  return extract;
}
