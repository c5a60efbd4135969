// Loading of the character tables: the embedded texts, the stroke table's
// piece rule and growth, the Unihan text, the data folder.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <string_view>

#include "chardb/character_tables.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

struct Expected {
  std::int32_t strokes;
  const char* code;
};

void ExpectRecords(const CharacterTables& tables, std::initializer_list<Expected> expected) {
  ASSERT_GE(tables.strokes.size(), expected.size());
  std::size_t i = 0;
  for (const Expected& record : expected) {
    EXPECT_EQ(tables.strokes[i].strokes, record.strokes) << "record " << i;
    EXPECT_STREQ(tables.strokes[i].code, record.code) << "record " << i;
    ++i;
  }
  EXPECT_EQ(tables.strokePieces, expected.size());
  // Every record after the last piece is zero.
  for (std::size_t j = i; j < tables.strokes.size(); ++j) {
    ASSERT_EQ(tables.strokes[j].strokes, 0) << "record " << j;
    ASSERT_EQ(tables.strokes[j].code[0], '\0') << "record " << j;
  }
}

CharacterTables StrokesFrom(const std::string& file) {
  CharacterTables tables;
  LoadStrokeTable(file, tables);
  return tables;
}

TEST(ResourceTextLoading, LastByteBecomesNulSoTheLastLineEndsInCr) {
  std::string resource = "U+3400\tkMandarin\tQIU1\r\n";
  ResourceText text = TextOf(resource);
  EXPECT_EQ(text.size(), resource.size());
  EXPECT_STREQ(text.text(), "U+3400\tkMandarin\tQIU1\r");
}

TEST(ResourceTextLoading, AnEmptyResourceIsAnEmptyText) {
  ResourceText text = TextOf("");
  ASSERT_NE(text.text(), nullptr);
  EXPECT_STREQ(text.text(), "");
  EXPECT_EQ(text.size(), 1u);
}

TEST(ResourceTextLoading, TheTextIsWritable) {
  ResourceText text = TextOf("ab\n");
  text.text()[0] = 'A';
  EXPECT_STREQ(text.text(), "Ab");
}

TEST(StrokeTableLoading, LinesWithCrLfOrLfBecomeRecordsInOrder) {
  ExpectRecords(StrokesFrom("1\t4E00\r\n2\t4E8C\n17\t2A3D9\r\n"),
                {{1, "4E00"}, {2, "4E8C"}, {17, "2A3D9"}});
}

TEST(StrokeTableLoading, AMissingOrEmptyFileLeavesOneZeroRecord) {
  CharacterTables tables = StrokesFrom("");
  EXPECT_EQ(tables.strokes.size(), 1u);
  ExpectRecords(tables, {});
}

TEST(StrokeTableLoading, NoFinalLineEndStillGivesTheLastRecord) {
  ExpectRecords(StrokesFrom("1\t4E00\n5\t4E01"), {{1, "4E00"}, {5, "4E01"}});
}

TEST(StrokeTableLoading, TruncatedLinesKeepWhatParses) {
  ExpectRecords(StrokesFrom("1\t4E00\n2\t4E"), {{1, "4E00"}, {2, "4E"}});
  ExpectRecords(StrokesFrom("1\t4E00\n2"), {{1, "4E00"}, {2, ""}});
  ExpectRecords(StrokesFrom("1\t4E00\r"), {{1, "4E00"}});
}

TEST(StrokeTableLoading, APieceThatDoesNotParseStillTakesItsRecord) {
  ExpectRecords(StrokesFrom("\n"
                            "x\t4E00\n"
                            "  7 \t 4E01 \n"
                            "-3\t4E02\n"
                            "+4\t4E03\n"
                            "\t\n"
                            "8\n"
                            "9\t4E04 extra\n"),
                {{0, ""}, {0, ""}, {7, "4E01"}, {-3, "4E02"}, {4, "4E03"}, {0, ""}, {8, ""}, {9, "4E04"}});
}

TEST(StrokeTableLoading, CountsBeyond32BitsAreHeldAtTheLimits) {
  ExpectRecords(StrokesFrom("99999999999\t4E00\n-99999999999\t4E01\n"),
                {{INT_MAX, "4E00"}, {INT_MIN, "4E01"}});
}

