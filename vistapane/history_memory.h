// How much of the pages in the pane's history stays in memory. The page
// shown keeps its document and its bytes; the pages nearest to it, back
// and forward alike, keep theirs while they fit in a budget; farther pages
// keep only their path and their file's fingerprint, and are read and
// parsed again when a person steps back to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vistapane/document.h"

namespace vistapane {

struct HistoryBudget {
  size_t documentBytes = size_t{32} << 20;  // parsed documents, the shown one included
  size_t sourceBytes = size_t{16} << 20;    // the pages' bytes as read
};

// What one history entry holds now.
struct HistoryCost {
  size_t documentBytes = 0;      // 0 when it holds no document
  size_t sourceBytes = 0;        // 0 when it holds no bytes
  const void* source = nullptr;  // entries sharing one copy of their bytes name the same one
};

struct HistoryKept {
  bool document = false;
  bool source = false;
};

// Which entries keep their document and their bytes: the current one
// always; then, nearest first (back before forward at the same distance),
// each while its share fits in what the nearer ones left of the budget.
// Bytes shared with a nearer entry cost nothing again.
std::vector<HistoryKept> ChooseKept(const std::vector<HistoryCost>& costs, size_t current,
                                    const HistoryBudget& budget);

// The memory a document holds, estimated from its nodes' storage.
size_t DocumentBytes(const Document& document);

// A 64-bit FNV-1a hash of a page's bytes, to know the file again.
uint64_t Fingerprint(const std::string& bytes);

}  // namespace vistapane
