#pragma once

#include <string>

// The room of the Pinyin key: the longest key a search may rewrite.
constexpr std::size_t kPinyinKeyRoom = 79;

// The Pinyin key taken from the document's selection: at most
// kPinyinKeyRoom bytes (never half a UTF-8 character), ending at its first
// blank among the positions 1 to 20; a blank at position 0 stays.
std::string PinyinKeyFromSelection(const std::string& selection);
