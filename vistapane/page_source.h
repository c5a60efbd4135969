// Reading a page for the pane: "about:blank", a file by its UTF-8 path,
// decoded by its declared charset with the system's code pages, or the
// short page that says the file is missing.
#pragma once

#include <windows.h>

#include <string>

#include "vistapane/document.h"

namespace vistapane {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromCodePoints(const std::u32string& text);
std::u32string CodePointsFromWide(const std::wstring& text);

struct LoadedPage {
  Document document;
  bool missing = false;
};

// `path` is a full Windows path or "about:blank".
LoadedPage LoadPage(const std::wstring& path);

}  // namespace vistapane