TEST(StrokeTableLoading, ALineOfFortyCharactersArrivesInPiecesOfNineteen) {
  // 19 + 19 + 2 characters: "3\t4E00" and 13 blanks, "5\t4E01" and 13
  // blanks, "9\t".
  std::string line = std::string("3\t4E00") + std::string(13, ' ') + "5\t4E01" +
                     std::string(13, ' ') + "9\t";
  ASSERT_EQ(line.size(), 40u);
  ExpectRecords(StrokesFrom(line + "\r\n1\t4E02\r\n"), {{3, "4E00"}, {5, "4E01"}, {9, ""}, {1, "4E02"}});
}

TEST(StrokeTableLoading, APieceEndsAfterItsLineEndNotBefore) {
  // 19 characters and the LF: the LF is the next piece, an empty one.
  std::string line = "12\t" + std::string(16, 'A');
  ExpectRecords(StrokesFrom(line + "\n2\t4E00\n"), {{12, "AAAAAAAAAAA"}, {0, ""}, {2, "4E00"}});
  // 18 characters and the LF: one piece.
  ExpectRecords(StrokesFrom("12\t" + std::string(15, 'B') + "\n2\t4E00\n"),
                {{12, "BBBBBBBBBBB"}, {2, "4E00"}});
  // CR LF is one character: 18 and CR LF are one piece, 19 and CR LF two,
  // and a CR alone is a character of its own.
  ExpectRecords(StrokesFrom("12\t" + std::string(15, 'C') + "\r\n2\t4E00\r\n"),
                {{12, "CCCCCCCCCCC"}, {2, "4E00"}});
  ExpectRecords(StrokesFrom(line + "\r\n2\t4E00\r\n"), {{12, "AAAAAAAAAAA"}, {0, ""}, {2, "4E00"}});
  ExpectRecords(StrokesFrom("12\t" + std::string(14, 'D') + "\r\r\n2\t4E00\n"),
                {{12, "DDDDDDDDDDD"}, {2, "4E00"}});
  ExpectRecords(StrokesFrom("12\t" + std::string(15, 'E') + "\r\r\n2\t4E00\n"),
                {{12, "EEEEEEEEEEE"}, {0, ""}, {2, "4E00"}});
}

TEST(StrokeTableLoading, ACodeLongerThanElevenCharactersIsCutToItsField) {
  CharacterTables tables = StrokesFrom("1\t0123456789ABCDEF\n");
  ExpectRecords(tables, {{1, "0123456789A"}});
  EXPECT_EQ(std::strlen(tables.strokes[0].code), kStrokeCodeWidth - 1);
}

TEST(StrokeTableLoading, MoreThanEightyThousandLinesGrowTheTable) {
  const std::size_t lines = 85000;
  std::string file;
  for (std::size_t i = 0; i < lines; ++i) file += std::to_string(i % 64 + 1) + "\t" + std::to_string(10000 + i) + "\r\n";
  CharacterTables tables = StrokesFrom(file);
  ASSERT_EQ(tables.strokePieces, lines);
  ASSERT_EQ(tables.strokes.size(), lines + 1);
  EXPECT_EQ(tables.strokes[lines - 1].strokes, static_cast<std::int32_t>((lines - 1) % 64 + 1));
  EXPECT_STREQ(tables.strokes[lines - 1].code, "94999");
  EXPECT_EQ(tables.strokes[lines].strokes, 0);
  EXPECT_STREQ(tables.strokes[lines].code, "");
}

TEST(StrokeTableLoading, ExactlyEightyThousandLinesStillEndInAZeroRecord) {
  std::string file;
  const std::size_t lines = 80000;
  for (std::size_t i = 0; i < lines; ++i) file += "1\t4E00\n";
  CharacterTables tables = StrokesFrom(file);
  ASSERT_EQ(tables.strokes.size(), lines + 1);
  EXPECT_EQ(tables.strokes.back().strokes, 0);
}

