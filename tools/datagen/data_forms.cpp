#include "tools/datagen/data_forms.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct ToneMark {
  std::uint32_t codePoint;
  char base;  // 'V' stands for ü
  int tone;   // 0: no tone mark
};

// Precomposed pinyin letters: a vowel (or m, n) with a macron, acute, caron
// or grave, and ü without a mark.
const ToneMark kToneMarks[] = {
    {0x0101, 'A', 1}, {0x00E1, 'A', 2}, {0x01CE, 'A', 3}, {0x00E0, 'A', 4},
    {0x0113, 'E', 1}, {0x00E9, 'E', 2}, {0x011B, 'E', 3}, {0x00E8, 'E', 4},
    {0x012B, 'I', 1}, {0x00ED, 'I', 2}, {0x01D0, 'I', 3}, {0x00EC, 'I', 4},
    {0x014D, 'O', 1}, {0x00F3, 'O', 2}, {0x01D2, 'O', 3}, {0x00F2, 'O', 4},
    {0x016B, 'U', 1}, {0x00FA, 'U', 2}, {0x01D4, 'U', 3}, {0x00F9, 'U', 4},
    {0x01D6, 'V', 1}, {0x01D8, 'V', 2}, {0x01DA, 'V', 3}, {0x01DC, 'V', 4},
    {0x00FC, 'V', 0}, {0x0144, 'N', 2}, {0x0148, 'N', 3}, {0x01F9, 'N', 4},
    {0x1E3F, 'M', 2},
    // ê, with or without a tone mark, is written E.
    {0x00EA, 'E', 0}, {0x1EBF, 'E', 2}, {0x1EC1, 'E', 4},
};

// Combining marks, for a reading written in decomposed form.
int CombiningTone(std::uint32_t codePoint) {
  switch (codePoint) {
    case 0x0304: return 1;
    case 0x0301: return 2;
    case 0x030C: return 3;
    case 0x0300: return 4;
    default: return 0;
  }
}

const char kUmlautReference[] = "&#xdc;";

bool ReadingForm(const std::string& reading, std::string& form, std::string& error) {
  int tone = 0;
  auto setTone = [&](int t) {
    if (tone != 0) {
      error = "more than one tone mark in '" + reading + "'";
      return false;
    }
    tone = t;
    return true;
  };
  std::size_t pos = 0;
  while (pos < reading.size()) {
    std::uint32_t cp = 0;
    if (!DecodeUtf8(reading, pos, cp)) {
      error = "malformed UTF-8 in '" + reading + "'";
      return false;
    }
    if (cp >= 'a' && cp <= 'z') {
      form += static_cast<char>(cp - 'a' + 'A');
      continue;
    }
    if (cp == 0x0308 && !form.empty() && form.back() == 'U') {  // combining diaeresis
      form.pop_back();
      form += kUmlautReference;
      continue;
    }
    if (cp == 0x0302 && !form.empty() && form.back() == 'E') continue;  // combining circumflex
    if (int t = CombiningTone(cp)) {
      if (form.empty() || !setTone(t)) {
        if (error.empty()) error = "a tone mark without a letter in '" + reading + "'";
        return false;
      }
      continue;
    }
    const ToneMark* mark = std::find_if(std::begin(kToneMarks), std::end(kToneMarks),
                                        [cp](const ToneMark& m) { return m.codePoint == cp; });
    if (mark == std::end(kToneMarks)) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(cp));
      error = std::string("unexpected character ") + hex + " in '" + reading + "'";
      return false;
    }
    if (mark->base == 'V')
      form += kUmlautReference;
    else
      form += mark->base;
    if (mark->tone != 0 && !setTone(mark->tone)) return false;
  }
  if (form.empty()) {
    error = "empty reading";
    return false;
  }
  form += static_cast<char>('0' + (tone == 0 ? 5 : tone));
  return true;
}

std::vector<std::string> SplitBlanks(const std::string& value) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (pos < value.size()) {
    std::size_t end = value.find(' ', pos);
    if (end == std::string::npos) end = value.size();
    if (end > pos) words.push_back(value.substr(pos, end - pos));
    pos = end + 1;
  }
  return words;
}

std::string FirstValue(const std::string& value) { return value.substr(0, value.find(' ')); }

}  // namespace

std::string CodePointTextOf(std::uint32_t codePoint) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(codePoint));
  return text;
}

bool ParseUnihanCode(const std::string& text, std::uint32_t& codePoint) {
  if (text.size() < 6 || text.size() > 8 || text.compare(0, 2, "U+") != 0) return false;
  codePoint = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    char c = text[i];
    int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    codePoint = codePoint * 16 + static_cast<std::uint32_t>(digit);
  }
  return codePoint <= 0x10FFFF;
}

