#include "chardb/common_ranking.h"

#include <algorithm>
#include <utility>

namespace {

const CommonRank* FindRank(const CommonRanking& ranking, std::uint32_t codePoint) {
  const CommonRank* end = ranking.ranks + ranking.rankCount;
  const CommonRank* at = std::lower_bound(ranking.ranks, end, codePoint,
                                          [](const CommonRank& r, std::uint32_t cp) { return r.codePoint < cp; });
  return at != end && at->codePoint == codePoint ? at : nullptr;
}

std::uint32_t ReadingCountOf(const CommonRanking& ranking, std::uint32_t codePoint, std::string_view reading) {
  const ReadingCount* end = ranking.readings + ranking.readingCount;
  auto before = [](const ReadingCount& r, const std::pair<std::uint32_t, std::string_view>& key) {
    return r.codePoint != key.first ? r.codePoint < key.first : std::string_view(r.reading) < key.second;
  };
  const ReadingCount* at = std::lower_bound(ranking.readings, end, std::make_pair(codePoint, reading), before);
  return at != end && at->codePoint == codePoint && reading == at->reading ? at->count : 0;
}

// Code points take 21 bits, counts 32; the level stands above both.
constexpr int kCountShift = 21;
constexpr int kLevelShift = 53;

// The value of 4 to 6 upper- or lower-case hex digits; false for any
// other text.
bool CodeTextValue(const std::string& text, std::uint32_t& value) {
  if (text.size() < 4 || text.size() > 6) return false;
  value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value <= 0x10FFFF;
}

}  // namespace

std::uint32_t CommonLevel(const CommonRanking& ranking, std::uint32_t codePoint) {
  const CommonRank* rank = FindRank(ranking, codePoint);
  return rank ? rank->level : kUnrankedLevel;
}

std::uint64_t CommonRankKey(const CommonRanking& ranking, std::uint32_t codePoint, std::string_view reading) {
  std::uint64_t cp = codePoint & 0x1FFFFF;
  const CommonRank* rank = FindRank(ranking, codePoint);
  if (!rank) return std::uint64_t{kUnrankedLevel} << kLevelShift | cp;
  std::uint32_t count = reading.empty() ? rank->pinluCount : ReadingCountOf(ranking, codePoint, reading);
  return std::uint64_t{rank->level} << kLevelShift | std::uint64_t{UINT32_MAX - count} << kCountShift | cp;
}

void SortCommonFirst(const CommonRanking& ranking, std::vector<std::uint32_t>& codePoints, std::string_view reading) {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
  keyed.reserve(codePoints.size());
  for (std::uint32_t cp : codePoints) keyed.emplace_back(CommonRankKey(ranking, cp, reading), cp);
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 0; i < keyed.size(); ++i) codePoints[i] = keyed[i].second;
}

void SortCodeTextsCommonFirst(const CommonRanking& ranking, std::vector<std::string>& codes,
                              std::string_view reading) {
  std::vector<std::pair<std::uint64_t, std::size_t>> keyed;
  keyed.reserve(codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    std::uint32_t cp = 0;
    keyed.emplace_back(CodeTextValue(codes[i], cp) ? CommonRankKey(ranking, cp, reading) : UINT64_MAX, i);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [&codes](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return a.first == UINT64_MAX && codes[a.second] < codes[b.second];
  });
  std::vector<std::string> sorted;
  sorted.reserve(codes.size());
  for (const auto& entry : keyed) sorted.push_back(std::move(codes[entry.second]));
  codes.swap(sorted);
}
