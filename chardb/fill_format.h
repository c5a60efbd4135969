// Fills the "%s" places of one of the program's format texts in order,
// whatever the length of the values.
#pragma once

#include <initializer_list>
#include <string>

inline std::string FillFormat(const char* format, std::initializer_list<std::string> values) {
  std::string result;
  auto value = values.begin();
  for (const char* at = format; *at; ++at) {
    if (at[0] == '%' && at[1] == 's' && value != values.end()) {
      result += *value++;
      ++at;
    } else {
      result += *at;
    }
  }
  return result;
}
