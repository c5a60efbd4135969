#include "chardb/tone_marks.h"

namespace {

constexpr char kVowels[] = "aeiouv";  // v: ü

// The marked vowels by vowel and tone 1 to 4, lower case then capitals.
constexpr const char* kMarked[2][6][4] = {
    {{"ā", "á", "ǎ", "à"}, {"ē", "é", "ě", "è"}, {"ī", "í", "ǐ", "ì"},
     {"ō", "ó", "ǒ", "ò"}, {"ū", "ú", "ǔ", "ù"}, {"ǖ", "ǘ", "ǚ", "ǜ"}},
    {{"Ā", "Á", "Ǎ", "À"}, {"Ē", "É", "Ě", "È"}, {"Ī", "Í", "Ǐ", "Ì"},
     {"Ō", "Ó", "Ǒ", "Ò"}, {"Ū", "Ú", "Ǔ", "Ù"}, {"Ǖ", "Ǘ", "Ǚ", "Ǜ"}}};
constexpr const char* kCombining[4] = {"\xCC\x84", "\xCC\x81", "\xCC\x8C", "\xCC\x80"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
int VowelOf(char c) {
  for (int i = 0; kVowels[i]; ++i)
    if (Lower(c) == kVowels[i]) return i;
  return -1;
}

// The syllable's letters with ü as 'v' (or 'V'), or false when it has
// other characters.
bool Letters(std::string_view text, std::string& letters) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 6, "&#xdc;") == 0 || text.compare(i, 6, "&#xDC;") == 0) {
      letters += 'V';
      i += 5;
    } else if (text.compare(i, 2, "u:") == 0 || text.compare(i, 2, "U:") == 0) {
      letters += text[i] == 'u' ? 'v' : 'V';
      ++i;
    } else if (IsLetter(text[i])) {
      letters += text[i];
    } else {
      return false;
    }
  }
  return !letters.empty();
}

// Where the mark goes: the index of the vowel letter, or -1 without one.
int MarkedIndex(const std::string& letters) {
  int last = -1;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    char c = Lower(letters[i]);
    if (c == 'a' || c == 'e') return static_cast<int>(i);
    if (c == 'o' && i + 1 < letters.size() && Lower(letters[i + 1]) == 'u') return static_cast<int>(i);
    if (VowelOf(c) >= 0) last = static_cast<int>(i);
  }
  return last;
}

}  // namespace

std::string SyllableWithToneMark(std::string_view syllable, bool lower) {
  int tone = 5;
  std::string_view body = syllable;
  if (!body.empty() && body.back() >= '1' && body.back() <= '5') {
    tone = body.back() - '0';
    body.remove_suffix(1);
  }
  std::string letters;
  if (!Letters(body, letters)) return std::string(syllable);
  if (lower)
    for (char& c : letters) c = Lower(c);
  int marked = tone <= 4 ? MarkedIndex(letters) : -1;
  std::string out;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    char c = letters[i];
    bool capital = c >= 'A' && c <= 'Z';
    if (static_cast<int>(i) == marked) {
      out += kMarked[capital][VowelOf(c)][tone - 1];
    } else if (Lower(c) == 'v') {
      out += capital ? "Ü" : "ü";
    } else {
      out += c;
      if (i == 0 && tone <= 4 && marked < 0) out += kCombining[tone - 1];
    }
  }
  return out;
}

std::string PinyinWithToneMarks(std::string_view text, bool lower) {
  std::string out;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t blank = text.find(' ', at);
    if (blank == std::string_view::npos) blank = text.size();
    out += SyllableWithToneMark(text.substr(at, blank - at), lower);
    if (blank < text.size()) out += ' ';
    at = blank + 1;
  }
  return out;
}
