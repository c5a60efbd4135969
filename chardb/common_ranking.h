// Common characters first: the one order of every list of characters on
// the pages beyond the classic seven. The generator writes how common each
// character is (chardb ranking tables, from Unihan kTGH, kFrequency and
// kHanyuPinlu); nothing is parsed at search time.
//
// The order: the three levels of the General Standard Chinese Characters
// table (kTGH index 1-3500, 3501-6500, 6501-8105), then the characters
// with a kFrequency value 1 to 5 (in that order), then the rest by code
// point number. Within one of these eight levels, the character whose
// Hanyu Pinlu count (kHanyuPinlu) is higher comes first: the count of the
// reading asked for when a page answers a Mandarin reading (so 义 stands
// before 一 for YI4, whose YI4 is a rare reading of 一), else the counts
// of all the character's readings together; then by code point number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How common one character is. Only characters of the eight levels have
// one.
struct CommonRank {
  std::uint32_t codePoint;
  std::uint32_t level;       // 1-3: the kTGH level; 4-8: kFrequency 1-5
  std::uint32_t pinluCount;  // the kHanyuPinlu counts of its readings together
};

// The kHanyuPinlu count of one reading of a ranked character, the reading
// in the pinyin table's form ("YI4", "L&#xdc;4", "DE5").
struct ReadingCount {
  std::uint32_t codePoint;
  const char* reading;
  std::uint32_t count;
};

// The generated tables: ranks ascending by code point; reading counts
// ascending by code point, then by the reading's bytes.
struct CommonRanking {
  const CommonRank* ranks;
  std::size_t rankCount;
  const ReadingCount* readings;
  std::size_t readingCount;
};

extern const CommonRank kCommonRanks[];
extern const std::size_t kCommonRanksCount;
extern const ReadingCount kReadingCounts[];
extern const std::size_t kReadingCountsCount;

// The level given to characters of no list (after the eight levels).
constexpr std::uint32_t kUnrankedLevel = 9;

// The character's level (1 to 8, or kUnrankedLevel).
std::uint32_t CommonLevel(const CommonRanking& ranking, std::uint32_t codePoint);

// A key whose ascending order is the common-first order. An empty reading
// ranks by the counts of all the character's readings; a reading in the
// pinyin table's form (upper-case, tone digit) by that reading's count.
std::uint64_t CommonRankKey(const CommonRanking& ranking, std::uint32_t codePoint,
                            std::string_view reading = {});

// Orders the code points common-first (equal code points stay together).
void SortCommonFirst(const CommonRanking& ranking, std::vector<std::uint32_t>& codePoints,
                     std::string_view reading = {});

// The same for code point texts ("4E00", "2A3D9"); a text that is no code
// point (not 4 to 6 hex digits) goes last, in the order of the texts.
void SortCodeTextsCommonFirst(const CommonRanking& ranking, std::vector<std::string>& codes,
                              std::string_view reading = {});
