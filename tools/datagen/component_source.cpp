#include "tools/datagen/component_source.h"

#include <cctype>
#include <functional>

#include "chardb/utf8.h"
#include "tools/datagen/data_forms.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::size_t pos = 0;
  for (;;) {
    std::size_t end = text.find(separator, pos);
    fields.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    if (end == std::string::npos) return fields;
    pos = end + 1;
  }
}

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// The one code point the text is, or false.
bool SingleCodePoint(const std::string& text, std::uint32_t& codePoint) {
  std::size_t pos = 0;
  return DecodeUtf8(text, pos, codePoint) && pos == text.size();
}

bool ParseHex(const std::string& text, std::uint32_t& value) {
  if (text.empty() || text.size() > 6) return false;
  value = 0;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    value = value * 16 + static_cast<std::uint32_t>(std::isdigit(static_cast<unsigned char>(c))
                                                        ? c - '0'
                                                        : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
  }
  return true;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "key:operation(part,part)", each part a character or a number.
bool ParseRecord(const std::string& line, std::string& key, DecompositionRecord& record) {
  std::size_t colon = line.find(':');
  std::size_t open = line.find('(', colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || colon == 0 || open == std::string::npos || line.back() != ')')
    return false;
  std::uint32_t cp = 0;
  key = line.substr(0, colon);
  if (!IsNumber(key) && !SingleCodePoint(key, cp)) return false;
  record.operation = line.substr(colon + 1, open - colon - 1);
  record.parts.clear();
  std::string inside = line.substr(open + 1, line.size() - open - 2);
  if (inside.empty()) return true;
  for (const std::string& part : Split(inside, ',')) {
    if (!IsNumber(part) && !SingleCodePoint(part, cp)) return false;
    record.parts.push_back(part);
  }
  return true;
}

// How many times a record draws each of its parts; 0 for a form of its
// own (reflected, rotated, modified, a stroke).
unsigned TimesDrawn(const std::string& operation) {
  auto startsWith = [&](const char* prefix) { return operation.rfind(prefix, 0) == 0; };
  if (operation.empty()) return 1;
  if (startsWith("ref") || startsWith("rot") || operation[0] == 'm' || operation == "c") return 0;
  if (startsWith("rref") || startsWith("rrot")) return 1;  // the part once, beside its mirror image
  if (operation[0] == 'r')
    return operation.size() > 1 && std::isdigit(static_cast<unsigned char>(operation[1]))
               ? static_cast<unsigned>(operation[1] - '0')
               : 2;
  return 1;
}

bool IsEncodedStatus(const std::string& status) {
  static const std::set<std::string> kBlocks = {"URO",  "ExtA", "ExtB", "ExtC", "ExtD", "ExtE",
                                                "ExtF", "ExtG", "ExtH", "Comp"};
  return kBlocks.count(status) != 0;
}

bool IsDescriptionCharacter(std::uint32_t cp) { return cp >= 0x2FF0 && cp <= 0x2FFF; }

// The parts of a description sequence, at every depth: its structure adds
// nothing a component search uses.
bool DescribedParts(const std::string& sequence, std::vector<DescribedPart>& parts) {
  std::size_t pos = 0;
  bool variant = false;
  while (pos < sequence.size()) {
    std::uint32_t cp = 0;
    if (sequence[pos] == '[') {  // a source reference such as "[P7-03]" for a part no code has
      std::size_t close = sequence.find(']', pos);
      if (close == std::string::npos) return false;
      pos = close + 1;
      variant = false;
      continue;
    }
    if (!DecodeUtf8(sequence, pos, cp)) return false;
    if (cp == 0x303E) {
      variant = true;
    } else if (!IsDescriptionCharacter(cp) && cp != 0xFF1F) {
      parts.push_back({cp, variant});
      variant = false;
    } else {
      variant = false;
    }
  }
  return true;
}

// The radical number of a kRSUnicode value that has no further strokes
// ("85.0", "120'.0"), or 0.
int WholeRadical(const std::string& radicalStroke) {
  std::string first = radicalStroke.substr(0, radicalStroke.find(' '));
  std::size_t dot = first.find('.');
  if (dot == std::string::npos || first.substr(dot + 1) != "0") return 0;
  std::string number = first.substr(0, dot);
  while (!number.empty() && number.back() == '\'') number.pop_back();
  return IsNumber(number) ? std::stoi(number) : 0;
}

}  // namespace

