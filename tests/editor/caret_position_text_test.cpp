#include <gtest/gtest.h>

#include "editor/caret_position_text.h"

namespace {

TEST(CaretPositionText, CaretSingleLineAndMultiLineSelections) {
  struct Case {
    long start, end, startLine, endLine;
    const char* expected;
  } const cases[] = {
      {0, 0, 0, 0, "Ln 1, Pos 1"},
      {12, 12, 2, 2, "Ln 3, Pos 13"},
      {4, 8, 1, 1, "Ln 2, Pos 5:9"},
      {1, 39, 0, 2, "Ln 1:3, Pos 2:40"},
      // The largest positions the document's text limit allows.
      {1048574, 1048575, 1048574, 1048575, "Ln 1048575:1048576, Pos 1048575:1048576"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaretPositionText(c.start, c.end, c.startLine, c.endLine), c.expected);
}

}  // namespace
