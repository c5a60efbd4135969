#include "search/character_page.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "chardb/character_references.h"
#include "chardb/chardb_texts.h"
#include "chardb/fill_format.h"
#include "chardb/lookups.h"
#include "chardb/tone_marks.h"
#include "chardb/unihan_extract.h"
#include "chardb/utf8.h"
#include "search/character_components.h"
#include "search/character_texts.h"
#include "search/character_words.h"
#include "search/components_page.h"
#include "search/program_links.h"
#include "search/radical_table.h"
#include "search/result_page.h"
#include "search/search_memory.h"
#include "search/search_texts.h"
#include "vistapane/decode.h"

namespace {

// What the page is written from: the code point and its texts, its own
// Unihan lines as field and value, its Mandarin readings.
struct CharacterData {
  char32_t character = 0;
  std::string code;  // "9577": upper-case hexadecimal, at least four digits
  std::vector<std::pair<std::string, std::string>> fields;
  std::string pinyin;  // "ZHANG3 CHANG2 ZHANG4", or empty
};

std::string CodeText(char32_t character) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(character));
  return text;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  AppendUtf8(c, out);
  return out;
}

// The decoded code points of a UTF-8 text; false when it is not valid.
bool DecodeText(const std::string& text, std::u32string& out) {
  if (!vistapane::IsValidUtf8(text)) return false;
  out = vistapane::DecodeUtf8(text);
  return true;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{std::string(text)};
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

const std::string* Field(const CharacterData& data, const char* name) {
  for (const auto& [field, value] : data.fields)
    if (field == name) return &value;
  return nullptr;
}

// The character's own lines of the Unihan text: "U+9577\tkField\tvalue".
void ReadUnihanFields(const CharacterTables& tables, SearchMemory& memory, SearchMethod method, CharacterData& data) {
  std::string key = data.code + "\t";
  UnihanExtract extract = method == SearchMethod::kIndexed
                              ? ExtractUnihan(tables, CurrentUnihanIndex(tables, memory), key)
                              : ExtractUnihanByScan(tables, key);
  for (std::string line : extract.lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t first = line.find('\t');
    std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    if (second == std::string::npos) continue;
    data.fields.emplace_back(line.substr(first + 1, second - first - 1), line.substr(second + 1));
  }
}

std::string ProgramLink(SearchKind kind, const std::string& key, const std::string& text) {
  return FillFormat(kCharacterProgramLinkFormat, {HtmlEscaped(ProgramLinkTarget(kind, key)), text});
}

// A line of a section's paragraph.
void AppendLine(std::string& section, const std::string& html) {
  if (!section.empty()) section += kCharacterLineBreak;
  section += html;
}

void AppendLine(std::string& section, const char* label, const std::string& html) {
  AppendLine(section, FillFormat(kCharacterLineFormat, {label, html}));
}

// The text with each "U+XXXX" as the linked character (the glyph the data
// write after a reference is then left out), the rest escaped.
std::string WithLinkedReferences(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t digits = 0;
    if (text.compare(i, 2, "U+") == 0)
      while (i + 2 + digits < text.size() && digits < 6 && std::isxdigit(static_cast<unsigned char>(text[i + 2 + digits])))
        ++digits;
    if (digits >= 4 && std::stoul(text.substr(i + 2, digits), nullptr, 16) > 0x10FFFF) digits = 0;
    if (digits < 4) {
      std::size_t next = text.find("U+", i + 1);
      out += HtmlEscaped(text.substr(i, next == std::string::npos ? std::string::npos : next - i));
      i = next == std::string::npos ? text.size() : next;
      continue;
    }
    std::string code = text.substr(i + 2, digits);
    for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    out += LinkedCharacter(code);
    i += 2 + digits;
    std::string glyph = " " + Utf8Of(static_cast<char32_t>(std::stoul(code, nullptr, 16)));
    if (text.compare(i, glyph.size(), glyph) == 0) i += glyph.size();
  }
  return out;
}

void AppendGlyphSection(std::string& page, const CharacterData& data) {
  AppendFilledFormat(page, kCharacterGlyphFormat, {data.code, data.code, data.code});
  std::string bytes, units;
  for (unsigned char byte : Utf8Of(data.character)) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%s%02X", bytes.empty() ? "" : " ", byte);
    bytes += hex;
  }
  if (data.character < 0x10000) {
    units = data.code;
  } else {
    char pair[16];
    unsigned offset = static_cast<unsigned>(data.character) - 0x10000;
    std::snprintf(pair, sizeof pair, "%04X %04X", 0xD800 + (offset >> 10), 0xDC00 + (offset & 0x3FF));
    units = pair;
  }
  AppendFilledFormat(page, kCharacterCodesFormat,
                     {data.code, data.code, std::to_string(data.character), bytes, units});
  const char* block = kOtherBlock;
  for (const HanBlock& candidate : kHanBlocks)
    if (data.character >= candidate.first && data.character <= candidate.last) block = candidate.name;
  AppendFilledFormat(page, kCharacterBlockFormat, {block});
}

