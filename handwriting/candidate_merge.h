// The candidates of several recogniser models as one list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chardb/common_ranking.h"
#include "handwriting/recogniser.h"

// The one character a model's text names: its UTF-8 bytes decoded, or 0
// when the text is not exactly one well-formed character.
char32_t SingleCharacter(const std::string& text);

// A Han character: of the unified ideographs or the compatibility ones.
// The models know kana, Latin letters and digits as well, which are no
// answer here.
bool IsHanCharacter(char32_t codePoint);

// Scores closer than this are one answer as far as the recogniser can tell.
constexpr float kCloseScores = 0.05f;

// The Han characters of the lists, each once with its best score, best
// first; a run of candidates whose scores lie within kCloseScores of the
// run's best is ordered common-first (by the ranking). At most count.
std::vector<HandwritingCandidate> MergeCandidates(const std::vector<std::vector<HandwritingCandidate>>& lists,
                                                  const CommonRanking& ranking, std::size_t count);
