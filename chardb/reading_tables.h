// The readings of the other languages of the Han script, as the generator
// writes them from Unihan (kCantonese, kJapaneseOn, kJapaneseKun, kKorean,
// kHangul, kVietnamese), each with its folded key; and each character's
// Mandarin reading (kMandarin) to show beside them. Constant arrays of
// generated C++ source, like the variant tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// In the order of the Reading page's sections.
enum class ReadingLanguage : std::uint32_t {
  kCantonese,
  kJapaneseOn,
  kJapaneseKun,
  kKorean,
  kHangul,
  kVietnamese,
  kCount
};

// One reading of one character: the reading as the data write it and its
// key as FoldedReading makes it.
struct ReadingEntry {
  ReadingLanguage language;
  const char* folded;
  const char* reading;
  std::uint32_t codePoint;
};

struct MandarinEntry {
  std::uint32_t codePoint;
  const char* reading;  // kMandarin as the data write it: "hǎo"
};

// Entries ascending by language, folded key, reading and code point (the
// texts by their bytes); Mandarin readings ascending by code point.
struct ReadingTables {
  const ReadingEntry* entries;
  std::size_t entryCount;
  const MandarinEntry* mandarin;
  std::size_t mandarinCount;
};

extern const ReadingEntry kReadingEntries[];
extern const std::size_t kReadingEntriesCount;
extern const MandarinEntry kMandarinReadings[];
extern const std::size_t kMandarinReadingsCount;

// The key a reading is matched by, the same for the data and for a typed
// key: letters lower-cased and stripped of their diacritics (đ as d),
// combining marks dropped, digits and hangul kept. In Japanese a long
// vowel is one key however it is spelled: ā â aa, ī î ii, ū û uu, ē ê ei,
// and ō ô oo ou all as the data write it (aa, ii, uu, ei, ou). Empty for
// a text with anything else (a blank, punctuation, a control character,
// invalid UTF-8): no reading of the data folds to it.
std::string FoldedReading(ReadingLanguage language, std::string_view text);

// The text with ASCII letters and the Latin letters of Vietnamese and of
// pinyin lower-cased (À to à, Ạ to ạ, Đ to đ, Ơ to ơ, Ư to ư, Ǎ to ǎ,
// Ǜ to ǜ, Ḿ to ḿ); other bytes as they are.
std::string LowerLatin(std::string_view text);

// The text with each malformed UTF-8 sequence and control character as
// U+FFFD, for showing a typed key.
std::string PrintableUtf8(std::string_view text);

// The character's kMandarin reading; empty when it has none.
std::string_view MandarinReadingOf(const ReadingTables& tables, std::uint32_t codePoint);
