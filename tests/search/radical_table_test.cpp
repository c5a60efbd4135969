#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "search/radical_table.h"

namespace {

bool IsTitle(const RadicalRow& row) { return row.forms[0][0] == '\0'; }

int FormCount(const RadicalRow& row) {
  int n = 0;
  while (n < static_cast<int>(kRadicalFormSlots) && row.forms[n][0]) ++n;
  return n;
}

// The radical row with KangXi number n (rows counted from 1, titles skipped).
const RadicalRow& Radical(int n) {
  for (const RadicalRow& row : kRadicalRows)
    if (!IsTitle(row) && --n == 0) return row;
  return kRadicalRows[0];
}

TEST(RadicalTable, HasSeventeenTitlesAnd214RadicalsInGroupOrder) {
  const char* const titles[] = {"One stroke",      "Two strokes",      "Three strokes",
                                "Four strokes",    "Five strokes",     "Six strokes",
                                "Seven strokes",   "Eight strokes",    "Nine strokes",
                                "Ten strokes",     "Eleven strokes",   "Twelve strokes",
                                "Thirteen strokes", "Fourteen strokes", "Fifteen strokes",
                                "Sixteen strokes", "Seventeen strokes"};
  int titleCount = 0, radicalCount = 0;
  for (const RadicalRow& row : kRadicalRows) {
    if (IsTitle(row)) {
      ASSERT_LT(titleCount, 17);
      EXPECT_STREQ(row.name, titles[titleCount++]);
    } else {
      ++radicalCount;
    }
  }
  EXPECT_EQ(titleCount, 17);
  EXPECT_EQ(radicalCount, 214);
  EXPECT_TRUE(IsTitle(kRadicalRows[0]));
}

TEST(RadicalTable, GroupSizesMatchTheKangXiStrokeGroups) {
  // Radicals per stroke group in the KangXi order: 1-6, 7-29, 30-60, 61-94,
  // 95-117, 118-146, 147-166, 167-175, 176-186, 187-194, 195-200, 201-204,
  // 205-208, 209-210, 211, 212-213, 214.
  const int sizes[] = {6, 23, 31, 34, 23, 29, 20, 9, 11, 8, 6, 4, 4, 2, 1, 2, 1};
  int group = -1, inGroup = 0;
  for (const RadicalRow& row : kRadicalRows) {
    if (IsTitle(row)) {
      if (group >= 0) {
        EXPECT_EQ(inGroup, sizes[group]) << "group " << group + 1;
      }
      ++group;
      inGroup = 0;
    } else {
      ++inGroup;
    }
  }
  EXPECT_EQ(inGroup, sizes[16]);
}

TEST(RadicalTable, RowsKeepTheirNamesAndForms) {
  EXPECT_STREQ(Radical(1).name, "ONE");
  EXPECT_EQ(FormCount(Radical(1)), 1);
  EXPECT_STREQ(Radical(1).forms[0], "4E00");
  EXPECT_STREQ(Radical(5).forms[3], "2E84");
  EXPECT_STREQ(Radical(9).name, "MAN");
  EXPECT_STREQ(Radical(9).forms[1], "4EBB");
  EXPECT_STREQ(Radical(19).forms[1], "F98A");
  EXPECT_STREQ(Radical(44).forms[1], "21C23");
  EXPECT_STREQ(Radical(102).name, "FIELD");
  EXPECT_EQ(FormCount(Radical(102)), 7);
  EXPECT_STREQ(Radical(102).forms[6], "7535");
  EXPECT_STREQ(Radical(144).name, "WALK ENCLOSURE");
  EXPECT_STREQ(Radical(144).forms[0], "884C");
  EXPECT_STREQ(Radical(172).name, "SHORT TAILED BIRD");
  EXPECT_STREQ(Radical(213).forms[2], "9F9F");
  EXPECT_STREQ(Radical(214).name, "FLUTE");
  EXPECT_STREQ(Radical(214).forms[0], "9FA0");
}

TEST(RadicalTable, EveryFieldIsTerminatedAndFormsAreCodePointTexts) {
  for (const RadicalRow& row : kRadicalRows) {
    EXPECT_LT(strnlen(row.name, kRadicalNameWidth), kRadicalNameWidth);
    EXPECT_LE(FormCount(row), 7) << row.name;
    for (int i = 0; i < FormCount(row); ++i) {
      std::string form = row.forms[i];
      EXPECT_TRUE(form.size() == 4 || form.size() == 5) << row.name;
      EXPECT_EQ(form.find_first_not_of("0123456789ABCDEF"), std::string::npos) << row.name;
    }
    for (std::size_t i = FormCount(row); i < kRadicalFormSlots; ++i)
      EXPECT_EQ(row.forms[i][0], '\0') << row.name;
  }
}

}  // namespace
