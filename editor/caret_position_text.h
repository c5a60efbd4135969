#pragma once

#include <string>

// The status bar's caret position text for a selection from start to end
// (character positions from 0) on the given lines (from 0):
// "Ln 1, Pos 1", "Ln 2, Pos 5:9", "Ln 1:3, Pos 2:40".
std::string CaretPositionText(long start, long end, long startLine, long endLine);