TEST(StrokeTableLoading, TheGeneratedFile) {
  const CharacterTables& tables = RealTables();
  // tests/data/unihan_figures.py: 98,060 kTotalStrokes values, the least
  // "1" of U+4E00, the greatest "84" of U+3106C.
  ASSERT_EQ(tables.strokePieces, 98060u);
  ASSERT_EQ(tables.strokes.size(), 98061u);
  EXPECT_EQ(tables.strokes[0].strokes, 1);
  EXPECT_STREQ(tables.strokes[0].code, "4E00");
  EXPECT_EQ(tables.strokes[98059].strokes, 84);
  EXPECT_STREQ(tables.strokes[98059].code, "3106C");
  EXPECT_EQ(tables.strokes[98060].strokes, 0);
  EXPECT_STREQ(tables.strokes[98060].code, "");
}

TEST(HexRunSets, HoldExactlyTheValuesAddedInBlocksWhereTheyOccur) {
  HexRunSet set;
  const std::uint32_t added[] = {0x0FFF, 0x1000, 0x2A3D9, 0xFFFFF, 0x4E00};
  for (std::uint32_t value : added) AddHexRun(set, value);
  for (std::uint32_t value : added) EXPECT_TRUE(HasHexRun(set, value)) << std::hex << value;
  for (std::uint32_t value : {0u, 0x0FFEu, 0x1001u, 0x2A3D8u, 0x2A3DAu, 0x3A3D9u, 0xFFFFEu, 0x4E40u, 0x100000u})
    EXPECT_FALSE(HasHexRun(set, value)) << std::hex << value;
  // The five values lie in five blocks of 4,096: the set holds those only.
  EXPECT_EQ(set.words.size(), 5u * kHexRunBlockValues / 64);
}

TEST(UnihanTextLoading, TheBufferIsTheFileAndOneNul) {
  CharacterTables tables;
  std::string file = "U+4E00\tkBigFive\tA440\r\nU+4E01\tkBigFive\tA442";
  LoadUnihanText(file, tables);
  ASSERT_EQ(tables.unihan.size(), file.size() + 1);
  EXPECT_EQ(std::string(tables.unihan.data()), file);
  ClearUnihanText(tables);
  EXPECT_TRUE(tables.unihan.empty());
  LoadUnihanText("", tables);
  ASSERT_EQ(tables.unihan.size(), 1u);
  EXPECT_EQ(tables.unihan[0], '\0');
}

TEST(UnihanTextLoading, TheGeneratedFileOfMoreThanThirtyMillionBytes) {
  // tests/data/unihan_figures.py: the lines of the repertoire take
  // 38,158,691 bytes; the preface's comment lines before them change with
  // the preface.
  const CharacterTables& tables = RealTables();
  std::string_view text(tables.unihan.data());
  std::size_t header = text.find("\nU+") + 1;
  ASSERT_GT(header, 1u);
  EXPECT_EQ(text.size() - header, 38158691u);
  EXPECT_EQ(tables.unihan.size(), text.size() + 1);
  EXPECT_EQ(tables.unihan.back(), '\0');
}

TEST(DataFolderLoading, TheGeneratedTextsKeepTheirSizes) {
  // tests/data/unihan_figures.py, "extract bytes".
  const CharacterTables& tables = RealTables();
  EXPECT_EQ(tables.pinyin.size(), 1030889u);
  EXPECT_EQ(tables.definition.size(), 1276981u);
  EXPECT_EQ(tables.radicalStroke.size(), 2516656u);
  EXPECT_EQ(tables.matthews.size(), 225204u);
  // The preface is our own document and changes with it: its file's size.
  EXPECT_EQ(tables.preface.size(), ReadDataFile("UnihanPrefaceRtfData").size());
  EXPECT_EQ(tables.preface.text()[tables.preface.size() - 1], '\0');
  EXPECT_TRUE(tables.pinyinIndex.built);
  EXPECT_TRUE(tables.simplifiedIndex.built);
}

