#include "search/typed_pinyin.h"

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "search/pinyin_search.h"
#include "search/result_page.h"
#include "search/reading_texts.h"
#include "search/search_texts.h"

namespace {

// A vowel with a tone mark: its letter ('V' for ü) and tone.
struct MarkedVowel {
  std::uint32_t codePoint;
  char letter;
  int tone;
};
const MarkedVowel kMarkedVowels[] = {
    {0x0101, 'A', 1}, {0x00E1, 'A', 2}, {0x01CE, 'A', 3}, {0x00E0, 'A', 4}, {0x0113, 'E', 1}, {0x00E9, 'E', 2},
    {0x011B, 'E', 3}, {0x00E8, 'E', 4}, {0x012B, 'I', 1}, {0x00ED, 'I', 2}, {0x01D0, 'I', 3}, {0x00EC, 'I', 4},
    {0x014D, 'O', 1}, {0x00F3, 'O', 2}, {0x01D2, 'O', 3}, {0x00F2, 'O', 4}, {0x016B, 'U', 1}, {0x00FA, 'U', 2},
    {0x01D4, 'U', 3}, {0x00F9, 'U', 4}, {0x01D6, 'V', 1}, {0x01D8, 'V', 2}, {0x01DA, 'V', 3}, {0x01DC, 'V', 4},
    {0x00FC, 'V', 0}, {0x0144, 'N', 2}, {0x0148, 'N', 3}, {0x01F9, 'N', 4}, {0x1E3F, 'M', 2},
};

int CombiningTone(std::uint32_t cp) {
  switch (cp) {
    case 0x0304: return 1;
    case 0x0301: return 2;
    case 0x030C: return 3;
    case 0x0300: return 4;
    default: return 0;
  }
}

// One UTF-8 sequence (two or three bytes are all a pinyin letter takes);
// false on anything else.
bool NextLetter(const std::string& key, std::size_t& at, std::uint32_t& cp) {
  unsigned char lead = static_cast<unsigned char>(key[at]);
  std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
  if (length == 0 || key.size() - at < length) return false;
  cp = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(key[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    cp = cp << 6 | (next & 0x3F);
  }
  at += length;
  return true;
}

}  // namespace

bool ReadTypedPinyin(const std::string& typedKey, TypedPinyin& typed) {
  typed = TypedPinyin();
  // The field writes its letters as capitals, tone marks included (MǍ).
  const std::string key = LowerLatin(typedKey);
  std::string letters;  // upper case, 'V' for ü
  auto setTone = [&typed](int tone) {
    if (typed.tone != 0) return false;
    typed.tone = tone;
    return true;
  };
  bool digitRead = false;
  for (std::size_t at = 0; at < key.size();) {
    if (digitRead) return false;  // a tone digit ends the key
    std::uint32_t cp = 0;
    if (!NextLetter(key, at, cp)) return false;
    if (cp >= 'a' && cp <= 'z') cp -= 'a' - 'A';
    if (cp >= 'A' && cp <= 'Z') {
      letters += cp == 'V' ? 'V' : static_cast<char>(cp);
    } else if (cp == ':' || cp == '"' || cp == '?' || cp == 0x0308) {
      // u: and u with a combining diaeresis; " and ? stand for ü themselves.
      if (cp == ':' || cp == 0x0308) {
        if (letters.empty() || letters.back() != 'U') return false;
        letters.back() = 'V';
      } else {
        letters += 'V';
      }
    } else if (cp >= '1' && cp <= '5') {
      if (letters.empty() || !setTone(static_cast<int>(cp - '0'))) return false;
      digitRead = true;
    } else if (int tone = CombiningTone(cp)) {
      if (letters.empty() || !setTone(tone)) return false;
    } else if (cp == 0x00DC) {
      letters += 'V';
    } else {
      const MarkedVowel* vowel = nullptr;
      for (const MarkedVowel& v : kMarkedVowels)
        if (v.codePoint == cp) vowel = &v;
      if (!vowel || (vowel->tone && !setTone(vowel->tone))) return false;
      letters += vowel->letter;
    }
  }
  if (letters.empty()) return false;
  for (char c : letters) {
    typed.syllable += c == 'V' ? kUmlautReference : std::string(1, c);
    typed.shown += c == 'V' ? "\xC3\x9C" : std::string(1, c);
  }
  if (typed.tone) typed.shown += static_cast<char>('0' + typed.tone);
  return typed.syllable.size() <= kPinyinKeyLimit;
}

std::string PinyinReadingPage(const CharacterTables& tables, const TypedPinyin& typed,
                              std::vector<std::string> codes) {
  SortCodeTextsCommonFirst(tables.ranking, codes, typed.syllable + static_cast<char>('0' + typed.tone));
  std::string page;
  AppendFilledFormat(page, kPinyinReadingHeaderFormat, {HtmlEscaped(typed.shown)});
  if (codes.empty()) page += kNoResult;
  for (const std::string& code : codes) page += kAddedLineOpening + LinkedCharacter(code);
  page += kBodyClosing;
  return page;
}
