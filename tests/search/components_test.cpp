// The components search over the generated data: the finder against the
// plain scan and the figures of tests/data/component_figures.py, repeated
// components, bad keys, the palette's narrowing links.
#include <gtest/gtest.h>

#include "search/components_page.h"

#include "tests/search/search_test_support.h"

namespace {

const ComponentIndex& Index() {
  static ComponentIndex* index = [] {
    auto* built = new ComponentIndex;
    CommonOrder byCodePoint{[](std::uint32_t cp) { return std::uint64_t{cp}; }, [](std::uint32_t) { return 9u; }};
    if (!BuildComponentIndex(RealTables().components, RealTables(), byCodePoint, *built) ||
        built->characters.empty())
      ADD_FAILURE() << "the component index was not built";
    return built;
  }();
  return *index;
}

std::vector<std::uint32_t> Found(const std::string& key) {
  const ComponentIndex& index = Index();
  std::vector<std::uint32_t> found;
  for (std::uint32_t position : FindComponentCharacters(index, ReadComponentKey(index, key)))
    found.push_back(index.characters[position]);
  std::sort(found.begin(), found.end());
  return found;
}

bool Holds(const std::vector<std::uint32_t>& found, std::uint32_t cp) {
  return std::find(found.begin(), found.end(), cp) != found.end();
}

std::string Page(const std::string& key) { return Search(kComponentsSearch, key).page; }

// The keys of the program links the page carries.
std::vector<std::string> ComponentLinkKeys(const std::string& page) {
  std::vector<std::string> keys;
  const std::string opening = "<A href=\"logodex:components/";
  for (std::size_t at = page.find(opening); at != std::string::npos; at = page.find(opening, at + 1)) {
    std::size_t start = at + opening.size();
    keys.push_back(page.substr(start, page.find('"', start) - start));
  }
  return keys;
}

TEST(Components, KeysFindWhatTheSourcesSay) {
  // Counts: python3 tests/data/component_figures.py 目隹灬 木目 氵每 水每 日月 口口口 女子 口 木 氵 亻
  const struct {
    const char* key;
    std::size_t count;
    std::uint32_t holds;
  } cases[] = {
      {"目隹灬", 10, 0x77A7}, {"木目", 537, 0x76F8}, {"氵每", 15, 0x6D77},   {"水每", 15, 0x6D77},
      {"日月", 333, 0x660E},  {"口口口", 1379, 0x5668}, {"女子", 31, 0x597D}, {"口", 33322, 0x53EB},
      {"木", 9875, 0x76F8},   {"氵", 4710, 0x6D77},   {"亻", 17659, 0x4F60},
  };
  for (const auto& c : cases) {
    std::vector<std::uint32_t> found = Found(c.key);
    EXPECT_EQ(found.size(), c.count) << c.key;
    EXPECT_TRUE(Holds(found, c.holds)) << c.key;
    EXPECT_EQ(found, ScanComponentCharacters(RealTables().components.characters, ReadComponentKey(Index(), c.key)))
        << c.key;
  }
  // A component asked for three times wants three: 叫 has one 口.
  EXPECT_TRUE(Holds(Found("口"), 0x53EB));
  EXPECT_FALSE(Holds(Found("口口口"), 0x53EB));
  EXPECT_TRUE(Holds(Found("口口口"), 0x54C1));
}

TEST(Components, BadKeysGetTheirAnswer) {
  const std::string nineteen = [] {
    std::string key;
    for (int i = 0; i < 19; ++i) key += "口";
    return key;
  }();
  const struct {
    std::string key;
    ComponentKeyProblem problem;
    const char* pageHolds;
  } cases[] = {
      {"A", ComponentKeyProblem::kNotComponent, "&#x0041; is not an ideograph"},
      {"\xF0\x9F\x98\x80", ComponentKeyProblem::kNotComponent, "&#x1F600; is not"},
      {"<b>", ComponentKeyProblem::kNotComponent, "&#x003C; &#x0062; &#x003E; are not"},
      {"\xED\xA0\x80", ComponentKeyProblem::kNotUtf8, "not UTF-8"},
      {"\xE6\x97", ComponentKeyProblem::kNotUtf8, "not UTF-8"},
      {nineteen, ComponentKeyProblem::kNone, "No result"},
      {nineteen + "口", ComponentKeyProblem::kTooMany, "Up to 19"},
      {"𠀀𠀀𠀀𠀀𠀀𠀀𠀀𠀀𠀀𠀀", ComponentKeyProblem::kTooMany, "Up to 19"},
      {" 口\t　口 ", ComponentKeyProblem::kNone, "have them all"},
      {"", ComponentKeyProblem::kNone, "Click the parts"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadComponentKey(Index(), c.key).problem, c.problem) << c.key;
    std::string page = Page(c.key);
    EXPECT_NE(page.find(c.pageHolds), std::string::npos) << c.key;
    EXPECT_EQ(page.find("<b>"), std::string::npos) << c.key;
  }
  // Without the component files the page says so.
  CharacterTables bare;
  SearchMemory memory;
  std::string key = "口";
  EXPECT_NE(RunSearch(bare, kComponentsSearch, key, memory).page.find("component files are missing"),
            std::string::npos);
  // Letters among components are named, never offered as chosen: the
  // components alone are, and a link searches for them alone.
  std::string mixed = Page("ab口a");
  EXPECT_NE(mixed.find("No result: &#x0061; &#x0062; are not"), std::string::npos);
  EXPECT_EQ(mixed.find("&#x0061;</A>"), std::string::npos);
  std::vector<std::string> mixedLinks = ComponentLinkKeys(mixed);
  ASSERT_GE(mixedLinks.size(), 2u);
  EXPECT_EQ(mixedLinks[0], "口");  // alone
  EXPECT_EQ(mixedLinks[1], "");    // 口 taken away
  EXPECT_NE(mixed.find("Search for &#x53E3; alone"), std::string::npos);
  // What no character has still lets each chosen component be taken away.
  std::vector<std::string> links = ComponentLinkKeys(Page(nineteen));
  ASSERT_GE(links.size(), 19u);
  EXPECT_EQ(links[0], nineteen.substr(3));
}

// Every click is one page: a chosen component's link takes it away, a
// linked palette form keeps some found characters but not all, a grey one
// would keep all or none.
TEST(Components, PaletteLinksNarrowTheAnswer) {
  std::vector<std::string> palette = ComponentLinkKeys(Page(""));
  EXPECT_GE(palette.size(), 200u);
  EXPECT_LE(palette.size(), 300u);
  const std::string key = "目隹";
  std::size_t before = Found(key).size();
  std::vector<std::string> links = ComponentLinkKeys(Page(key));
  ASSERT_GE(links.size(), 2u);
  EXPECT_EQ(links[0], "隹");
  EXPECT_EQ(links[1], "目");
  std::size_t narrowing = 0;
  for (std::size_t i = 2; i < links.size(); ++i) {
    ASSERT_EQ(links[i].compare(0, key.size(), key), 0) << links[i];
    std::size_t after = Found(links[i]).size();
    EXPECT_GT(after, 0u) << links[i];
    EXPECT_LT(after, before) << links[i];
    ++narrowing;
  }
  EXPECT_GT(narrowing, 0u);
  EXPECT_LT(narrowing, palette.size());
  // A large answer is asked per palette component: the same as the count.
  for (const char* large : {"口", "氵", "一丨", "口木"}) {
    ComponentQuery query = ReadComponentKey(Index(), large);
    std::vector<std::uint32_t> found = FindComponentCharacters(Index(), query);
    EXPECT_GT(found.size(), 2000u) << large;
    EXPECT_EQ(PaletteNarrowing(Index(), query, found), PaletteNarrowingByCount(Index(), query, found)) << large;
  }
}

}  // namespace
