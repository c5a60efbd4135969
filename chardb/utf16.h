// UTF-16 code units of Unicode scalar values: one unit in the Basic
// Multilingual Plane, a surrogate pair beyond it.
#pragma once

struct Utf16Units {
  char16_t unit[2];
  int count;
};

// `value` is a scalar value, at most 0x10FFFF.
constexpr Utf16Units EncodeUtf16(char32_t value) {
  if (value < 0x10000) return {{static_cast<char16_t>(value), 0}, 1};
  return {{static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)),
           static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF))},
          2};
}

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The scalar value of a high and a low surrogate.
constexpr char32_t DecodeUtf16Pair(char32_t high, char32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}
