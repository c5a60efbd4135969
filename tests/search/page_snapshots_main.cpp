// Build step of the native tree: writes the pages of the cases both builds
// must agree on into the folder named on the command line, where the
// Windows tests find them beside the generated data.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "search/result_page.h"
#include "tests/search/page_snapshot_cases.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: page_snapshots FOLDER\n");
    return 2;
  }
  std::filesystem::path folder(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (std::size_t n = 0; n < kSnapshotPages; ++n) {
    std::filesystem::path path = folder / SnapshotName(n);
    if (!WriteResultPage(path, SnapshotPage(n))) {
      std::fprintf(stderr, "page_snapshots: cannot write %s\n", path.string().c_str());
      return 2;
    }
  }
  return 0;
}
