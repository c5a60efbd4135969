// The searches whose pages both builds must write byte for byte alike: the
// native build writes them as a build step (page_snapshots), the Windows
// test run under Wine compares its own pages with them.
#pragma once

#include <iterator>
#include <string>

#include "search/radicals_page.h"
#include "tests/search/search_test_support.h"

struct PageCase {
  SearchKind kind;
  const char* key;
};

inline const PageCase kPageCases[] = {
    {kPinyinSearch, "MA"},        {kPinyinSearch, "L?"},           {kPinyinSearch, "YI"},
    {kUnicodeSearch, "4e00"},     {kUnicodeSearch, "53F0"},        {kUnicodeSearch, "E000"},
    {kMatthewsSearch, "4473"},    {kMatthewsSearch, "7774"},       {kRadicalStrokeSearch, "140.8"},
    {kRadicalStrokeSearch, "1.4"}, {kDefinitionSearch, "water"},   {kDefinitionSearch, "of"},
    {kStrokeNumberSearch, "1"},   {kStrokeNumberSearch, "12"},     {kStrokeNumberSearch, "49"},
};

// The cases' pages and the radicals index after them.
constexpr std::size_t kSnapshotPages = std::size(kPageCases) + 1;

inline std::string SnapshotName(std::size_t n) { return "page" + std::to_string(n) + ".htm"; }

// Page n with its status text after it, so that both are compared.
inline std::string SnapshotPage(std::size_t n) {
  if (n == std::size(kPageCases)) return RadicalsIndexPage(RealTables());
  SearchOutcome outcome = Search(kPageCases[n].kind, kPageCases[n].key);
  return outcome.page + "\n" + outcome.statusText;
}
