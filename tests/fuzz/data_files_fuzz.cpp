// The data-file loaders over arbitrary file contents. The input, split at
// 0xFF bytes, gives the seven data files of a folder (the five embedded
// texts, TotalStrokeOrdered.txt, unihan.txt; missing parts are empty
// files) and then a key. The folder is loaded as logodex-cli loads it, and
// the tables must hold what the files hold: each text its bytes with the
// last one NUL, the stroke table the pieces read and one zero
// record past them, the Unihan text the file and a NUL. The program's
// loader reads the files its own way and then builds the tables with the
// same functions. Reading with a limit (the first byte) must refuse
// exactly the files above it.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "chardb/character_tables.h"
#include "chardb/insertion_texts.h"
#include "chardb/lookups.h"
#include "chardb/unihan_extract.h"
#include "chardb/unihan_index.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// One folder for the whole run: in memory (/dev/shm) unless TMPDIR names
// another place, since a disk folder's file system writes back every file
// rewritten in place, seven for each input. Removed at exit.
const std::string& Folder() {
  static const std::string* folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/data_files_fuzz_XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    Require(mkdtemp(name.data()) != nullptr);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Folder(), ignored);
    });
    return new std::string(name.data());  // kept for the handler at exit
  }();
  return *folder;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr);
  Require(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  Require(std::fclose(file) == 0);
}

void RequireText(const ResourceText& text, const std::string& file) {
  Require(text.size() == (file.empty() ? 1 : file.size()));
  Require(text.text()[text.size() - 1] == '\0');
  Require(std::memcmp(text.text(), file.data(), text.size() - 1) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  const char* names[] = {kPinyinDataName,  kDefinitionDataName, kRadicalStrokeDataName, kMatthewsDataName,
                         kPrefaceDataName, kStrokeFileName,     kUnihanFileName};
  std::vector<std::string> parts;
  for (std::size_t start = 0; parts.size() < 8;) {
    std::size_t end = input.find('\xFF', start);
    if (end == std::string::npos) end = input.size();
    parts.push_back(start < input.size() ? input.substr(start, end - start) : std::string());
    start = end + 1;
  }
  for (int i = 0; i < 7; ++i) WriteFile(Folder() + "/" + names[i], parts[static_cast<std::size_t>(i)]);
  const std::string& key = parts[7];

  // The variant tables are built in, not read from the folder: the first
  // entries of each serve, so that every input does not index thousands.
  CharacterTables tables;
  tables.simplified.count = std::min<std::size_t>(tables.simplified.count, 64);
  tables.traditional.count = std::min<std::size_t>(tables.traditional.count, 64);
  std::string error;
  Require(LoadCharacterTables(Folder(), tables, error));
  ResourceText* texts[] = {&tables.pinyin, &tables.definition, &tables.radicalStroke, &tables.matthews,
                           &tables.preface};
  for (int i = 0; i < 5; ++i) RequireText(*texts[i], parts[static_cast<std::size_t>(i)]);
  Require(tables.strokePieces <= parts[5].size());
  Require(tables.strokes.size() == tables.strokePieces + 1);
  const StrokeRecord& past = tables.strokes[tables.strokePieces];
  Require(past.strokes == 0 && past.code[0] == '\0');
  for (std::size_t i = 0; i < tables.strokePieces; ++i) Require(std::memchr(tables.strokes[i].code, 0, kStrokeCodeWidth));
  Require(tables.unihan.size() == parts[6].size() + 1 && tables.unihan.back() == '\0');
  Require(std::memcmp(tables.unihan.data(), parts[6].data(), parts[6].size()) == 0);

  std::uint64_t limit = size > 0 ? data[0] : 0;
  std::string read;
  DataFileRead result = ReadDataFile(Folder() + "/" + kUnihanFileName, limit, read);
  Require(result == (parts[6].size() > limit ? DataFileRead::kTooLarge : DataFileRead::kRead));
  Require(result == DataFileRead::kTooLarge ? read.empty() : read == parts[6]);

  std::string code = key;
  LookupPinyin(tables, code);
  LookupDefinition(tables, code);
  LookupRadicalStroke(tables, code);
  LookupMatthews(tables, code);
  UnihanIndex unihanIndex;
  BuildUnihanIndex(tables, unihanIndex);
  ComposeUnihanBox(ExtractUnihan(tables, unihanIndex, key), key);
  InsertionTexts insertion;
  ComposeInsertionTexts(tables, "insert" + key, insertion);
  return 0;
}