bool DecodeUtf8(const std::string& text, std::size_t& pos, std::uint32_t& codePoint) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (pos >= text.size()) return false;
  unsigned char lead = byte(pos);
  int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2
            : (lead & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) return false;
  std::uint32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    unsigned char b = byte(pos + static_cast<std::size_t>(i));
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  static const std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  pos += static_cast<std::size_t>(extra) + 1;
  codePoint = cp;
  return true;
}

bool PinyinForm(const std::string& value, std::string& form, std::string& error) {
  form.clear();
  std::vector<std::string> readings = SplitBlanks(value);
  if (readings.empty()) {
    error = "no reading";
    return false;
  }
  for (const std::string& reading : readings) {
    if (!form.empty()) form += ' ';
    if (!ReadingForm(reading, form, error)) return false;
  }
  return true;
}

const char* const kPinyinFields[5] = {"kMandarin", "kTGHZ2013", "kXHC1983", "kHanyuPinlu", "kHanyuPinyin"};

bool AddPinyinReadings(const std::string& field, const std::string& value, std::vector<std::string>& readings,
                       std::string& error) {
  std::vector<std::string> sources;
  for (const std::string& entry : SplitBlanks(value)) {
    if (field == "kHanyuPinlu") {
      sources.push_back(entry.substr(0, entry.find('(')));
      continue;
    }
    if (field == "kMandarin") {
      sources.push_back(entry);
      continue;
    }
    std::size_t colon = entry.find(':');
    if (colon == std::string::npos) {
      error = field + " entry without a colon: '" + entry + "'";
      return false;
    }
    std::string after = entry.substr(colon + 1);
    if (field != "kHanyuPinyin") {
      sources.push_back(after);
      continue;
    }
    for (std::size_t pos = 0;;) {
      std::size_t comma = after.find(',', pos);
      sources.push_back(after.substr(pos, comma - pos));
      if (comma == std::string::npos) break;
      pos = comma + 1;
    }
  }
  if (sources.empty()) {
    error = field + " has no reading";
    return false;
  }
  for (const std::string& source : sources) {
    std::string form;
    if (!ReadingForm(source, form, error)) {
      error = field + ": " + error;
      return false;
    }
    if (std::find(readings.begin(), readings.end(), form) == readings.end()) readings.push_back(form);
  }
  return true;
}

bool DefinitionForm(const std::string& value, std::string& form, std::string& error) {
  form.clear();
  std::size_t pos = 0;
  while (pos < value.size()) {
    std::uint32_t cp = 0;
    if (!DecodeUtf8(value, pos, cp)) {
      error = "malformed UTF-8";
      return false;
    }
    if (cp < 0x80) {
      form += static_cast<char>(cp);
    } else {
      char reference[16];
      std::snprintf(reference, sizeof reference, "&#x%x;", static_cast<unsigned>(cp));
      form += reference;
    }
  }
  return true;
}

bool RadicalStrokeForm(const std::string& value, std::string& form, std::string& error) {
  form = FirstValue(value);
  std::size_t point = form.find('.');
  bool digitsAround = point != std::string::npos && point > 0 && point + 1 < form.size();
  if (!digitsAround || form.find_first_not_of("0123456789'.-") != std::string::npos) {
    error = "radical-stroke value '" + value + "'";
    return false;
  }
  return true;
}

bool MatthewsForm(const std::string& value, std::string& form, std::string& error) {
  std::string first = FirstValue(value);
  std::size_t digits = first.find_first_not_of("0123456789");
  if (digits == std::string::npos) digits = first.size();
  if (digits == 0 || digits > 4) {
    error = "Matthews value '" + value + "'";
    return false;
  }
  form = "M+" + first.substr(0, digits) + std::string(4 - digits, 'p') + first.substr(digits);
  return true;
}

bool TotalStrokesForm(const std::string& value, int& strokes, std::string& error) {
  std::string first = FirstValue(value);
  if (first.empty() || first.size() > 3 || first.find_first_not_of("0123456789") != std::string::npos) {
    error = "stroke count '" + value + "'";
    return false;
  }
  strokes = std::stoi(first);
  return true;
}

bool VariantForm(const std::string& value, std::string& form, std::string& error) {
  std::vector<std::uint32_t> codes;
  for (const std::string& word : SplitBlanks(value)) {
    std::uint32_t cp = 0;
    if (!ParseUnihanCode(word, cp)) {
      error = "variant value '" + value + "'";
      return false;
    }
    codes.push_back(cp);
  }
  if (codes.empty()) {
    error = "empty variant value";
    return false;
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  form.clear();
  for (std::uint32_t cp : codes) {
    if (!form.empty()) form += ' ';
    form += CodePointTextOf(cp);
  }
  return true;
}
