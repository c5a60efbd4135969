// UTF-8 sequences of Unicode scalar values, written and read strictly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline void AppendUtf8(std::uint32_t value, std::string& out) {
  if (value < 0x80) {
    out += static_cast<char>(value);
  } else if (value < 0x800) {
    out += static_cast<char>(0xC0 | (value >> 6));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    out += static_cast<char>(0xE0 | (value >> 12));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (value >> 18));
    out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  }
}

// The scalar value whose sequence starts at text[pos], advancing pos past
// it; false, pos unchanged, for a truncated, overlong or surrogate sequence
// or a value above 0x10FFFF.
inline bool NextUtf8(const std::string& text, std::size_t& pos, std::uint32_t& value) {
  if (pos >= text.size()) return false;
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                     : lead >= 0xF0 && lead < 0xF5   ? 4
                                                                     : 0;
  if (length == 0 || text.size() - pos < length) return false;
  std::uint32_t v = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    v = (v << 6) | (next & 0x3F);
  }
  static const std::uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (v < kLeast[length] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return false;
  value = v;
  pos += length;
  return true;
}