// Mandarin with tone marks, each reading linked to the pinyin page of that
// reading, tone included (ü asked for as V, as input methods type it); the
// other languages as the data write them ("장:0E" without
// its sources), each reading linked to the Reading page of its spelling.
void AppendReadingsSection(std::string& page, const CharacterData& data) {
  std::string section;
  std::string mandarin;
  for (const std::string& reading : Words(data.pinyin)) {
    std::string marked = HtmlEscaped(SyllableWithToneMark(reading, true));
    std::string key = reading;
    for (std::size_t at; (at = key.find(kUmlautReference)) != std::string::npos;)
      key.replace(at, sizeof kUmlautReference - 1, "V");
    bool typed = key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ12345") == std::string::npos;
    mandarin += (mandarin.empty() ? "" : " ") + (typed ? ProgramLink(kPinyinSearch, key, marked) : marked);
  }
  if (!mandarin.empty()) AppendLine(section, kMandarinLabel, mandarin);
  for (const ReadingField& reading : kReadingFields) {
    const std::string* value = Field(data, reading.field);
    if (!value) continue;
    std::string shown;
    for (const std::string& word : Words(*value)) {
      std::string spelled = word.substr(0, word.find(':'));
      std::string text = HtmlEscaped(spelled);
      bool linkable = SearchKeyUnits(spelled) <= kSearchKeyMaxUnits;
      shown += (shown.empty() ? "" : " ") + (linkable ? ProgramLink(kReadingSearch, spelled, text) : text);
    }
    AppendLine(section, reading.label, shown);
  }
  if (section.empty()) return;
  AppendFilledFormat(page, kCharacterSectionFormat, {kReadingsTitle});
  page += section;
}

void AppendMeaningSection(std::string& page, const CharacterData& data) {
  const std::string* definition = Field(data, "kDefinition");
  if (!definition) return;
  AppendFilledFormat(page, kCharacterSectionFormat, {kMeaningTitle});
  page += WithLinkedReferences(*definition);
}

// The radicals table's row of a radical number (1 to 214), or null.
const RadicalRow* RadicalOf(int number) {
  int counted = 0;
  for (const RadicalRow& row : kRadicalRows)
    if (row.forms[0][0] != '\0' && ++counted == number) return &row;
  return nullptr;
}

// Each radical-stroke index ("168.0", "120'.3") with the radical's
// KangXi form and name, linked to its Radical.Stroke page; the total
// strokes linked to the Stroke Number page; the Matthews number to its page.
void AppendShapeSection(std::string& page, const CharacterData& data) {
  std::string section;
  if (const std::string* indexes = Field(data, "kRSUnicode")) {
    for (const std::string& index : Words(*indexes)) {
      std::size_t dot = index.find('.');
      if (dot == std::string::npos) continue;
      std::string radical = index.substr(0, dot);
      bool simplified = !radical.empty() && radical.back() == '\'';
      const RadicalRow* row = RadicalOf(LeadingNumber(radical));
      if (!row) continue;
      std::string form(row->forms[0], strnlen(row->forms[0], kRadicalFormWidth));
      std::string name = std::string(row->name, strnlen(row->name, kRadicalNameWidth));
      if (simplified) name += std::string(" ") + kSimplifiedRadicalNote;
      AppendLine(section, FillFormat(kRadicalLineFormat,
                         {HtmlEscaped(radical), LinkedCharacter(form), HtmlEscaped(name), HtmlEscaped(index.substr(dot + 1)),
                          ProgramLink(kRadicalStrokeSearch, index, HtmlEscaped(index))}));
    }
  }
  if (const std::string* strokes = Field(data, "kTotalStrokes")) {
    std::string links;
    for (const std::string& count : Words(*strokes))
      links += (links.empty() ? "" : " ") + ProgramLink(kStrokeNumberSearch, count, HtmlEscaped(count));
    AppendLine(section, kTotalStrokesLabel, links);
  }
  if (const std::string* matthews = Field(data, "kMatthews")) {
    std::string links;
    for (const std::string& number : Words(*matthews))
      links += (links.empty() ? "" : " ") + ProgramLink(kMatthewsSearch, number, HtmlEscaped(number));
    AppendLine(section, kMatthewsLabel, links);
  }
  if (section.empty()) return;
  AppendFilledFormat(page, kCharacterSectionFormat, {kShapeTitle});
  page += section;
}

