// The generator's conversions of single Unihan values.
#include <gtest/gtest.h>

#include <string>

#include "tools/datagen/data_forms.h"
#include "tools/datagen/preface_writer.h"
#include "tools/datagen/unihan_source.h"

namespace {

struct FormCase {
  const char* source;
  const char* expected;  // nullptr: the value must be refused
};

std::string Pinyin(const std::string& value, bool& ok) {
  std::string form, error;
  ok = PinyinForm(value, form, error);
  return form;
}

TEST(DataForms, PinyinTonesBecomeDigitsAndUmlautAReference) {
  const FormCase cases[] = {
      {"qiū", "QIU1"},         {"lǘ", "L&#xdc;2"},   {"bo bǔ", "BO5 BU3"},
      {"ň", "N3"},             {"ḿ", "M2"},          {"ǹ", "N4"},
      {"lǜ lǚ", "L&#xdc;4 L&#xdc;3"}, {"nü", "N&#xdc;5"}, {"tiàn", "TIAN4"},
      {"hǎo", "HAO3"},         {"xué", "XUE2"},      {"ē", "E1"},
      {"lu\xcc\x88\xcc\x81", "L&#xdc;2"},  // u, combining diaeresis, combining acute
      {"ma\xcc\x84", "MA1"},   // decomposed macron
      {"", nullptr},           {"hǎǒ", nullptr},     {"ça", nullptr},
      {"ma\xff", nullptr},     {"\xcc\x84", nullptr},
      {"\xc3\xaa\xcc\x8c", "E3"},   // ê, combining caron
      {"\xe1\xba\xbf \xc3\xaa", "E2 E5"},  // ế ê
  };
  for (const FormCase& c : cases) {
    bool ok = false;
    std::string form = Pinyin(c.source, ok);
    if (c.expected) {
      EXPECT_TRUE(ok) << c.source;
      EXPECT_EQ(form, c.expected) << c.source;
    } else {
      EXPECT_FALSE(ok) << c.source;
    }
  }
}

// Every reading of the five fields, in field order, each once: the value
// of U+6B38 in each field as the source gives it.
TEST(DataForms, ReadingsAreGatheredFromEveryPinyinFieldEachOnce) {
  const char* const values[5] = {
      "āi",
      "002.070:ǎi 088.010:ê̄ 088.020:ế",
      "0003.060:āi 0285.050:ēi",
      "āi(12) ǎi(3)",
      "32140.110:āi,xiè,ê 1.1:ề",
  };
  std::vector<std::string> readings;
  std::string error;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(AddPinyinReadings(kPinyinFields[i], values[i], readings, error)) << error;
  const std::vector<std::string> expected = {"AI1", "AI3", "E1", "E2", "EI1", "XIE4", "E5", "E4"};
  EXPECT_EQ(readings, expected);
  EXPECT_STREQ(kPinyinFields[0], "kMandarin");
  EXPECT_STREQ(kPinyinFields[4], "kHanyuPinyin");

  const char* const refused[][2] = {
      {"kTGHZ2013", "038.110"},  {"kXHC1983", "0121.040 1456.020:zhǎng"},
      {"kHanyuPinyin", "10.1:"}, {"kHanyuPinyin", "10.1:a,,b"},
      {"kHanyuPinlu", "(12)"},   {"kMandarin", "ça"},
  };
  for (const auto& c : refused) {
    std::vector<std::string> some;
    EXPECT_FALSE(AddPinyinReadings(c[0], c[1], some, error)) << c[0] << " " << c[1];
  }
}

TEST(DataForms, DefinitionsBecomePureAscii) {
  const FormCase cases[] = {
      {"one; a, an; alone", "one; a, an; alone"},
      {"(same as U+4E18 丘) hillock", "(same as U+4E18 &#x4e18;) hillock"},
      {"a place in Héběi", "a place in H&#xe9;b&#x11b;i"},
      {"𠀀 beyond the BMP", "&#x20000; beyond the BMP"},
      {"bad \xc3", nullptr},
      {"overlong \xc0\xaf", nullptr},
      {"surrogate \xed\xa0\x80", nullptr},
  };
  for (const FormCase& c : cases) {
    std::string form, error;
    bool ok = DefinitionForm(c.source, form, error);
    EXPECT_EQ(ok, c.expected != nullptr) << c.source;
    if (ok) {
      EXPECT_EQ(form, c.expected);
    }
  }
}

TEST(DataForms, MatthewsNumbersArePaddedToFourBeforeTheSuffix) {
  const FormCase cases[] = {
      {"3016", "M+3016"},   {"300", "M+300p"},     {"90", "M+90pp"},
      {"3", "M+3ppp"},      {"4473a", "M+4473a"},  {"994a", "M+994pa"},
      {"5047.5", "M+5047.5"}, {"a12", nullptr},    {"12345", nullptr}, {"", nullptr},
  };
  for (const FormCase& c : cases) {
    std::string form, error;
    bool ok = MatthewsForm(c.source, form, error);
    EXPECT_EQ(ok, c.expected != nullptr) << c.source;
    if (ok) {
      EXPECT_EQ(form, c.expected);
    }
  }
}

TEST(DataForms, RadicalStrokeAndStrokeCountsKeepTheFirstValue) {
  std::string form, error;
  EXPECT_TRUE(RadicalStrokeForm("120'.10", form, error));
  EXPECT_EQ(form, "120'.10");
  EXPECT_TRUE(RadicalStrokeForm("1.2 1.3", form, error));
  EXPECT_EQ(form, "1.2");
  EXPECT_TRUE(RadicalStrokeForm("47.-1", form, error));
  EXPECT_FALSE(RadicalStrokeForm("47", form, error));
  EXPECT_FALSE(RadicalStrokeForm(".5", form, error));

  int strokes = 0;
  EXPECT_TRUE(TotalStrokesForm("8 9", strokes, error));
  EXPECT_EQ(strokes, 8);
  EXPECT_FALSE(TotalStrokesForm("x", strokes, error));
  EXPECT_FALSE(TotalStrokesForm("", strokes, error));
}

TEST(DataForms, VariantListsAscendByNumber) {
  std::string form, error;
  EXPECT_TRUE(VariantForm("U+9EBD U+4E48 U+5E7A U+9EBC", form, error));
  EXPECT_EQ(form, "4E48 5E7A 9EBC 9EBD");
  EXPECT_TRUE(VariantForm("U+21484 U+58C8", form, error));
  EXPECT_EQ(form, "58C8 21484");  // by number, not by text
  EXPECT_FALSE(VariantForm("U+58C8 4E00", form, error));
  EXPECT_FALSE(VariantForm("", form, error));
}

TEST(DataForms, TheRepertoireIsEveryCodePointWithARadicalStrokeValue) {
  UnihanRecords records;
  std::string error;
  ASSERT_TRUE(AddUnihanLines("# comment\n"
                             "U+9FA6\tkRSUnicode\t140.8\n"
                             "U+30000\tkRSUnicode\t1.1\r\n"
                             "U+30000\tkTotalStrokes\t2\n"
                             "U+2F00\tkDefinition\tradical one\n"
                             "U+FA2E\tkDefinition\tno radical-stroke value\n",
                             records, error))
      << error;
  KeepRepertoire(records);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records.begin()->first, 0x9FA6u);
  EXPECT_EQ(records.rbegin()->second.size(), 2u);
  EXPECT_FALSE(AddUnihanLines("U+4E00\tkMandarin\n", records, error));
  EXPECT_FALSE(AddUnihanLines("4E00\tkMandarin\tyi\n", records, error));

