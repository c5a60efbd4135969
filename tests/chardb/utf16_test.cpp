// UTF-16 units of scalar values and back. Expected units from Python's
// codec: python3 -c "print(chr(0x2A6D6).encode('utf-16-be').hex())".
#include <gtest/gtest.h>

#include "chardb/utf16.h"

namespace {

struct Utf16Case {
  char32_t value;
  int count;
  char16_t first, second;
};

const Utf16Case kCases[] = {
    {0x4E00, 1, 0x4E00, 0},       {0xFFFF, 1, 0xFFFF, 0},       {0x10000, 2, 0xD800, 0xDC00},
    {0x20000, 2, 0xD840, 0xDC00}, {0x2A6D6, 2, 0xD869, 0xDED6}, {0x10FFFF, 2, 0xDBFF, 0xDFFF},
};

TEST(Utf16, ScalarValuesAsUnitsAndBack) {
  for (const Utf16Case& c : kCases) {
    Utf16Units units = EncodeUtf16(c.value);
    ASSERT_EQ(units.count, c.count) << std::hex << c.value;
    EXPECT_EQ(units.unit[0], c.first) << std::hex << c.value;
    if (c.count == 1) continue;
    EXPECT_EQ(units.unit[1], c.second) << std::hex << c.value;
    EXPECT_TRUE(IsHighSurrogate(units.unit[0]));
    EXPECT_TRUE(IsLowSurrogate(units.unit[1]));
    EXPECT_EQ(DecodeUtf16Pair(units.unit[0], units.unit[1]), c.value);
  }
  EXPECT_FALSE(IsHighSurrogate(0xDC00));
  EXPECT_FALSE(IsLowSurrogate(0xDBFF));
  EXPECT_FALSE(IsHighSurrogate(0xE000));
}

}  // namespace
