#pragma once
// The command line both benchmarks take: [--data DIR] [--check].

#include <cstdio>
#include <string>

#include "tools/cli/cli_data_dir.h"

struct BenchOptions {
  std::string dataDir;
  bool check = false;
};

// Reads the options; on a word it does not know prints the usage line
// under PROGRAM's name and returns false (exit 2).
inline bool ParseBenchOptions(int argc, char** argv, const char* program, BenchOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--check") {
      options.check = true;
    } else if (word == "--data" && i + 1 < argc) {
      options.dataDir = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--data DIR] [--check]\n", program);
      return false;
    }
  }
  if (options.dataDir.empty()) options.dataDir = FindCliDataDir(argc > 0 ? argv[0] : "");
  return true;
}