  EXPECT_EQ(CodePointTextOf(0x4E00), "4E00");
  EXPECT_EQ(CodePointTextOf(0x2A3D9), "2A3D9");
  std::uint32_t cp = 0;
  EXPECT_TRUE(ParseUnihanCode("U+2A3D9", cp));
  EXPECT_EQ(cp, 0x2A3D9u);
  EXPECT_FALSE(ParseUnihanCode("U+4e00", cp));
  EXPECT_FALSE(ParseUnihanCode("4E00", cp));
  EXPECT_FALSE(ParseUnihanCode("U+", cp));
}

TEST(PrefaceWriter, RtfEscapesMarkupAndWritesUnicodeEscapes) {
  std::string rtf, error;
  ASSERT_TRUE(PrefaceRtf("Title\n=====\n\nA {brace} \\ and \xc2\xa9 and \xf0\xa0\x80\x80.\n", rtf, error));
  EXPECT_EQ(rtf.find("{\\rtf1\\ansi\\ansicpg1252\\deff"), 0u);
  EXPECT_NE(rtf.find("{\\b\\fs28 Title}"), std::string::npos);
  EXPECT_NE(rtf.find("A \\{brace\\} \\\\ and \\u169? and \\u-10176?\\u-9216?."), std::string::npos);
  EXPECT_EQ(rtf.find("====="), std::string::npos);
  EXPECT_EQ(rtf.back(), '}');
  EXPECT_FALSE(PrefaceRtf("bad \xff", rtf, error));
}

TEST(PrefaceWriter, PlainTextAndCommentHeaderKeepEveryLine) {
  const std::string source = "Title\n=====\n\nText line\n";
  EXPECT_EQ(PrefacePlainText(source), "Title\r\n=====\r\n\r\nText line\r\n");
  EXPECT_EQ(PrefaceCommentHeader(source), "# Title\n# =====\n#\n# Text line\n");
}

}  // namespace
