// Reading a page for the pane: "about:blank", a file by its UTF-8 path,
// decoded by its declared charset with the system's code pages, or the
// short page that says the file is missing.
#pragma once

#include <windows.h>

#include <string>

#include "vistapane/document.h"
#include "win32/text_conversion.h"

namespace vistapane {

std::wstring WideFromCodePoints(const std::u32string& text);
std::u32string CodePointsFromWide(const std::wstring& text);

// The largest page file the pane reads: many times the largest page the
// program writes, and small enough that its document and layout fit in the
// 32-bit process.
constexpr unsigned long long kMaxPageBytes = 16ull << 20;

struct LoadedPage {
  Document document;
  bool missing = false;
  bool tooLarge = false;
};

// `path` is a full Windows path or "about:blank". A file of more than
// kMaxPageBytes gives the page that says it is too large.
LoadedPage LoadPage(const std::wstring& path);

// The page that says the file at `path` is too large to show.
LoadedPage TooLargePage(const std::wstring& path);

}  // namespace vistapane
