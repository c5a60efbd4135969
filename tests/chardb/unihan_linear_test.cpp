// Every pass of the Unihan search over its text (the index, the extract
// through it and by the scan, the box and its lines as shown) takes time in
// proportion to the text, whatever its line ends and line lengths: hostile
// texts of growing size are held to a plain scan of the same text measured
// beside them, with a limit far above what a linear pass needs. The ramp
// stops at the first size over the limit, so that a pass that grows with
// the square of a line fails in a fraction of a second, not hours later.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>

#include "chardb/unihan_extract.h"
#include "chardb/unihan_index.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

// The passes measured 8 to 50 times the plain scan at every size (the
// index orders its marks, which the scan never does), and 130 to 200 times
// it on one line full of marks, whose scan meets no line end at all and
// takes a fraction of a millisecond; a walk back over the line for every
// mark measured thousands of times it at 256 KiB, and ten times more with
// every step of the ramp.
constexpr double kMostTimesTheScan = 1000;

// Processor time where the clock measures it, which other programs on a
// busy machine do not stretch as they do the wall clock. A round repeats
// the work until the clock has moved well past its tick (under Wine a
// small text's scan takes less than one), and counts the time of one.
double BestSecondsOf(int rounds, const std::function<void()>& work) {
  double best = std::numeric_limits<double>::infinity();
  for (int round = 0; round < rounds; ++round) {
    std::clock_t start = std::clock();
    double spent = 0;
    int times = 0;
    do {
      work();
      ++times;
      spent = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    } while (spent < 0.05);
    best = std::min(best, spent / times);
  }
  return best;
}

// The bytes in the index's vectors, for the log.
std::size_t IndexBytes(const UnihanIndex& index) {
  return index.records.capacity() * sizeof(UnihanIndex::Record) +
         4 * (index.runs.capacity() + index.linesBefore.capacity() + index.innerMarks.capacity() +
              index.innerMarkLines.capacity());
}

// The text of `size` bytes that `form` makes, at growing sizes up to
// 20 MiB, against the plain scan for a key it does not hold.
void ExpectLinear(const char* name, const std::function<std::string(std::size_t)>& form) {
  for (std::size_t size : {std::size_t{256} << 10, std::size_t{2} << 20, std::size_t{20} << 20}) {
    CharacterTables tables;
    LoadUnihanText(form(size), tables);
    int rounds = size < (std::size_t{20} << 20) ? 5 : 2;
    double scan = std::numeric_limits<double>::infinity();
    double passes = scan;
    std::size_t indexBytes = 0;
    // A ratio missed is measured once more, each side keeping its best:
    // one slowed round does not fail it, a pass that grows faster than
    // the text does both times.
    for (int attempt = 0; attempt < 2 && !(passes < kMostTimesTheScan * scan); ++attempt) {
      scan = std::min(scan, BestSecondsOf(rounds, [&] { ExtractUnihanByScan(tables, "ZZZZ"); }));
      passes = std::min(passes, BestSecondsOf(rounds, [&] {
                          UnihanIndex index;
                          BuildUnihanIndex(tables, index);
                          indexBytes = IndexBytes(index);
                          for (const char* key : {"4E00", "4E01", ""}) {
                            WithLongLinesCut(ComposeUnihanBox(ExtractUnihan(tables, index, key), key).text);
                            ExtractUnihanByScan(tables, key);
                          }
                        }));
    }
    std::printf("%-24s %9zu bytes: passes %8.4f s, plain scan %8.4f s, ratio %6.1f; index %zu bytes\n", name,
                tables.unihan.size() - 1, passes, scan, passes / scan, indexBytes);
    ASSERT_LT(passes, kMostTimesTheScan * scan) << name << " at " << size << " bytes";
  }
}

// The generated text from its start, as long as asked.
std::string RealPrefix(std::size_t size) { return std::string(RealTables().unihan.data(), size); }

std::string Repeated(const std::string& piece, std::size_t size) {
  std::string text;
  text.reserve(size + piece.size());
  while (text.size() < size) text += piece;
  return text;
}

TEST(UnihanLinear, LinesEndedByCrAlone) {
  ExpectLinear("CR-ended lines", [](std::size_t size) {
    std::string text = RealPrefix(size);
    std::replace(text.begin(), text.end(), '\n', '\r');
    return text;
  });
}

TEST(UnihanLinear, OneLineOfTheWholeText) {
  ExpectLinear("one line", [](std::size_t size) {
    return "U+4E00\tkJunk\t" + Repeated(std::string(57, 'a') + " U+4E01", size);
  });
}

TEST(UnihanLinear, LinesOfTwoHundredMarks) {
  std::string line = "U+4E00\tkA\t";
  for (int i = 0; i < 200; ++i) line += "U+4E01 ";
  line += '\n';
  ExpectLinear("200 marks a line", [&line](std::size_t size) { return Repeated(line, size); });
}

}  // namespace
