#include "chardb/character_references.h"

#include <cstdint>

#include "chardb/utf8.h"

namespace {

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The reference at text[at] ("&#"), its value and length; false when the
// text there is not a complete reference of a scalar value.
bool ReadReference(const std::string& text, std::size_t at, std::uint32_t& value, std::size_t& length) {
  std::size_t i = at + 2;
  bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  std::size_t firstDigit = i;
  std::uint32_t v = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i], hex);
    if (digit < 0) break;
    v = v * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    if (v > 0x10FFFF) return false;
  }
  if (i == firstDigit || i >= text.size() || text[i] != ';') return false;
  if (v == 0 || (v >= 0xD800 && v <= 0xDFFF)) return false;
  value = v;
  length = i + 1 - at;
  return true;
}

}  // namespace

std::string ReplaceCharacterReferences(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::uint32_t value = 0;
    std::size_t length = 0;
    if (text.compare(i, 2, "&#") == 0 && ReadReference(text, i, value, length)) {
      AppendUtf8(value, out);
      i += length;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string HtmlEscaped(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}
