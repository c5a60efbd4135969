// What following a link means: the program's insert links and program
// links, pages of the system's handler (web and mail), and files relative
// to the shown page.
#pragma once

#include <cstddef>
#include <string>

namespace vistapane {

enum class LinkKind { kInsert, kProgram, kExternal, kFile, kNone };

// The longest name and key of a program link, in code points.
constexpr std::size_t kProgramLinkNameMax = 24;
constexpr std::size_t kProgramLinkKeyMax = 40;

// Whether the target has the form of a program link, which no file name
// takes: "logodex:", a name of lower-case letters and hyphens, "/", and a
// key of letters, digits, "+-_.'," and printable characters beyond ASCII
// (no controls, blanks, "%", "/", "\\", ":" or invalid text; a full stop
// only before a digit), each within its longest.
bool IsProgramLinkForm(const std::u32string& target);

// "insert" anywhere in the target makes an insert link; a target that
// begins with "logodex:" is a program link when it has the form, else does
// nothing; "http:", "https:" and "mailto:" (any case) go to the system; a
// target of only a "#" fragment, or an empty one, does nothing; anything
// else names a file.
LinkKind ClassifyLink(const std::u32string& target);

// The file a link names, relative to the folder of the page `base` (a
// Windows path with '\' or '/'), unless it is absolute itself ("C:\...",
// "\\server\...", "\..."). A "file:" prefix, "#fragment" and "?query" are
// dropped, "%XX" escapes decoded, "." and ".." folded, '/' written as '\'.
std::u32string ResolveLink(const std::u32string& base, const std::u32string& target);

}  // namespace vistapane
