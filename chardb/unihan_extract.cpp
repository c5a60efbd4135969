#include "chardb/unihan_extract.h"

UnihanExtract ExtractUnihan(const CharacterTables&, const std::string&) { return {}; }
UnihanBox ComposeUnihanBox(const UnihanExtract&, const std::string&) { return {}; }
UnihanBox ComposeUnihanBox(const CharacterTables&, const std::string&) { return {}; }
std::string WithThousandsSeparators(std::size_t value) { return std::to_string(value); }
