#include "editor/caret_position_text.h"

#include <cstdio>

std::string CaretPositionText(long start, long end, long startLine, long endLine) {
  char text[96];
  if (start == end)
    std::snprintf(text, sizeof text, "Ln %ld, Pos %ld", startLine + 1, start + 1);
  else if (startLine == endLine)
    std::snprintf(text, sizeof text, "Ln %ld, Pos %ld:%ld", startLine + 1, start + 1, end + 1);
  else
    std::snprintf(text, sizeof text, "Ln %ld:%ld, Pos %ld:%ld", startLine + 1, endLine + 1, start + 1,
                  end + 1);
  return text;
}
