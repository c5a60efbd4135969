// The links of a laid-out page as a keyboard and a screen reader meet
// them: in page order, each with the fragments that show it, its text and
// the name it is announced by, and the character an insert link stands for.
#pragma once

#include <string>
#include <vector>

#include "vistapane/layout.h"

namespace vistapane {

// For each link of the layout (by its index), the fragments that show it,
// in order. A link that shows nothing has none and takes no focus.
using LinkFragments = std::vector<std::vector<size_t>>;
LinkFragments FragmentsOfLinks(const Layout& layout);

// The next link after `current` (step +1) or before it (step -1) that
// shows something, going round the page's end; from -1 the first or the
// last. -1 when no link shows anything.
int StepLink(const LinkFragments& links, int current, int step);

// The text a link shows, its fragments joined.
std::u32string LinkText(const Layout& layout, const LinkFragments& links, int link);

// The character an insert link stands for (the hexadecimal code point
// after "insert"), or 0 when the target is none or names no character.
char32_t InsertLinkCharacter(const std::u32string& target);

// What a screen reader announces for a link: for an insert link its
// character and code point ("长 957F"), else the link's text.
std::u32string LinkName(const Layout& layout, const LinkFragments& links, int link);

// The three copies of one character: itself, its HTML reference as the
// insert link puts it on the clipboard (" &#x957F;") and its code point
// ("U+957F").
std::u32string CharacterReference(char32_t c);
std::u32string CodePointName(char32_t c);

}  // namespace vistapane
