// IsPrivateUse over texts of every kind.
#include <gtest/gtest.h>

#include <string>

#include "chardb/lookups.h"

namespace {

TEST(IsPrivateUse, TheRangeOfThePrivateUseAreaInclusive) {
  struct Case {
    const char* code;
    bool privateUse;
  } cases[] = {
      {"E000", true},   {"F8FF", true},   {"EFFF", true},   {"DFFF", false},
      {"F900", false},  {"4E00", false},  {"e000", true},   {"f8ff", true},
      {"eAbC", true},   {"2E000", false}, {"1E000", false}, {"FE000", false},
      {"0E000", true},  {"000000F8FF", true},
      // Nineteen digits, more than 64 bits: no wrap into the range.
      {"1000000000000E000", false}, {"10000000000000000E000", false}, {"FFFFFFFFFFFFFFFFFFF", false},
      {"100000000000F8FF", false},
      {"", false},      {"E00", false},   {"E", false},     {"0", false},
      {"U+E000", false}, {"E000 ", false}, {" E000", false}, {"E0G0", false},
      {"-E000", false}, {"%n", false},    {"E000\t", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPrivateUse(c.code), c.privateUse) << '"' << c.code << '"';
  EXPECT_FALSE(IsPrivateUse(std::string("E0\0" "00", 5)));
}

}  // namespace
