// The reading tables as C++ source: the readings in Cantonese, Japanese,
// Korean and Vietnamese with their folded keys, and each of their
// characters' Mandarin reading (see chardb/reading_tables.h).
#pragma once

#include <cstddef>
#include <string>

#include "tools/datagen/unihan_source.h"

// The ReadingEntry and MandarinEntry arrays, ascending as the finder
// reads them; false with a reason on a reading that folds to nothing.
bool BuildReadingSource(const UnihanRecords& records, std::string& source, std::size_t counts[2],
                        std::string& error);
