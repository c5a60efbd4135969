// Reading a page for the pane: "about:blank", a file by its UTF-8 path,
// decoded by its declared charset with the system's code pages, or the
// short page that says the file is missing. A page is read in two steps,
// its source (the file's bytes) and the document parsed from it, so that
// the history can keep the one without the other.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
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

enum class PageKind { kBlank, kFile, kMissing, kTooLarge, kReplaced };

struct PageSource {
  PageKind kind = PageKind::kBlank;
  std::shared_ptr<const std::string> bytes;  // a file's bytes as read, or null
  size_t size = 0;                           // of those bytes, kept when they are dropped
  uint64_t fingerprint = 0;                  // Fingerprint of those bytes
};

// Reads `path`, a full Windows path or "about:blank". A file of more than
// kMaxPageBytes is kTooLarge, one that cannot be read kMissing.
PageSource ReadPageSource(const std::wstring& path);

// The source of a page whose bytes were dropped, read again: the same
// bytes, a kReplaced source when the file now holds others, or kMissing
// or kTooLarge as ReadPageSource.
PageSource RereadPageSource(const std::wstring& path, const PageSource& dropped);

// The document of a source (the notice pages name `path`).
Document DocumentOf(const PageSource& source, const std::wstring& path);

struct LoadedPage {
  Document document;
  bool missing = false;
  bool tooLarge = false;
};

// `path` is a full Windows path or "about:blank". A file of more than
// kMaxPageBytes gives the page that says it is too large.
LoadedPage LoadPage(const std::wstring& path);

}  // namespace vistapane
