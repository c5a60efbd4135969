// The small rules layout applies to single values: FONT sizes and colours,
// face lists, and which characters are white space or allow a line break.
#pragma once

#include <cstdint>
#include <string>

namespace vistapane {

// Height in pixels of the FONT sizes 1 to 7 (3 is the normal text) at a
// scale in per cent.
int FontSizePixels(int htmlSize, int scalePercent);

// A FONT SIZE value: "1" to "7", or "+n"/"-n" from the normal size 3;
// clamped to 1..7. `current` is kept when the value is unreadable.
int ParseFontSize(const std::u32string& value, int current);

// "#rrggbb", "rrggbb", "#rgb" or one of the sixteen HTML colour names (any
// case); false when unreadable.
bool ParseColor(const std::u32string& value, uint32_t& color);

// The first face of a comma-separated FACE or font-family list, without
// quotes and surrounding blanks.
std::u32string FirstFace(const std::u32string& faces);

// White space that collapses: blank, TAB, line feed, carriage return, form
// feed. The no-break space is not among them.
inline bool IsCollapsibleSpace(char32_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Han ideographs (every block and plane), radicals, kana, and CJK
// compatibility forms: text that breaks between any two characters.
bool IsIdeograph(char32_t c);

// A line may break between `before` and `after` (neither white space): on
// either side of an ideograph, except before closing and after opening
// punctuation, and never next to a no-break space.
bool BreakAllowedBetween(char32_t before, char32_t after);

}  // namespace vistapane
