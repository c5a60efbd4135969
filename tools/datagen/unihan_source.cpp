#include "tools/datagen/unihan_source.h"

#include <bzlib.h>

#include <cstdio>
#include <memory>

#include "tools/datagen/data_forms.h"

const char* const kUnihanSourceFiles[8] = {
    "Unihan_DictionaryIndices.txt.bz2", "Unihan_DictionaryLikeData.txt.bz2",
    "Unihan_IRGSources.txt.bz2",        "Unihan_NumericValues.txt.bz2",
    "Unihan_OtherMappings.txt.bz2",     "Unihan_RadicalStrokeCounts.txt.bz2",
    "Unihan_Readings.txt.bz2",          "Unihan_Variants.txt.bz2",
};

bool ReadBzip2File(const std::string& path, std::string& contents, std::string& error) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  int status = BZ_OK;
  BZFILE* bz = BZ2_bzReadOpen(&status, file.get(), 0, 0, nullptr, 0);
  if (status != BZ_OK) {
    error = "not a bzip2 file: " + path;
    BZ2_bzReadClose(&status, bz);
    return false;
  }
  contents.clear();
  char buffer[1 << 16];
  while (status == BZ_OK) {
    int n = BZ2_bzRead(&status, bz, buffer, sizeof buffer);
    if (n > 0) contents.append(buffer, static_cast<std::size_t>(n));
  }
  bool ok = status == BZ_STREAM_END;
  BZ2_bzReadClose(&status, bz);
  if (!ok) error = "corrupt bzip2 data in " + path;
  return ok;
}

bool AddUnihanLines(const std::string& text, UnihanRecords& records, std::string& error) {
  std::size_t pos = 0;
  int lineNumber = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::size_t tab1 = line.find('\t');
    std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    std::uint32_t cp = 0;
    if (tab2 == std::string::npos || line.find('\t', tab2 + 1) != std::string::npos ||
        !ParseUnihanCode(line.substr(0, tab1), cp)) {
      error = "malformed line " + std::to_string(lineNumber) + ": " + line;
      return false;
    }
    records[cp].push_back({line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
  }
  return true;
}

void KeepRepertoire(UnihanRecords& records) {
  for (auto record = records.begin(); record != records.end();) {
    if (FindField(record->second, "kRSUnicode"))
      ++record;
    else
      record = records.erase(record);
  }
}

const std::string* FindField(const std::vector<UnihanField>& fields, const char* name) {
  for (const UnihanField& field : fields)
    if (field.name == name) return &field.value;
  return nullptr;
}
