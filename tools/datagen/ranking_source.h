// The ranking tables as C++ source: how common each character is, from the
// Unihan fields kTGH, kFrequency and kHanyuPinlu (see chardb/common_ranking.h).
#pragma once

#include <cstddef>
#include <string>

#include "tools/datagen/unihan_source.h"

// The CommonRank and ReadingCount arrays, ascending as the ranking reads
// them; false with a reason on a value out of shape.
bool BuildRankingSource(const UnihanRecords& records, std::string& source, std::size_t counts[2],
                        std::string& error);
