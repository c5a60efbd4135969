// Reads the Unihan source files (bzip2-compressed, as the unicode-data
// package ships them) into records, and the repertoire Logodex carries.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct UnihanField {
  std::string name;   // "kMandarin"
  std::string value;  // UTF-8, as in the source
};

// Every field of every repertoire code point, keyed by code point.
using UnihanRecords = std::map<std::uint32_t, std::vector<UnihanField>>;

// The eight source files, in the order they are read.
extern const char* const kUnihanSourceFiles[8];

// Decompresses one .bz2 file; false with a reason when it cannot.
bool ReadBzip2File(const std::string& path, std::string& contents, std::string& error);

// Adds the lines of one source text; comment lines are passed over. False
// on a malformed line.
bool AddUnihanLines(const std::string& text, UnihanRecords& records, std::string& error);

// Keeps the repertoire: the records that have a kRSUnicode value.
void KeepRepertoire(UnihanRecords& records);

// The value of one field of a record, or nullptr.
const std::string* FindField(const std::vector<UnihanField>& fields, const char* name);
