// Copying from the pane: the selection or a given text goes to the
// clipboard as Unicode text and as plain text in the system's code page,
// as Windows programs put text there, with CR LF between lines.
#include <algorithm>

#include "vistapane/win32/page_source.h"
#include "vistapane/win32/pane_state.h"

namespace vistapane {
namespace {

// A movable block holding `size` bytes of `data`; nullptr when memory
// cannot be had.
HGLOBAL BlockOf(const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return nullptr;
  }
  std::copy(static_cast<const char*>(data), static_cast<const char*>(data) + size, static_cast<char*>(bytes));
  GlobalUnlock(block);
  return block;
}

void Offer(UINT format, HGLOBAL block) {
  if (block && !SetClipboardData(format, block)) GlobalFree(block);
}

}  // namespace

void PutOnClipboard(const std::u32string& text) {
  std::wstring wide;
  for (wchar_t c : WideFromCodePoints(text)) {
    if (c == L'\n') wide += L"\r\n";
    else wide.push_back(c);
  }
  std::string narrow;
  int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size > 0) {
    narrow.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0], size, nullptr, nullptr);
  }
  if (!OpenClipboard(Pane().window)) return;
  EmptyClipboard();
  Offer(CF_UNICODETEXT, BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
  if (!narrow.empty()) Offer(CF_TEXT, BlockOf(narrow.data(), narrow.size()));
  CloseClipboard();
}

void CopySelection() {
  PaneState& pane = Pane();
  size_t begin = std::min(pane.anchor, pane.caret), end = std::max(pane.anchor, pane.caret);
  end = std::min(end, pane.layout.text.size());
  if (begin >= end) return;
  PutOnClipboard(pane.layout.text.substr(begin, end - begin));
}

void SelectAll() {
  PaneState& pane = Pane();
  pane.anchor = 0;
  pane.caret = pane.layout.text.size();
  Redraw();
}

}  // namespace vistapane
