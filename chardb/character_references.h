// HTML character references in texts meant for people: the definitions
// write characters as "&#x4e18;", which a box shows as the character.
#pragma once

#include <string>

// The text with every decimal ("&#19968;") or hexadecimal ("&#x4e00;")
// character reference of a Unicode scalar value replaced by that character
// in UTF-8. Anything else, malformed references included, stays as it is.
std::string ReplaceCharacterReferences(const std::string& text);

// The text with &, <, > and " written as the references &amp;, &lt;, &gt;
// and &quot;, for a text inside an HTML page.
std::string HtmlEscaped(const std::string& text);