TEST(DataFolderLoading, SmallFilesLoadAndAMissingFileIsNamed) {
  struct File {
    const char* name;
    const char* bytes;
  } files[] = {{kPinyinDataName, "U+4E00\tkMandarin\tYI1\r\n"},
               {kDefinitionDataName, "U+4E00\tkDefinition\tone\r\n"},
               {kRadicalStrokeDataName, "U+4E00\tkRSUnicode\t1.0\r\n"},
               {kMatthewsDataName, "U+4E00\tkMatthews\tM+3016\r\n"},
               {kPrefaceDataName, "{\\rtf1 x}"},
               {kStrokeFileName, "1\t4E00\r\n"},
               {kUnihanFileName, "U+4E00\tkBigFive\tA440\n"}};
  for (const File& missing : files) {
    // A folder holding all the files but this one.
    std::string folder = MakeTempFolder("chardb_loading");
    SCOPED_TRACE(missing.name);
    for (const File& file : files) {
      if (&file != &missing) WriteFileAt(folder + file.name, file.bytes);
    }
    CharacterTables tables;
    std::string error;
    EXPECT_FALSE(LoadCharacterTables(folder, tables, error));
    EXPECT_NE(error.find(missing.name), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    std::filesystem::remove_all(folder);
  }
  std::string folder = MakeTempFolder("chardb_loading");
  for (const File& file : files) WriteFileAt(folder + file.name, file.bytes);
  CharacterTables tables;
  std::string error;
  ASSERT_TRUE(LoadCharacterTables(folder, tables, error)) << error;
  EXPECT_STREQ(tables.pinyin.text(), "U+4E00\tkMandarin\tYI1\r");
  EXPECT_STREQ(tables.preface.text(), "{\\rtf1 x");
  EXPECT_EQ(tables.strokePieces, 1u);
  EXPECT_EQ(tables.unihan.size(), std::strlen("U+4E00\tkBigFive\tA440\n") + 1);
  EXPECT_TRUE(tables.definitionIndex.built);
  // The component files are kept all four or none.
  EXPECT_TRUE(tables.components.index.empty());
  WriteFileAt(folder + kComponentFileNames[0], "\xE6\x98\x8E\t\xE6\x97\xA5\t\xE6\x97\xA5" "1\n");
  WriteFileAt(folder + kComponentFileNames[1], "\xE6\x97\xA5\t\xE6\x98\x8E\n");
  WriteFileAt(folder + kComponentFileNames[2], "4\t\xE6\x97\xA5\n");
  CharacterTables three;
  ASSERT_TRUE(LoadCharacterTables(folder, three, error)) << error;
  EXPECT_TRUE(three.components.characters.empty() && three.components.palette.empty());
  WriteFileAt(folder + kComponentFileNames[3], "\xE2\xBD\x87\t\xE6\x97\xA5\n");
  CharacterTables four;
  ASSERT_TRUE(LoadCharacterTables(folder, four, error)) << error;
  EXPECT_EQ(four.components.palette, "4\t\xE6\x97\xA5\n");
  std::filesystem::remove_all(folder);
}

TEST(DataFolderLoading, ReadFileBytesReadsBinaryAndFailsOnAMissingFile) {
  std::string bytes = std::string("a\r\nb\x1A" "c\0d", 8);
  std::string path = WriteTempFile("read_bytes_test", bytes);
  std::string read;
  ASSERT_TRUE(ReadFileBytes(path, read));
  EXPECT_EQ(read, bytes);
  std::remove(path.c_str());
  EXPECT_FALSE(ReadFileBytes(path, read));
  EXPECT_TRUE(read.empty());
}

}  // namespace

namespace {

// A file of exactly the limit is read; one byte more is refused and leaves
// nothing behind; a folder is not a file.
TEST(DataFolderLoading, ReadDataFileHoldsToItsLimitAndToRegularFiles) {
  std::string bytes = "U+20000\tkMandarin\tHE1\r\n";
  std::string path = WriteTempFile("read_limit_test", bytes);
  std::string read = "stale";
  EXPECT_EQ(ReadDataFile(path, bytes.size(), read), DataFileRead::kRead);
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(ReadDataFile(path, bytes.size() - 1, read), DataFileRead::kTooLarge);
  EXPECT_TRUE(read.empty());
  EXPECT_EQ(DataFileProblem(DataFileRead::kTooLarge, 23), "too large (more than 23 bytes)");
  std::remove(path.c_str());
  EXPECT_EQ(ReadDataFile(path, 100, read), DataFileRead::kMissing);
  std::string folder = MakeTempFolder("read_limit_folder");
  EXPECT_EQ(ReadDataFile(folder, 100, read), DataFileRead::kNotAFile);
  std::filesystem::remove_all(folder);
}

}  // namespace
