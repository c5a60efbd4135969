// Fills the "%s" places of one of the program's format texts in order,
// whatever the length of the values.
#pragma once

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
