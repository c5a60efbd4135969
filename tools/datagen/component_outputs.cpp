#include "tools/datagen/component_outputs.h"

#include <algorithm>
#include <vector>

#include "chardb/utf8.h"
#include "tools/datagen/data_forms.h"

namespace {

std::string Utf8Of(std::uint32_t cp) {
  std::string text;
  AppendUtf8(cp, text);
  return text;
}

// The strokes a form is drawn with: its own kTotalStrokes, one for a CJK
// stroke, else those of the ideograph it stands for; 0 when unknown.
int FormStrokes(std::uint32_t form, const UnihanRecords& records, const ComponentSource& source) {
  if (form >= 0x31C0 && form <= 0x31EF) return 1;
  for (std::uint32_t cp : {form, StandsFor(source, form)}) {
    auto record = records.find(cp);
    const std::string* value = record == records.end() ? nullptr : FindField(record->second, "kTotalStrokes");
    int strokes = 0;
    std::string error;
    if (value && TotalStrokesForm(*value, strokes, error)) return strokes;
  }
  return 0;
}

struct Block {
  const char* name;
  std::uint32_t first, last;
};
const Block kBlocks[] = {
    {"URO", 0x4E00, 0x9FFF},          {"Extension A", 0x3400, 0x4DBF},
    {"Extension B", 0x20000, 0x2A6DF}, {"Extension C", 0x2A700, 0x2B73F},
    {"Extension D", 0x2B740, 0x2B81F}, {"Extension E", 0x2B820, 0x2CEAF},
    {"Extension F", 0x2CEB0, 0x2EBEF}, {"Extension G", 0x30000, 0x3134F},
    {"Extension H", 0x31350, 0x323AF}, {"Compatibility", 0xF900, 0xFAFF},
    {"Compatibility Supplement", 0x2F800, 0x2FA1F},
};

}  // namespace

std::string CharacterComponentsText(const RepertoireComponents& components) {
  std::string text;
  for (const auto& [cp, found] : components) {
    text += Utf8Of(cp) + "\t";
    for (std::uint32_t part : found.parts) AppendUtf8(part, text);
    text += "\t";
    bool first = true;
    for (const auto& [component, count] : found.components) {
      text += (first ? "" : " ") + Utf8Of(component) + std::to_string(count);
      first = false;
    }
    text += "\n";
  }
  return text;
}

std::string ComponentIndexText(const RepertoireComponents& components) {
  std::map<std::uint32_t, std::vector<std::pair<std::uint32_t, unsigned>>> inverse;
  for (const auto& [cp, found] : components)
    for (const auto& [component, count] : found.components) inverse[component].push_back({cp, count});
  std::string text;
  for (const auto& [component, characters] : inverse) {
    text += Utf8Of(component) + "\t";
    for (std::size_t i = 0; i < characters.size(); ++i) {
      if (i) text += ' ';
      AppendUtf8(characters[i].first, text);
      if (characters[i].second > 1) text += std::to_string(characters[i].second);
    }
    text += "\n";
  }
  return text;
}

std::string ComponentPaletteText(const RepertoireComponents& components, const UnihanRecords& records,
                                 const ComponentSource& source) {
  std::map<std::uint32_t, std::size_t> commonCount;
  for (const auto& [cp, found] : components) {
    auto record = records.find(cp);
    if (record == records.end() || !FindField(record->second, "kTGH")) continue;
    for (std::uint32_t form : found.forms)
      if (FormStrokes(form, records, source) > 0) ++commonCount[form];
  }
  std::vector<std::pair<std::size_t, std::uint32_t>> ranked;
  for (const auto& [form, count] : commonCount) ranked.push_back({count, form});
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  if (ranked.size() > kPaletteSize) ranked.resize(kPaletteSize);
  std::map<int, std::string> byStrokes;
  for (const auto& entry : ranked) AppendUtf8(entry.second, byStrokes[FormStrokes(entry.second, records, source)]);
  std::string text;
  for (const auto& [strokes, forms] : byStrokes) text += std::to_string(strokes) + "\t" + forms + "\n";
  return text;
}

std::string ComponentFormsText(const ComponentSource& source) {
  std::string text;
  for (const auto& [form, ideograph] : source.standsFor) text += Utf8Of(form) + "\t" + Utf8Of(ideograph) + "\n";
  return text;
}

std::string CoverageReport(const RepertoireComponents& components, const UnihanRecords& records) {
  std::string text;
  std::size_t allFound = 0;
  for (const Block& block : kBlocks) {
    std::size_t inBlock = 0, found = 0;
    for (auto record = records.lower_bound(block.first); record != records.end() && record->first <= block.last;
         ++record) {
      ++inBlock;
      found += components.count(record->first);
    }
    allFound += found;
    text += "  components: " + std::string(block.name) + " " + std::to_string(found) + " of " +
            std::to_string(inBlock) + "\n";
  }
  text += "  components: all " + std::to_string(allFound) + " of " + std::to_string(records.size()) + "\n";
  return text;
}
