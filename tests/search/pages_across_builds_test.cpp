// Both builds write the same bytes for the same searches: the native build
// leaves its pages beside the generated data (page_snapshots), and this
// Windows test, under Wine, compares its own pages with them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/search/page_snapshot_cases.h"

namespace {

TEST(PagesAcrossBuilds, SameBytes) {
  for (std::size_t n = 0; n < kSnapshotPages; ++n) {
    std::string path = TestDataDir() + "/page-snapshots/" + SnapshotName(n);
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path << " is missing: the native build writes it";
    std::ostringstream native;
    native << in.rdbuf();
    EXPECT_EQ(SnapshotPage(n), native.str()) << "case " << n;
  }
}

}  // namespace
