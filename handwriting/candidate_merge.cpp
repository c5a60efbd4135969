#include "handwriting/candidate_merge.h"

#include <algorithm>
#include <unordered_map>

char32_t SingleCharacter(const std::string& text) {
  if (text.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || text.size() != length) return 0;
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t at = 1; at < length; ++at) {
    const unsigned char next = static_cast<unsigned char>(text[at]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return value;
}

bool IsHanCharacter(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x323AF) || (c >= 0x2F800 && c <= 0x2FA1F);
}

std::vector<HandwritingCandidate> MergeCandidates(const std::vector<std::vector<HandwritingCandidate>>& lists,
                                                  const CommonRanking& ranking, std::size_t count) {
  std::unordered_map<char32_t, float> best;
  for (const auto& list : lists) {
    for (const HandwritingCandidate& candidate : list) {
      if (!IsHanCharacter(candidate.codePoint)) continue;
      auto found = best.emplace(candidate.codePoint, candidate.score);
      if (!found.second && candidate.score > found.first->second) found.first->second = candidate.score;
    }
  }
  std::vector<HandwritingCandidate> merged;
  merged.reserve(best.size());
  for (const auto& entry : best) merged.push_back({entry.first, entry.second});
  std::sort(merged.begin(), merged.end(), [](const HandwritingCandidate& a, const HandwritingCandidate& b) {
    return a.score != b.score ? a.score > b.score : a.codePoint < b.codePoint;
  });
  for (std::size_t run = 0; run < merged.size();) {
    std::size_t end = run + 1;
    while (end < merged.size() && merged[run].score - merged[end].score < kCloseScores) ++end;
    std::stable_sort(merged.begin() + run, merged.begin() + end,
                     [&ranking](const HandwritingCandidate& a, const HandwritingCandidate& b) {
                       return CommonRankKey(ranking, a.codePoint) < CommonRankKey(ranking, b.codePoint);
                     });
    run = end;
  }
  if (merged.size() > count) merged.resize(count);
  return merged;
}
