// Both builds write the same bytes for the same searches: the native test
// run leaves its pages beside the generated data, and the Windows test run
// (after it, under Wine) compares its own pages with them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "search/radicals_page.h"
#include "tests/search/search_test_support.h"

namespace {

struct PageCase {
  SearchKind kind;
  const char* key;
};

const PageCase kCases[] = {
    {kPinyinSearch, "MA"},        {kPinyinSearch, "L?"},           {kPinyinSearch, "YI"},
    {kUnicodeSearch, "4e00"},     {kUnicodeSearch, "53F0"},        {kUnicodeSearch, "E000"},
    {kMatthewsSearch, "4473"},    {kMatthewsSearch, "7774"},       {kRadicalStrokeSearch, "140.8"},
    {kRadicalStrokeSearch, "1.4"}, {kDefinitionSearch, "water"},   {kDefinitionSearch, "of"},
    {kStrokeNumberSearch, "1"},   {kStrokeNumberSearch, "12"},     {kStrokeNumberSearch, "49"},
};

std::string SnapshotPath(std::size_t n) { return TestDataDir() + "/page-snapshots/page" + std::to_string(n) + ".htm"; }

std::string PageOf(std::size_t n) {
  if (n == std::size(kCases)) return RadicalsIndexPage(RealTables());
  SearchOutcome outcome = Search(kCases[n].kind, kCases[n].key);
  return outcome.page + "\n" + outcome.statusText;
}

TEST(PagesAcrossBuilds, SameBytes) {
  for (std::size_t n = 0; n <= std::size(kCases); ++n) {
    std::string page = PageOf(n);
#ifdef _WIN32
    std::ifstream in(SnapshotPath(n), std::ios::binary);
    ASSERT_TRUE(in) << SnapshotPath(n) << " is missing: the native tests write it";
    std::ostringstream native;
    native << in.rdbuf();
    EXPECT_EQ(page, native.str()) << "case " << n;
#else
    std::filesystem::create_directories(TestDataDir() + "/page-snapshots");
    ASSERT_TRUE(WriteResultPage(SnapshotPath(n), page));
#endif
  }
}

}  // namespace
