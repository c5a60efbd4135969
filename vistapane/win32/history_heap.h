// The heap of what every page of the pane's history keeps for as long as
// the history lasts: its path and its caption. Taken from the C library's
// heap between the documents that come and go with each page, these few
// hundred bytes a page pin the space the documents gave back, and the heap
// grows while what it holds stays the same (under Wine, about a tenth of a
// megabyte for every page of six thousand lines). A heap of their own
// keeps them out of the way.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

namespace vistapane {

// The history's own heap, or the process heap when none could be made.
HANDLE HistoryHeap();

template <class T>
struct HistoryAllocator {
  using value_type = T;
  HistoryAllocator() = default;
  template <class U>
  HistoryAllocator(const HistoryAllocator<U>&) {}
  T* allocate(std::size_t count) {
    if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    void* block = HeapAlloc(HistoryHeap(), 0, count * sizeof(T));
    if (!block) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t) { HeapFree(HistoryHeap(), 0, block); }
  friend bool operator==(const HistoryAllocator&, const HistoryAllocator&) { return true; }
  friend bool operator!=(const HistoryAllocator&, const HistoryAllocator&) { return false; }
};

using HistoryText = std::basic_string<wchar_t, std::char_traits<wchar_t>, HistoryAllocator<wchar_t>>;

inline HistoryText ToHistoryText(const std::wstring& text) { return HistoryText(text.data(), text.size()); }
inline std::wstring ToWide(const HistoryText& text) { return std::wstring(text.data(), text.size()); }

}  // namespace vistapane