bool AddDecompositionRecords(const std::string& text, ComponentSource& source, std::string& error) {
  const std::string opening = "module.exports = `";
  std::size_t close = text.rfind('`');
  if (text.rfind(opening, 0) != 0 || close < opening.size()) {
    error = "the decomposition data is not a module of one quoted text";
    return false;
  }
  for (const std::string& line : Lines(text.substr(opening.size(), close - opening.size()))) {
    if (line.empty()) continue;
    std::string key;
    DecompositionRecord record;
    if (ParseRecord(line, key, record))
      source.records[key] = record;
    else
      ++source.skippedRecords;
  }
  return true;
}

bool AddDescriptionSequences(const std::string& text, ComponentSource& source, std::string& error) {
  for (const std::string& line : Lines(text)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields = Split(line, ';');
    std::uint32_t cp = 0;
    if (fields.size() < 6) {
      error = "malformed USourceData line: " + line;
      return false;
    }
    if (!IsEncodedStatus(fields[1]) || fields[5].empty()) continue;
    if (fields[2].rfind("U+", 0) != 0 || !ParseHex(fields[2].substr(2), cp)) {
      error = "malformed USourceData code point: " + line;
      return false;
    }
    if (source.descriptions.count(cp)) continue;
    std::vector<DescribedPart> parts;
    if (!DescribedParts(fields[5], parts)) {
      error = "malformed description sequence: " + line;
      return false;
    }
    if (parts.size() == 1 && parts[0].codePoint == cp) continue;
    if (!parts.empty()) source.descriptions[cp] = parts;
  }
  return true;
}

bool AddRadicalForms(const std::string& cjkRadicals, const std::string& equivalents,
                     const UnihanRecords& records, ComponentSource& source, std::string& error) {
  std::map<int, std::uint32_t> ideographOf;
  std::vector<std::pair<int, std::vector<std::uint32_t>>> forms;
  for (const std::string& line : Lines(cjkRadicals)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields = Split(line, ';');
    std::string number = Trimmed(fields[0]);
    bool simplified = !number.empty() && number.back() == '\'';
    if (simplified) number.pop_back();
    std::uint32_t radical = 0, ideograph = 0;
    if (fields.size() != 3 || !IsNumber(number) || !ParseHex(Trimmed(fields[2]), ideograph) ||
        (!Trimmed(fields[1]).empty() && !ParseHex(Trimmed(fields[1]), radical))) {
      error = "malformed CJKRadicals line: " + line;
      return false;
    }
    if (!simplified) ideographOf[std::stoi(number)] = ideograph;
    forms.push_back({std::stoi(number), {radical, ideograph}});
  }
  for (const auto& [number, codes] : forms)
    for (std::uint32_t form : codes)
      if (form && form != ideographOf[number]) source.standsFor[form] = ideographOf[number];
  for (const std::string& line : Lines(equivalents)) {
    std::string data = Trimmed(line.substr(0, line.find('#')));
    if (data.empty()) continue;
    std::vector<std::string> fields = Split(data, ';');
    std::string range = fields.size() == 2 ? Trimmed(fields[0]) : "";
    std::size_t dots = range.find("..");
    std::uint32_t first = 0, last = 0, ideograph = 0;
    if (fields.size() != 2 || !ParseHex(range.substr(0, dots), first) ||
        !ParseHex(dots == std::string::npos ? range : range.substr(dots + 2), last) ||
        !ParseHex(Trimmed(fields[1]), ideograph) || last < first) {
      error = "malformed EquivalentUnifiedIdeograph line: " + line;
      return false;
    }
    for (std::uint32_t form = first; form <= last; ++form)
      if (!source.standsFor.count(form)) source.standsFor[form] = ideograph;
  }
  for (const auto& [cp, fields] : records) {
    const std::string* value = FindField(fields, "kRSUnicode");
    auto radical = ideographOf.find(value ? WholeRadical(*value) : 0);
    if (radical != ideographOf.end() && radical->second != cp) source.standsFor[cp] = radical->second;
  }
  // A supplement form may stand for a form that stands for another (⺡ for
  // 氵 for 水): every entry names the end of its chain.
  for (auto& [form, ideograph] : source.standsFor)
    for (int step = 0; step < 4 && source.standsFor.count(ideograph); ++step)
      ideograph = source.standsFor.at(ideograph);
  return true;
}

