// Pinyin as a reader writes it: numbered syllables (ZHANG3, lu:4, L&#xdc;3)
// with their tone marks (zhǎng, lǜ, lǚ).
#pragma once

#include <string>
#include <string_view>

// One syllable: its letters, then a tone digit 1 to 5 (5 or none: the
// neutral tone, unmarked). The mark goes on "a" or "e", else on the "o"
// of "ou", else on the last vowel; a syllable without a vowel (m, n, ng)
// carries it as a combining mark after its first letter. "u:", "v" and
// "&#xdc;" are ü. Letters keep their case unless `lower` asks for lower
// case (the data's readings are capitals). A word that is no syllable (no
// letters, or letters after the digit) comes back unchanged.
std::string SyllableWithToneMark(std::string_view syllable, bool lower = false);

// Every blank-separated word of the text through SyllableWithToneMark.
std::string PinyinWithToneMarks(std::string_view text, bool lower = false);
