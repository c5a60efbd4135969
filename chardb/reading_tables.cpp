#include "chardb/reading_tables.h"

#include <algorithm>

namespace {

// The base letter of each Latin letter with diacritics, by code point from
// the range's first; '?' for a letter of another kind (æ, ß, þ).
struct LatinRange {
  std::uint32_t first;
  const char* bases;
};
const LatinRange kLatinRanges[] = {
    {0x00C0,
     "aaaaaa?ceeeeiiiidnooooo??uuuuy??aaaaaa?ceeeeiiiidnooooo??uuuuy?yaaaaaaccccccccdddd"
     "eeeeeeeeeegggggggghh??iiiiiiiii???jjkk?llllll????nnnnnn???oooooo??rrrrrrsssssssstttt"
     "??uuuuuuuuuuuuwwyyyzzzzzz?"},
    {0x01A0, "oo?????????????uu"},
    {0x01CD, "aaiioouuuuuuuuuu"},
    {0x1EA0,
     "aaaaaaaaaaaaaaaaaaaaaaaaeeeeeeeeeeeeeeeeiiiioooooooooooooooooooooooouuuuuuuuuuuuuuyyyyyyyy"},
};

char LatinBase(std::uint32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? static_cast<char>(cp - 'A' + 'a') : static_cast<char>(cp);
  for (const LatinRange& range : kLatinRanges) {
    std::size_t count = std::char_traits<char>::length(range.bases);
    if (cp >= range.first && cp < range.first + count) return range.bases[cp - range.first];
  }
  return '?';
}

// A long vowel with a macron or circumflex, as Japanese spells it out.
const char* JapaneseLongVowel(std::uint32_t cp) {
  switch (cp) {
    case 0x0100: case 0x0101: case 0x00C2: case 0x00E2: return "aa";
    case 0x012A: case 0x012B: case 0x00CE: case 0x00EE: return "ii";
    case 0x016A: case 0x016B: case 0x00DB: case 0x00FB: return "uu";
    case 0x0112: case 0x0113: case 0x00CA: case 0x00EA: return "ei";
    case 0x014C: case 0x014D: case 0x00D4: case 0x00F4: return "ou";
    default: return nullptr;
  }
}

bool IsHangul(std::uint32_t cp) {
  return (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0x1100 && cp <= 0x11FF) || (cp >= 0x3130 && cp <= 0x318F);
}

bool IsCombiningMark(std::uint32_t cp) { return cp >= 0x0300 && cp <= 0x036F; }

// One UTF-8 sequence at text[at], advancing at; false on a malformed,
// overlong or surrogate sequence.
bool NextCodePoint(std::string_view text, std::size_t& at, std::uint32_t& cp) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || text.size() - at < length) return false;
  cp = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    cp = cp << 6 | (next & 0x3F);
  }
  static const std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  at += length;
  return true;
}

void AppendUtf8(std::string& text, std::uint32_t cp) {
  if (cp < 0x80) {
    text += static_cast<char>(cp);
  } else if (cp < 0x800) {
    text += static_cast<char>(0xC0 | cp >> 6);
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    text += static_cast<char>(0xE0 | cp >> 12);
    text += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | cp >> 18);
    text += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Every "oo" as "ou": of the two spellings of a long o, the data's.
void FoldLongO(std::string& folded) {
  for (std::size_t at = 0; at + 1 < folded.size(); ++at)
    if (folded[at] == 'o' && folded[at + 1] == 'o') folded[at + 1] = 'u';
}

}  // namespace

std::string FoldedReading(ReadingLanguage language, std::string_view text) {
  std::string folded;
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t cp = 0;
    if (!NextCodePoint(text, at, cp)) return {};
    if (IsCombiningMark(cp)) continue;
    if (IsHangul(cp)) {
      AppendUtf8(folded, cp);
      continue;
    }
    const char* spelled = language == ReadingLanguage::kJapaneseOn || language == ReadingLanguage::kJapaneseKun
                              ? JapaneseLongVowel(cp)
                              : nullptr;
    if (spelled) {
      folded += spelled;
      continue;
    }
    char base = LatinBase(cp);
    if (!((base >= 'a' && base <= 'z') || (base >= '0' && base <= '9'))) return {};
    folded += base;
  }
  if (language == ReadingLanguage::kJapaneseOn || language == ReadingLanguage::kJapaneseKun) FoldLongO(folded);
  return folded;
}

std::string LowerLatin(std::string_view text) {
  std::string lower;
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t cp = 0;
    if (!NextCodePoint(text, at, cp)) {
      lower += text[at++];
      continue;
    }
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))
      cp += 0x20;
    else if ((cp >= 0x0100 && cp <= 0x0137) || (cp >= 0x014A && cp <= 0x0177) || cp == 0x01A0 ||
             cp == 0x01F8 || (cp >= 0x1E00 && cp <= 0x1E95) || (cp >= 0x1EA0 && cp <= 0x1EF9))
      cp |= 1;  // pairs whose capital is even
    else if ((cp >= 0x0139 && cp <= 0x0148 && cp % 2) || (cp >= 0x01CD && cp <= 0x01DC && cp % 2))
      cp += 1;  // pairs whose capital is odd
    else if (cp == 0x01AF)
      cp = 0x01B0;
    AppendUtf8(lower, cp);
  }
  return lower;
}

std::string PrintableUtf8(std::string_view text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t cp = 0;
    if (!NextCodePoint(text, at, cp)) {
      ++at;
      cp = 0xFFFD;
    }
    AppendUtf8(shown, cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) ? 0xFFFD : cp);
  }
  return shown;
}

std::string_view MandarinReadingOf(const ReadingTables& tables, std::uint32_t codePoint) {
  const MandarinEntry* end = tables.mandarin + tables.mandarinCount;
  const MandarinEntry* at = std::lower_bound(tables.mandarin, end, codePoint,
                                             [](const MandarinEntry& e, std::uint32_t cp) { return e.codePoint < cp; });
  return at != end && at->codePoint == codePoint ? std::string_view(at->reading) : std::string_view();
}