std::uint32_t StandsFor(const ComponentSource& source, std::uint32_t codePoint) {
  auto found = source.standsFor.find(codePoint);
  return found == source.standsFor.end() ? codePoint : found->second;
}

std::map<std::uint32_t, CharacterComponents> DecomposeRepertoire(const ComponentSource& source,
                                                                 const UnihanRecords& records) {
  std::unordered_map<std::string, CharacterComponents> done;
  std::set<std::string> open;
  // The components of one record's key; a key met again inside its own
  // expansion adds nothing further.
  std::function<const CharacterComponents&(const std::string&)> expand =
      [&](const std::string& key) -> const CharacterComponents& {
    static const CharacterComponents kNone;
    auto known = done.find(key);
    if (known != done.end()) return known->second;
    if (open.count(key)) return kNone;
    open.insert(key);
    CharacterComponents result;
    auto addExpansion = [&](const CharacterComponents& inner, unsigned times, bool asParts) {
      for (const auto& [component, count] : inner.components) result.components[component] += count * times;
      result.forms.insert(inner.forms.begin(), inner.forms.end());
      for (unsigned t = 0; asParts && t < times; ++t)
        result.parts.insert(result.parts.end(), inner.parts.begin(), inner.parts.end());
    };
    auto addPart = [&](std::uint32_t cp, const std::string& text, unsigned times) {
      result.components[StandsFor(source, cp)] += times;
      result.forms.insert(cp);
      result.parts.insert(result.parts.end(), times, cp);
      addExpansion(expand(text), times, false);
    };
    std::uint32_t self = 0;
    bool isCharacter = SingleCodePoint(key, self) && !IsNumber(key);
    auto record = source.records.find(key);
    auto description = isCharacter ? source.descriptions.find(self) : source.descriptions.end();
    if (record != source.records.end() && !record->second.parts.empty()) {
      unsigned times = TimesDrawn(record->second.operation);
      for (const std::string& part : record->second.parts) {
        std::uint32_t cp = 0;
        if (times == 0) break;
        if (IsNumber(part))
          addExpansion(expand(part), times, true);
        else if (SingleCodePoint(part, cp))
          addPart(cp, part, times);
      }
    } else if (description != source.descriptions.end()) {
      for (const DescribedPart& part : description->second) {
        std::string text;
        AppendUtf8(part.codePoint, text);
        if (part.variantOf)
          addExpansion(expand(text), 1, true);
        else
          addPart(part.codePoint, text, 1);
      }
    }
    if (isCharacter) {
      result.components.erase(self);
      result.forms.erase(self);
    }
    open.erase(key);
    return done[key] = std::move(result);
  };
  std::map<std::uint32_t, CharacterComponents> repertoire;
  for (const auto& record : records) {
    std::string text;
    AppendUtf8(record.first, text);
    const CharacterComponents& found = expand(text);
    if (!found.components.empty()) repertoire[record.first] = found;
  }
  return repertoire;
}
