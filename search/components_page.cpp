#include "search/components_page.h"

#include <algorithm>
#include <functional>

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "chardb/utf8.h"
#include "search/program_links.h"
#include "search/result_page.h"
#include "search/search_memory.h"
#include "search/search_texts.h"

namespace {

std::string HexText(std::uint32_t cp) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = cp > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4) text += kDigits[(cp >> shift) & 0xF];
  return text;
}

std::string Reference(std::uint32_t cp) { return "&#x" + HexText(cp) + ";"; }

std::string ComponentsTarget(const std::string& key) {
  return HtmlEscaped(ProgramLinkTarget(kComponentsSearch, key));
}

std::size_t Units(const std::vector<std::uint32_t>& typed) {
  std::size_t units = 0;
  for (std::uint32_t cp : typed) units += cp > 0xFFFF ? 2 : 1;
  return units;
}

void AppendChosen(const ComponentIndex& index, const ComponentQuery& query, std::string& page) {
  page += kComponentsChosenIntro;
  page += "<P><FONT size=+4>";
  for (std::size_t i = 0; i < query.typed.size(); ++i)
    AppendFilledFormat(page, kComponentsLinkFormat,
                       {ComponentsTarget(ComponentsKey(index, query.typed, i, 0)), Reference(query.typed[i])});
  page += "</FONT>";
}

// What is no component named, and a link to the components alone.
void AppendStrangers(const ComponentIndex& index, const ComponentQuery& query, std::string& page) {
  std::string named;
  for (std::uint32_t cp : query.strangers) named += (named.empty() ? "" : " ") + Reference(cp);
  AppendFilledFormat(page, query.strangers.size() == 1 ? kComponentsNotComponentFormat : kComponentsNotComponentsFormat,
                     {named});
  if (query.typed.empty()) return;
  std::string alone;
  for (std::uint32_t cp : query.typed) alone += Reference(cp);
  AppendFilledFormat(page, kComponentsAloneFormat,
                     {ComponentsTarget(ComponentsKey(index, query.typed, query.typed.size(), 0)), alone});
}

int Band(std::uint32_t level) { return level <= 3 ? 0 : level <= 8 ? 1 : 2; }

void AppendCharacters(std::vector<RankedCharacter> shown, std::string& page) {
  static const char* const kBands[] = {kComponentsBandGeneral, kComponentsBandFrequent, kComponentsBandOther};
  std::stable_sort(shown.begin(), shown.end(), [](const RankedCharacter& a, const RankedCharacter& b) {
    return Band(a.level) != Band(b.level) ? Band(a.level) < Band(b.level) : a.strokes < b.strokes;
  });
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const RankedCharacter& c = shown[i];
    bool newBand = i == 0 || Band(shown[i - 1].level) != Band(c.level);
    if (newBand) page += kBands[Band(c.level)];
    if (newBand || shown[i - 1].strokes != c.strokes) {
      if (c.strokes == 1)
        page += kComponentsOneStrokeGroup;
      else
        AppendFilledFormat(page, kComponentsStrokeGroupFormat, {std::to_string(c.strokes)});
    }
    AppendFilledFormat(page, kComponentsCharacterFormat, {LinkedCharacter(HexText(c.codePoint))});
  }
}

// The palette: every form linked when nothing is chosen; else only those
// that keep some of the found characters but not all.
void AppendPalette(const ComponentIndex& index, const ComponentQuery& query,
                   const std::vector<bool>& narrowing, std::string& page) {
  bool chosen = !query.typed.empty();
  page += chosen ? kComponentsNarrowHeading : kComponentsPaletteHeading;
  for (const PaletteRow& row : index.palette) {
    AppendFilledFormat(page, kComponentsPaletteRowFormat, {std::to_string(row.strokes)});
    for (std::uint32_t form : row.forms) {
      long position = ComponentPosition(index, ComponentStandsFor(index, form));
      bool fits = Units(query.typed) + (form > 0xFFFF ? 2 : 1) <= kComponentKeyMaxUnits;
      bool narrows = !chosen || (position >= 0 && static_cast<std::size_t>(position) < narrowing.size() &&
                                 narrowing[position]);
      bool answerable = query.problem == ComponentKeyProblem::kNone || query.typed.empty();
      if (fits && narrows && answerable)
        AppendFilledFormat(page, kComponentsLinkFormat,
                           {ComponentsTarget(ComponentsKey(index, query.typed, query.typed.size(), form)), Reference(form)});
      else
        AppendFilledFormat(page, kComponentsGreyFormat, {Reference(form)});
    }
    page += "</FONT>";
  }
}

}  // namespace

