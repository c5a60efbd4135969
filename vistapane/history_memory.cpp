#include "vistapane/history_memory.h"

#include <set>

namespace vistapane {
namespace {

// The entries nearest to `current` first: current, current-1, current+1, ...
std::vector<size_t> NearestFirst(size_t count, size_t current) {
  std::vector<size_t> order;
  order.reserve(count);
  if (current < count) order.push_back(current);
  for (size_t step = 1; order.size() < count; ++step) {
    if (step <= current) order.push_back(current - step);
    if (current + step < count) order.push_back(current + step);
  }
  return order;
}

}  // namespace

std::vector<HistoryKept> ChooseKept(const std::vector<HistoryCost>& costs, size_t current,
                                    const HistoryBudget& budget) {
  std::vector<HistoryKept> kept(costs.size());
  size_t documents = 0, sources = 0;
  bool documentsFull = false, sourcesFull = false;
  std::set<const void*> counted;
  for (size_t index : NearestFirst(costs.size(), current)) {
    const HistoryCost& cost = costs[index];
    bool always = index == current;
    if (cost.documentBytes > 0 && !documentsFull) {
      if (always || documents + cost.documentBytes <= budget.documentBytes) {
        kept[index].document = true;
        documents += cost.documentBytes;
      } else {
        documentsFull = true;
      }
    }
    if (cost.sourceBytes == 0) continue;
    if (counted.count(cost.source)) {
      kept[index].source = true;
    } else if (!sourcesFull && (always || sources + cost.sourceBytes <= budget.sourceBytes)) {
      kept[index].source = true;
      sources += cost.sourceBytes;
      counted.insert(cost.source);
    } else {
      sourcesFull = true;
    }
  }
  return kept;
}

size_t DocumentBytes(const Document& document) {
  size_t total = sizeof document + document.nodes.capacity() * sizeof(Node) +
                 document.title.capacity() * sizeof(char32_t);
  for (const Node& node : document.nodes) {
    total += node.tag.capacity() + node.text.capacity() * sizeof(char32_t) +
             node.children.capacity() * sizeof(size_t) + node.attributes.capacity() * sizeof(node.attributes[0]);
    for (const auto& attribute : node.attributes)
      total += attribute.first.capacity() + attribute.second.capacity() * sizeof(char32_t);
  }
  return total;
}

uint64_t Fingerprint(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace vistapane
