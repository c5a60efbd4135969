// logodex-cli's subcommands called in-process over the generated tables:
// lookup and insert for every code point of the stroke file, unihan for a
// sample of them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "chardb/chardb_texts.h"
#include "chardb/insertion_texts.h"
#include "chardb/lookups.h"
#include "tests/chardb/chardb_test_support.h"
#include "tools/cli/cli_commands.h"

namespace {

struct Output {
  int exitCode;
  std::string out, err;
};

Output Call(CliCommandFunction command, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliContext context{RealTables(), out, err, TestDataDir()};
  int exitCode = command(context, args);
  return {exitCode, out.str(), err.str()};
}

TEST(CliCommands, LookupAndInsertAnswerForEveryCodePoint) {
  const CharacterTables& tables = RealTables();
  // tests/data/unihan_figures.py: 98,060 code points, each with one
  // kRSUnicode and one kTotalStrokes value.
  ASSERT_EQ(tables.strokePieces, 98060u);
  for (std::size_t i = 0; i < tables.strokePieces; ++i) {
    const std::string code = tables.strokes[i].code;
    Output lookup = Call(RunLookupCommand, {code});
    ASSERT_EQ(lookup.exitCode, kCliAnswered) << code;
    std::string text = code;
    std::string pinyin = LookupPinyin(tables, text);
    std::string radicalStroke = LookupRadicalStroke(tables, text);
    // The stroke file and the radical-stroke extract hold the same
    // characters (both 98,060 lines of one set).
    ASSERT_NE(radicalStroke, kNotAvailable) << code;
    std::string expected = "Pinyin: " + pinyin + "\nDefinition: " + LookupDefinition(tables, text) +
                           "\nRadical.Stroke: " + radicalStroke + "\nMatthews: " +
                           LookupMatthews(tables, text) + "\nSimplified: " + LookupSimplified(tables, text) +
                           "\nTraditional: " + LookupTraditional(tables, text) + "\n";
    ASSERT_EQ(lookup.out, expected) << code;
    Output insert = Call(RunInsertCommand, {"insert" + code});
    ASSERT_EQ(insert.exitCode, kCliAnswered) << code;
    InsertionTexts texts;
    ASSERT_TRUE(ComposeInsertionTexts(tables, "insert" + code, texts));
    ASSERT_EQ(insert.out, texts.information + "\nClipboard:\n &#x" + code + ";\n") << code;
  }
}

TEST(CliCommands, UnihanFindsASampleOfCodePoints) {
  const CharacterTables& tables = RealTables();
  for (std::size_t i = 0; i < tables.strokePieces; i += 997) {
    const std::string code = tables.strokes[i].code;
    Output unihan = Call(RunUnihanCommand, {code});
    ASSERT_EQ(unihan.exitCode, kCliAnswered) << code;
    // Every character of the repertoire has lines of its own in unihan.txt.
    EXPECT_EQ(unihan.out.substr(0, unihan.out.find('\n')), "Unihan: " + code);
    EXPECT_NE(unihan.out.find("\nU+" + code + "\t"), std::string::npos) << code;
  }
}

TEST(CliCommands, WrongWordCountsAreBadUsage) {
  for (CliCommandFunction command : {RunLookupCommand, RunInsertCommand, RunUnihanCommand}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"4E00", "4E01"}}) {
      Output output = Call(command, args);
      EXPECT_EQ(output.exitCode, kCliBadUsage);
      EXPECT_TRUE(output.out.empty());
      EXPECT_EQ(output.err.find('\n'), output.err.size() - 1) << output.err;
    }
  }
}

}  // namespace