// Each variant ("U+957F", "U+5F35<kMatthews") linked to its page; the
// character itself, listed among its own variants by some fields, is not.
void AppendVariantsSection(std::string& page, const CharacterData& data) {
  std::string section;
  for (const ReadingField& variant : kVariantFields) {
    const std::string* value = Field(data, variant.field);
    if (!value) continue;
    std::string links;
    for (const std::string& word : Words(*value)) {
      if (word.compare(0, 2, "U+") != 0) continue;
      std::string code = word.substr(2, word.find('<') == std::string::npos ? std::string::npos : word.find('<') - 2);
      if (code == data.code || code.empty() || code.find_first_not_of("0123456789ABCDEF") != std::string::npos) continue;
      links += (links.empty() ? "" : " ") + LinkedCharacter(code);
    }
    if (!links.empty()) AppendLine(section, variant.label, links);
  }
  if (section.empty()) return;
  AppendFilledFormat(page, kCharacterSectionFormat, {kVariantsTitle});
  page += section;
}

// A word's form: each Han character a link to its page, anything else
// escaped; the insert links of its characters gathered, each once.
std::string LinkedForm(const std::string& form, std::vector<std::string>& inserted, std::string& insertLinks) {
  std::u32string characters;
  if (!DecodeText(form, characters)) return HtmlEscaped(form);
  std::string out;
  for (char32_t c : characters) {
    if (c < 0x2E80) {
      out += HtmlEscaped(Utf8Of(c));
      continue;
    }
    std::string code = CodeText(c);
    out += CharacterGlyphLink(code);
    if (std::find(inserted.begin(), inserted.end(), code) != inserted.end()) continue;
    inserted.push_back(code);
    insertLinks += (insertLinks.empty() ? "" : " ") + InsertLink(code);
  }
  return out;
}

void AppendWordsSection(std::string& page, const std::vector<WordEntry>& words) {
  if (words.empty()) return;
  std::string section;
  for (const WordEntry& word : words) {
    std::vector<std::string> inserted;
    std::string inserts;
    std::string forms = LinkedForm(std::string(word.traditional), inserted, inserts);
    if (word.simplified != word.traditional) forms += " / " + LinkedForm(std::string(word.simplified), inserted, inserts);
    AppendLine(section, FillFormat(kWordLineFormat, {forms, HtmlEscaped(std::string(word.pinyin)),
                                                     HtmlEscaped(std::string(word.gloss)), inserts}));
  }
  AppendFilledFormat(page, kCharacterSectionFormat, {kWordsTitle});
  page += section + kWordsNotice;
}

}  // namespace

bool CharacterOfKey(const std::string& key, char32_t& character) {
  std::string digits = key.compare(0, 2, "U+") == 0 || key.compare(0, 2, "u+") == 0 ? key.substr(2) : key;
  if (digits.size() >= 4 && digits.size() <= 6 &&
      digits.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos) {
    unsigned long value = std::stoul(digits, nullptr, 16);
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    character = static_cast<char32_t>(value);
    return true;
  }
  std::u32string characters;
  if (!DecodeText(key, characters) || characters.size() != 1 || characters[0] < 0x80) return false;
  character = characters[0];
  return true;
}

SearchOutcome WriteCharacterPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                 SearchMethod method) {
  CharacterData data;
  if (!CharacterOfKey(key, data.character)) {
    std::string page = FillFormat(kCharacterHeaderFormat, {""}) + "<P>" + kNoResult + kBodyClosing;
    return KindOutcome(kCharacterSearch, std::move(page), key);
  }
  data.code = CodeText(data.character);
  std::string page = FillFormat(kCharacterHeaderFormat, {"U+" + data.code});
  AppendGlyphSection(page, data);
  // A control character (U+0000 would end the status text) shows as its code alone.
  bool control = data.character < 0x20 || (data.character >= 0x7F && data.character <= 0x9F);
  std::string status = (control ? std::string() : Utf8Of(data.character) + " ") + "U+" + data.code;
  if (IsPrivateUse(data.code)) {
    page += std::string("<P>") + kPrivateUseAnswer + kBodyClosing;
    return KindOutcome(kCharacterSearch, std::move(page), status);
  }
  ReadUnihanFields(tables, memory, method, data);
  std::string code = data.code;
  std::string pinyin = (method == SearchMethod::kIndexed ? kIndexedLookups : kScanningLookups).pinyin(tables, code);
  if (pinyin != kPinyinNotOccurring && pinyin != kPinyinNotAvailable) data.pinyin = pinyin;
  if (data.fields.empty() && data.pinyin.empty()) {
    page += std::string("<P>") + kNotAvailable + kBodyClosing;
    return KindOutcome(kCharacterSearch, std::move(page), status);
  }
  AppendReadingsSection(page, data);
  AppendMeaningSection(page, data);
  AppendShapeSection(page, data);
  AppendComponentsSection(page, CurrentComponentIndex(tables, memory), tables.components, data.character);
  AppendVariantsSection(page, data);
  AppendWordsSection(page, method == SearchMethod::kIndexed
                               ? FindWords(tables, KindMemoryOf<WordsIndex>(memory, kCharacterSearch), data.character,
                                           kCharacterPageWords)
                               : FindWordsByScan(tables, data.character, kCharacterPageWords));
  page += kBodyClosing;
  return KindOutcome(kCharacterSearch, std::move(page), status);
}
