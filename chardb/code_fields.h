// The small text pieces the lookups and their indexes share: a table's
// text, a line's value, a variant entry's fields, hexadecimal digits.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "chardb/character_tables.h"

// An extract's text: its bytes up to the first NUL.
inline std::string_view TableText(const ResourceText& table) {
  if (table.bytes.empty()) return {};
  const char* text = table.text();
  const void* nul = std::memchr(text, '\0', table.size());
  return std::string_view(text, nul ? static_cast<const char*>(nul) - text : table.size());
}

// The value of the line whose property field starts at `property`: the
// text after the property's TAB up to the CR or LF that ends the line;
// a CR anywhere in the value ends it too; empty when the line has no
// second TAB.
inline std::string_view LineValue(std::string_view text, std::size_t property) {
  std::size_t lineEnd = text.find('\n', property);
  if (lineEnd == std::string_view::npos) lineEnd = text.size();
  std::string_view line = text.substr(property, lineEnd - property);
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return {};
  std::size_t end = line.find('\r', tab + 1);
  if (end == std::string_view::npos) end = line.size();
  return line.substr(tab + 1, end - tab - 1);
}

// The first eight bytes of a code's text, big-endian and zero-padded:
// two codes' keys differ only where their texts do, in the same order.
inline std::uint64_t CodeTextKey(std::string_view code) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i)
    key = (key << 8) | (i < code.size() ? static_cast<unsigned char>(code[i]) : 0u);
  return key;
}

// The order of an extract index's codes: by length, then by text, which
// their keys settle wherever they differ. The tables' codes, hexadecimal
// of one case, ascend so in the order of the text.
inline bool CodeOrderBefore(std::uint64_t keyA, std::string_view codeA, std::uint64_t keyB, std::string_view codeB) {
  if (codeA.size() != codeB.size()) return codeA.size() < codeB.size();
  if (keyA != keyB) return keyA < keyB;
  return codeA < codeB;
}

// 0 to 15 for '0'-'9' and 'A'-'F', else -1.
inline int UpperHexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

inline std::string_view VariantKeyView(const VariantPair& pair) {
  return std::string_view(pair.key, strnlen(pair.key, kVariantKeyWidth));
}

inline std::string VariantKey(const VariantPair& pair) { return std::string(VariantKeyView(pair)); }

inline std::string VariantValue(const VariantPair& pair) {
  return std::string(pair.value, strnlen(pair.value, kVariantValueWidth));
}
