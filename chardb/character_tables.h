// The character tables: the four embedded extracts and the preface, the
// stroke table and the Unihan text, as the program holds them in memory,
// and their loading from bytes or from files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chardb/common_ranking.h"
#include "chardb/component_data.h"
#include "chardb/reading_tables.h"
#include "chardb/variant_tables.h"

// One embedded text: the resource's bytes in writable memory, size() equal
// to the resource's size, the last byte replaced by NUL. An empty resource
// is held as one NUL byte, so text() is always a NUL-terminated text.
struct ResourceText {
  std::vector<char> bytes;
  char* text() { return bytes.data(); }
  const char* text() const { return bytes.data(); }
  std::size_t size() const { return bytes.size(); }
};

constexpr std::size_t kStrokeCodeWidth = 12;
// One read of the stroke file takes at most this many bytes less one.
constexpr std::size_t kStrokeLineBufferSize = 20;

// One line of TotalStrokeOrdered.txt.
struct StrokeRecord {
  std::int32_t strokes;
  char code[kStrokeCodeWidth];
};

struct VariantTable {
  const VariantPair* entries;
  std::size_t count;
};

// A set of 4- or 5-digit hexadecimal values: a bit per value, in blocks of
// 4,096 values held only for the blocks where a value occurs, so a small
// text's set is small.
struct HexRunSet {
  std::vector<std::uint32_t> blockOf;  // by value / 4,096: 1 + the block's number, or 0
  std::vector<std::uint64_t> words;    // 64 words a block
};
constexpr std::uint32_t kHexRunBlockValues = 4096;

void AddHexRun(HexRunSet& set, std::uint32_t value);
bool HasHexRun(const HexRunSet& set, std::uint32_t value);

// The index of one extract, built at load: the lines' code fields (the
// text between "U+" and the first TAB), ordered by their length, then by
// their text, the first line of a code before any other (the tables'
// codes ascend so already), plus which 4- and 5-character runs of
// upper-case hexadecimal digits occur anywhere in the text (the pinyin
// lookup's "occurs, but is no line's code" answer). Built for the text as
// it is at indexing time; the text must not change afterwards.
struct ExtractIndex {
  bool built = false;
  std::size_t builtSize = 0;   // the table's size when indexed; else a scan answers
  std::size_t textLength = 0;  // the text up to its NUL
  struct Line {
    std::uint64_t key;  // CodeTextKey of the code
    std::uint32_t codeOffset;
    std::uint32_t codeLength;
  };
  std::vector<Line> lines;
  HexRunSet hexRuns4, hexRuns5;
};

// A variant table's entries in the order of their keys, of one key the
// first entry first: one array of positions, however many entries.
struct VariantIndex {
  bool built = false;
  const VariantPair* builtFor = nullptr;  // the table's entries when indexed; else a scan answers
  std::vector<std::uint32_t> order;
};

struct CharacterTables {
  ResourceText pinyin, definition, radicalStroke, matthews, preface;
  // The pieces read and one zero record after them.
  std::vector<StrokeRecord> strokes;
  std::size_t strokePieces = 0;  // records filled from the file
  // The bytes of unihan.txt and a NUL; empty when there is no Unihan text.
  std::vector<char> unihan;
  // Counts every load and clearing of `unihan`: an index built for one
  // load is not taken for the next, whatever its buffer and size.
  std::uint64_t unihanLoad = 0;
  // The bytes of words.txt (from CC-CEDICT) and a NUL; empty without it.
  std::vector<char> words;
  VariantTable simplified{kSimplifiedVariants, kSimplifiedVariantsCount};
  VariantTable traditional{kTraditionalVariants, kTraditionalVariantsCount};
  // How common each character is: the order of the lists of new pages.
  CommonRanking ranking{kCommonRanks, kCommonRanksCount, kReadingCounts, kReadingCountsCount};
  // The readings in the other languages of the Han script.
  ReadingTables readings{kReadingEntries, kReadingEntriesCount, kMandarinReadings, kMandarinReadingsCount};
  // Built by BuildLookupIndexes; a lookup scans its table while they are not.
  // The Unihan search keeps its own index (unihan_index.h).
  ExtractIndex pinyinIndex, definitionIndex, radicalStrokeIndex, matthewsIndex;
  VariantIndex simplifiedIndex, traditionalIndex;
  // The component files; the components search indexes them on first use.
  ComponentData components;
};

// The embedded names of the five texts, and the two data files.
constexpr char kPinyinDataName[] = "PinyinSearchData";
constexpr char kDefinitionDataName[] = "DefinitionSearchDataUtf16";
constexpr char kRadicalStrokeDataName[] = "RadicalStrokeSearchData";
constexpr char kMatthewsDataName[] = "MatthewsSearchData";
constexpr char kPrefaceDataName[] = "UnihanPrefaceRtfData";
constexpr char kStrokeFileName[] = "TotalStrokeOrdered.txt";
constexpr char kUnihanFileName[] = "unihan.txt";
constexpr char kWordsFileName[] = "words.txt";

// One embedded text from its bytes: copied, the last byte replaced by NUL.
void SetResourceText(const char* data, std::size_t size, ResourceText& text);

// The stroke table from the bytes of TotalStrokeOrdered.txt, read as text:
// CR LF reads as LF; each line arrives in pieces of at most 19 characters
// (a piece ends after its LF), and each piece is parsed with the pattern
// "%d\t%s\n" into the next record. A code longer than 11 characters keeps
// its first 11. The table is sized to the file: no bytes (a missing file)
// leave the one zero record.
void LoadStrokeTable(const std::string& fileBytes, CharacterTables& tables);

// The Unihan text: the file's bytes and one NUL.
void LoadUnihanText(const std::string& fileBytes, CharacterTables& tables);
// No Unihan text (unihan.txt could not be opened, or the program quits).
void ClearUnihanText(CharacterTables& tables);

// The indexes of the four extracts and the two variant tables.
void BuildLookupIndexes(CharacterTables& tables);

// The largest data files the tables take: several times the shipped data,
// and small enough that the 32-bit program holds the largest beside its
// index. A larger file is refused, as a missing one is.
constexpr std::uint64_t kUnihanFileMaxBytes = std::uint64_t{128} << 20;
constexpr std::uint64_t kStrokeFileMaxBytes = std::uint64_t{4} << 20;
constexpr std::uint64_t kEmbeddedTextMaxBytes = std::uint64_t{16} << 20;
constexpr std::uint64_t kWordsFileMaxBytes = std::uint64_t{64} << 20;

// How reading a data file went. Only a regular file is read: a folder, a
// device or a pipe is refused before it is opened.
enum class DataFileRead { kRead, kMissing, kNotAFile, kTooLarge, kNoMemory, kUnreadable };

// The whole file in binary, when it is a regular file of at most maxBytes.
DataFileRead ReadDataFile(const std::string& path, std::uint64_t maxBytes, std::string& bytes);

// Why a file was not read, as the end of a sentence: "not found",
// "too large (more than 134217728 bytes)", "too large for the memory
// available".
std::string DataFileProblem(DataFileRead result, std::uint64_t maxBytes);

// The whole file in binary (a regular file of at most kUnihanFileMaxBytes);
// false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Reads the five embedded texts from files of their resource names,
// TotalStrokeOrdered.txt, unihan.txt and the component files from
// dataDir, and builds the
// lookup indexes. False with a one-line reason naming the file when one is
// missing, not a regular file, too large or unreadable. words.txt is read
// when it can be: without it the character pages have no words.
bool LoadCharacterTables(const std::string& dataDir, CharacterTables& tables, std::string& error);
