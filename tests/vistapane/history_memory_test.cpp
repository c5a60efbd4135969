#include "vistapane/history_memory.h"

#include <gtest/gtest.h>

#include <string>

namespace vistapane {
namespace {

constexpr size_t kMiB = size_t{1} << 20;

// Each entry of a history as a letter: D holds a 5 MiB document, S 5 MiB
// bytes of its own, B both, '-' nothing; `shared` names (by a digit) the
// entries whose bytes are one copy. The answer in the same letters.
std::string Chosen(const std::string& entries, size_t current, const std::string& shared = "") {
  static const char kCopies[10] = {};
  std::vector<HistoryCost> costs;
  for (size_t i = 0; i < entries.size(); ++i) {
    HistoryCost cost;
    char c = entries[i];
    if (c == 'D' || c == 'B') cost.documentBytes = 5 * kMiB;
    if (c == 'S' || c == 'B') cost.sourceBytes = 5 * kMiB;
    cost.source = i < shared.size() && shared[i] != ' ' ? &kCopies[shared[i] - '0'] : &entries[i];
    costs.push_back(cost);
  }
  HistoryBudget budget;
  budget.documentBytes = 12 * kMiB;
  budget.sourceBytes = 16 * kMiB;
  std::string answer;
  for (const HistoryKept& kept : ChooseKept(costs, current, budget))
    answer += kept.document && kept.source ? 'B' : kept.document ? 'D' : kept.source ? 'S' : '-';
  return answer;
}

TEST(HistoryMemory, KeepsTheNearestEntriesWithinTheBudget) {
  // Two 5 MiB documents fit in 12 MiB, three bytes in 16 MiB; back first.
  EXPECT_EQ(Chosen("BBBBBB", 5), "---SBB");
  EXPECT_EQ(Chosen("BBBBBB", 2), "-BBS--");
  EXPECT_EQ(Chosen("BBBBBB", 0), "BBS---");
  // A history of one page keeps it.
  EXPECT_EQ(Chosen("B", 0), "B");
  // Once one does not fit, none farther keeps its share.
  EXPECT_EQ(Chosen("SSSSSSS", 6), "----SSS");
  EXPECT_EQ(Chosen("", 0), "");
  // Bytes shared cost once: thirty of one search are one copy, kept by
  // every entry that shares it.
  EXPECT_EQ(Chosen("SSSSSSSS", 7, "00000000"), "SSSSSSSS");
  // Shared with a nearer entry, even past the full budget.
  EXPECT_EQ(Chosen("SSSSSS", 5, "1    1"), "S--SSS");
}

}  // namespace
}  // namespace vistapane
