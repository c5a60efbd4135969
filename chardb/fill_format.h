// Fills the "%s" places of one of the program's format texts in order,
// whatever the length of the values, and writes counts as those texts do.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Appends the filled format to `out`.
inline void AppendFilledFormat(std::string& out, const char* format,
                               std::initializer_list<std::string_view> values) {
  auto value = values.begin();
  const char* piece = format;
  for (const char* at = format; *at; ++at) {
    if (at[0] == '%' && at[1] == 's' && value != values.end()) {
      out.append(piece, static_cast<std::size_t>(at - piece));
      out.append(value->data(), value->size());
      ++value;
      piece = ++at + 1;
    }
  }
  out.append(piece);
}

inline std::string FillFormat(const char* format, std::initializer_list<std::string_view> values) {
  std::string result;
  AppendFilledFormat(result, format, values);
  return result;
}

// A count with a comma between groups of three digits: 1234 gives "1,234".
inline std::string WithThousandsSeparators(std::size_t value) {
  std::string digits = std::to_string(value);
  std::string result;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result;
}
