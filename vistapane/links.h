// What following a link means: the program's insert links, pages of the
// system's handler (web and mail), and files relative to the shown page.
#pragma once

#include <string>

namespace vistapane {

enum class LinkKind { kInsert, kExternal, kFile, kNone };

// "insert" anywhere in the target makes an insert link; "http:", "https:"
// and "mailto:" (any case) go to the system; a target of only a "#"
// fragment, or an empty one, does nothing; anything else names a file.
LinkKind ClassifyLink(const std::u32string& target);

// The file a link names, relative to the folder of the page `base` (a
// Windows path with '\' or '/'), unless it is absolute itself ("C:\...",
// "\\server\...", "\..."). A "file:" prefix, "#fragment" and "?query" are
// dropped, "%XX" escapes decoded, "." and ".." folded, '/' written as '\'.
std::u32string ResolveLink(const std::u32string& base, const std::u32string& target);

}  // namespace vistapane
