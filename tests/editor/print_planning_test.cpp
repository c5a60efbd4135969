#include <gtest/gtest.h>

#include <vector>

#include "editor/print_planning.h"

namespace {

TEST(PrintPlanning, MarginsOnlyWherePagesAreLargeEnough) {
  // Letter at 600 dpi: 8.5 x 11 inches = 12240 x 15840 twips.
  TwipsRect letter = PageRectangle(5100, 6600, 600, 600);
  EXPECT_EQ(letter.right, 12240);
  EXPECT_EQ(letter.bottom, 15840);
  TwipsRect print = PrintRectangle(letter);
  EXPECT_EQ(print.left, 1080);
  EXPECT_EQ(print.right, 12240 - 1080);
  EXPECT_EQ(print.top, 1440);
  EXPECT_EQ(print.bottom, 15840 - 1440);

  // 2 inches wide (2880 twips): no side margins; 3 inches high (4320
  // twips, not above the limit): no top and bottom margins.
  TwipsRect small = PrintRectangle(PageRectangle(600, 900, 300, 300));
  EXPECT_EQ(small.left, 0);
  EXPECT_EQ(small.right, 2880);
  EXPECT_EQ(small.top, 0);
  EXPECT_EQ(small.bottom, 4320);
  // One pixel more than 3 inches tall gets the margins.
  EXPECT_EQ(PrintRectangle(PageRectangle(600, 901, 300, 300)).top, 1440);
}

TEST(PrintPlanning, PageRectangleRoundsAsMulDiv) {
  // 1000 px at 300 dpi = 4800 twips exactly; 1001 px = 4804.8 -> 4805.
  EXPECT_EQ(PageRectangle(1000, 1001, 300, 300).right, 4800);
  EXPECT_EQ(PageRectangle(1000, 1001, 300, 300).bottom, 4805);
  EXPECT_EQ(PageRectangle(1000, 1000, 0, 0).right, 0);
}

TEST(PrintPlanning, CopiesPassesAndPageRanges) {
  struct Case {
    PrintRequest request;
    int pageCount;
    std::vector<int> sheets;
    int copiesLeft;
  } const cases[] = {
      {{}, 3, {1, 2, 3}, 1},
      // Three collated copies: three passes, each page once per pass.
      {{true, false, 1, 1, 3}, 2, {1, 2, 1, 2, 1, 2}, 1},
      // Three uncollated copies: each page three times in a row.
      {{false, false, 1, 1, 3}, 2, {1, 1, 1, 2, 2, 2}, 3},
      // Pages 2 to 3 of 5: page 1 formatted but not printed, stop after 3.
      {{false, true, 2, 3, 1}, 5, {2, 3}, 1},
      {{true, true, 2, 3, 2}, 5, {2, 3, 2, 3}, 1},
      // A range beyond the document prints what there is.
      {{false, true, 4, 9, 1}, 5, {4, 5}, 1},
      {{false, true, 7, 9, 1}, 5, {}, 1},
      // A nonsensical copy count still prints one copy.
      {{false, false, 1, 1, 0}, 1, {1}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintedSheets(c.request, c.pageCount), c.sheets);
    EXPECT_EQ(PlanCopies(c.request).copiesLeft, c.copiesLeft);
  }
}

}  // namespace
