// Finding text in a laid-out page: every place the text a person typed
// occurs in the shown text, Latin letters matched without regard to case,
// every other character (an Extension B ideograph is one) as itself.
#pragma once

#include <string>
#include <vector>

namespace vistapane {

struct TextRange {
  size_t begin = 0;
  size_t end = 0;
};

// Every occurrence of `needle` in `text`, in order and not overlapping;
// none for an empty needle.
std::vector<TextRange> FindAll(const std::u32string& text, const std::u32string& needle);

// The match to make current when stepping from the text offset `from`
// forward (the first that begins at or after it, round the end) or
// backward (the last that begins before it, round the start); -1 when
// there are none.
int MatchFrom(const std::vector<TextRange>& matches, size_t from, bool forward);

}  // namespace vistapane
