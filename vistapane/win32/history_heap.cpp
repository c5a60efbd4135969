#include "vistapane/win32/history_heap.h"

namespace vistapane {

HANDLE HistoryHeap() {
  static const HANDLE heap = [] {
    HANDLE made = HeapCreate(0, 0, 0);
    return made ? made : GetProcessHeap();
  }();
  return heap;
}

}  // namespace vistapane