std::string ComponentsKey(const ComponentIndex& index, const std::vector<std::uint32_t>& typed, std::size_t skip,
                          std::uint32_t added) {
  std::string key;
  for (std::size_t i = 0; i < typed.size(); ++i)
    if (i != skip && IsComponentCharacter(index, typed[i])) AppendUtf8(typed[i], key);
  if (added) AppendUtf8(added, key);
  return key;
}

std::string ComponentsPage(const ComponentIndex& index, const ComponentQuery& query,
                           const std::vector<RankedCharacter>& shown, std::size_t foundCount,
                           const std::vector<bool>& narrowing) {
  std::string page = kComponentsHeader;
  switch (query.problem) {
    case ComponentKeyProblem::kNotUtf8: page += kComponentsNotUtf8; break;
    case ComponentKeyProblem::kTooMany: page += kComponentsTooMany; break;
    case ComponentKeyProblem::kNotComponent: AppendStrangers(index, query, page); break;
    case ComponentKeyProblem::kNone: break;
  }
  if (query.typed.empty()) {
    page += kComponentsPaletteIntro;
  } else {
    AppendChosen(index, query, page);
    if (query.problem == ComponentKeyProblem::kNone) {
      if (foundCount == 0)
        page += std::string("<P>") + kNoResult;
      else if (foundCount == 1)
        page += kComponentsFoundOne;
      else if (shown.size() < foundCount)
        AppendFilledFormat(page, kComponentsShownFormat, {std::to_string(foundCount), std::to_string(shown.size())});
      else
        AppendFilledFormat(page, kComponentsFoundFormat, {std::to_string(foundCount)});
      AppendCharacters(shown, page);
    }
  }
  AppendPalette(index, query, narrowing, page);
  page += kBodyClosing;
  return page;
}

std::string ComponentsSearchPage(const ComponentIndex& index, const ComponentData& data, const std::string& key,
                                 const CommonOrder& order, bool scanning) {
  ComponentQuery query = ReadComponentKey(index, key);
  std::vector<std::uint32_t> found;
  if (!scanning) {
    found = FindComponentCharacters(index, query);
  } else {
    for (std::uint32_t cp : ScanComponentCharacters(data.characters, query))
      if (cp < index.positionOf.size() && index.positionOf[cp] != kNoPosition) found.push_back(index.positionOf[cp]);
    std::sort(found.begin(), found.end());
  }
  std::vector<RankedCharacter> shown;
  for (std::size_t i = 0; i < found.size() && i < kComponentsShownMax; ++i) {
    std::uint32_t cp = index.characters[found[i]];
    shown.push_back({cp, order.level(cp), index.strokes[found[i]]});
  }
  std::vector<bool> narrowing =
      scanning ? PaletteNarrowingByCount(index, query, found) : PaletteNarrowing(index, query, found);
  return ComponentsPage(index, query, shown, found.size(), narrowing);
}

namespace {

// The one ranking of the tables, common first.
CommonOrder CommonOrderOf(const CharacterTables& tables) {
  const CommonRanking* ranking = &tables.ranking;
  return {[ranking](std::uint32_t cp) { return CommonRankKey(*ranking, cp); },
          [ranking](std::uint32_t cp) { return CommonLevel(*ranking, cp); }};
}

// What the components search keeps: its index, built on its first use.
struct ComponentsMemory : KindMemory {
  ComponentIndex index;
};

}  // namespace

const ComponentIndex& CurrentComponentIndex(const CharacterTables& tables, SearchMemory& memory) {
  ComponentIndex& index = KindMemoryOf<ComponentsMemory>(memory, kComponentsSearch).index;
  if (!index.built || index.builtFor != &tables.components)
    BuildComponentIndex(tables.components, tables, CommonOrderOf(tables), index);
  return index;
}

SearchOutcome WriteComponentsPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                  SearchMethod method) {
  const ComponentIndex& index = CurrentComponentIndex(tables, memory);
  CommonOrder order = CommonOrderOf(tables);
  std::string page;
  if (index.characters.empty())
    page = std::string(kComponentsHeader) + kComponentsDataMissing + kBodyClosing;
  else
    page = ComponentsSearchPage(index, tables.components, key, order, method == SearchMethod::kScanning);
  return KindOutcome(kComponentsSearch, page, key);
}
