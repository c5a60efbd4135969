// The character tables: the four embedded extracts and the preface, the
// stroke table and the Unihan text, as the program holds them in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chardb/variant_tables.h"

// One embedded text: the resource's bytes in writable memory, size() equal
// to the resource's size, the last byte replaced by NUL.
struct ResourceText {
  std::vector<char> bytes;
  char* text() { return bytes.data(); }
  const char* text() const { return bytes.data(); }
  std::size_t size() const { return bytes.size(); }
};

constexpr std::size_t kStrokeCodeWidth = 12;
constexpr std::size_t kStrokeTableMinRecords = 80000;

// One line of TotalStrokeOrdered.txt.
struct StrokeRecord {
  std::int32_t strokes;
  char code[kStrokeCodeWidth];
};

struct VariantTable {
  const VariantPair* entries;
  std::size_t count;
};

struct CharacterTables {
  ResourceText pinyin, definition, radicalStroke, matthews, preface;
  // At least kStrokeTableMinRecords records, zero-filled after the last line.
  std::vector<StrokeRecord> strokes;
  // The bytes of unihan.txt and a NUL; empty when there is no Unihan text.
  std::vector<char> unihan;
  VariantTable simplified{kSimplifiedVariants, kSimplifiedVariantsCount};
  VariantTable traditional{kTraditionalVariants, kTraditionalVariantsCount};
};

// Reads the five embedded texts from files of their resource names,
// TotalStrokeOrdered.txt and unihan.txt from dataDir, and builds the
// indexes. False with a one-line reason when a file is missing.
bool LoadCharacterTables(const std::string& dataDir, CharacterTables& tables, std::string& error);
