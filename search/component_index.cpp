#include "search/component_index.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "chardb/utf8.h"

namespace {

// Calls visit(line) for every line of the text, without its LF (and CR).
template <typename Visit>
void ForEachLine(const std::string& text, Visit visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::size_t length = end - pos;
    if (length && text[pos + length - 1] == '\r') --length;
    visit(pos, length);
    pos = end + 1;
  }
}

// A character followed by optional decimal digits ("品3"), starting at pos
// and ending before a blank or the line's end; count 1 without digits.
bool NextCountedCharacter(const std::string& text, std::size_t& pos, std::size_t end, std::uint32_t& cp,
                          unsigned& count) {
  if (!NextUtf8(text, pos, cp) || pos > end) return false;
  count = 0;
  bool digits = false;
  while (pos < end && text[pos] >= '0' && text[pos] <= '9') {
    count = std::min(count * 10 + static_cast<unsigned>(text[pos] - '0'), 0x7FFFu);
    digits = true;
    ++pos;
  }
  if (!digits) count = 1;
  return pos == end || text[pos] == ' ';
}

bool IsBlank(std::uint32_t cp) { return cp == ' ' || cp == '\t' || cp == 0x3000; }

std::uint32_t HexValue(const char* code) {
  std::uint32_t value = 0;
  for (int i = 0; code[i] && i < 8; ++i) {
    char c = code[i];
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return 0;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

void BuildIndex(const ComponentData& data, const CharacterTables& tables, const CommonOrder& order,
                ComponentIndex& index) {
  struct Holding {
    std::uint32_t component, character, count;
  };
  std::vector<Holding> holdings;
  std::vector<std::uint32_t> components;
  std::uint32_t largest = 0;
  ForEachLine(data.index, [&](std::size_t pos, std::size_t length) {
    std::size_t end = pos + length, at = pos;
    std::uint32_t component = 0, cp = 0;
    unsigned count = 0;
    if (!NextUtf8(data.index, at, component) || at >= end || data.index[at] != '\t') return;
    if (!components.empty() && component <= components.back()) return;
    std::size_t first = holdings.size();
    for (++at; at < end; ++at) {
      if (!NextCountedCharacter(data.index, at, end, cp, count)) {
        holdings.resize(first);
        return;
      }
      holdings.push_back({static_cast<std::uint32_t>(components.size()), cp, count});
      largest = std::max(largest, cp);
    }
    components.push_back(component);
  });
  // Positions of the characters, common first.
  index.positionOf.assign(largest + 1, kNoPosition);
  for (const Holding& holding : holdings) index.positionOf[holding.character] = 0;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> ranked;
  for (std::uint32_t cp = 0; cp <= largest; ++cp)
    if (index.positionOf[cp] == 0) ranked.push_back({order.key(cp), cp});
  std::sort(ranked.begin(), ranked.end());
  for (const auto& entry : ranked) {
    index.positionOf[entry.second] = static_cast<std::uint32_t>(index.characters.size());
    index.characters.push_back(entry.second);
  }
  const std::vector<std::uint32_t>& positionOf = index.positionOf;
  std::size_t characterCount = index.characters.size();
  if (characterCount > kComponentEntryMaxPosition || components.size() > kComponentEntryMaxPosition) {
    index.characters.clear();
    return;
  }
  index.components = std::move(components);
  index.holderStart.assign(index.components.size() + 1, 0);
  index.partStart.assign(characterCount + 1, 0);
  index.holders.reserve(holdings.size());
  for (const Holding& holding : holdings) {
    std::uint32_t position = positionOf[holding.character];
    ++index.holderStart[holding.component + 1];
    ++index.partStart[position + 1];
    index.holders.push_back({position | (holding.count << 17)});
  }
  for (std::size_t i = 1; i < index.holderStart.size(); ++i) {
    index.holderStart[i] += index.holderStart[i - 1];
    std::sort(index.holders.begin() + index.holderStart[i - 1], index.holders.begin() + index.holderStart[i],
              [](ComponentEntry a, ComponentEntry b) { return a.position() < b.position(); });
  }
  for (std::size_t i = 1; i < index.partStart.size(); ++i) index.partStart[i] += index.partStart[i - 1];
  // Each character's components: the holdings in component order, so each
  // character's list ascends.
  index.parts.resize(holdings.size());
  std::vector<std::uint32_t> next(index.partStart.begin(), index.partStart.end() - 1);
  for (const Holding& holding : holdings)
    index.parts[next[positionOf[holding.character]]++] = {holding.component | (holding.count << 17)};

  index.strokes.assign(characterCount, 0);
  std::size_t records = std::min(tables.strokePieces, tables.strokes.size());
  for (std::size_t i = 0; i < records; ++i) {
    const StrokeRecord& record = tables.strokes[i];
    char code[kStrokeCodeWidth + 1] = {};
    std::memcpy(code, record.code, kStrokeCodeWidth);
    std::uint32_t cp = HexValue(code);
    if (cp == 0 || cp > largest || positionOf[cp] == kNoPosition) continue;
    index.strokes[positionOf[cp]] = static_cast<std::uint8_t>(std::clamp(record.strokes, 0, 255));
  }

  ForEachLine(data.forms, [&](std::size_t pos, std::size_t length) {
    std::size_t at = pos;
    std::uint32_t form = 0, ideograph = 0;
    if (NextUtf8(data.forms, at, form) && at < pos + length && data.forms[at++] == '\t' &&
        NextUtf8(data.forms, at, ideograph) && at == pos + length)
      index.standsFor.push_back({form, ideograph});
  });
  std::sort(index.standsFor.begin(), index.standsFor.end());

  ForEachLine(data.palette, [&](std::size_t pos, std::size_t length) {
    std::size_t tab = data.palette.find('\t', pos);
    if (tab == std::string::npos || tab >= pos + length || tab == pos || tab - pos > 3) return;
    PaletteRow row{std::atoi(data.palette.substr(pos, tab - pos).c_str()), {}};
    std::uint32_t form = 0;
    for (std::size_t at = tab + 1; at < pos + length;)
      if (NextUtf8(data.palette, at, form)) row.forms.push_back(form);
      else return;
    if (row.strokes > 0 && !row.forms.empty()) index.palette.push_back(row);
  });
  for (const PaletteRow& row : index.palette)
    for (std::uint32_t form : row.forms) {
      long position = ComponentPosition(index, ComponentStandsFor(index, form));
      if (position >= 0) index.paletteComponents.push_back(static_cast<std::uint32_t>(position));
    }
  std::sort(index.paletteComponents.begin(), index.paletteComponents.end());
  index.paletteComponents.erase(std::unique(index.paletteComponents.begin(), index.paletteComponents.end()),
                                index.paletteComponents.end());
}

}  // namespace

bool BuildComponentIndex(const ComponentData& data, const CharacterTables& tables, const CommonOrder& order,
                         ComponentIndex& index) {
  index = ComponentIndex();
  try {
    BuildIndex(data, tables, order, index);
  } catch (const std::bad_alloc&) {
    index = ComponentIndex();
    return false;
  }
  index.built = true;
  index.builtFor = &data;
  return true;
}

std::uint32_t ComponentStandsFor(const ComponentIndex& index, std::uint32_t codePoint) {
  auto found = std::lower_bound(index.standsFor.begin(), index.standsFor.end(),
                                std::make_pair(codePoint, std::uint32_t{0}));
  return found != index.standsFor.end() && found->first == codePoint ? found->second : codePoint;
}

long ComponentPosition(const ComponentIndex& index, std::uint32_t codePoint) {
  auto found = std::lower_bound(index.components.begin(), index.components.end(), codePoint);
  return found != index.components.end() && *found == codePoint ? found - index.components.begin() : -1;
}

bool IsHanComponentCharacter(std::uint32_t cp) {
  return (cp >= 0x2E80 && cp <= 0x2FDF) ||   // CJK radicals supplement, KangXi radicals
         (cp >= 0x31C0 && cp <= 0x31EF) ||   // CJK strokes
         (cp >= 0x3400 && cp <= 0x4DBF) ||   // Extension A
         (cp >= 0x4E00 && cp <= 0x9FFF) ||   // URO
         (cp >= 0xF900 && cp <= 0xFAFF) ||   // compatibility ideographs
         (cp >= 0x20000 && cp <= 0x2FA1F) ||  // Extensions B to F, compatibility supplement
         (cp >= 0x30000 && cp <= 0x323AF);    // Extensions G and H
}

bool IsComponentCharacter(const ComponentIndex& index, std::uint32_t codePoint) {
  return IsHanComponentCharacter(codePoint) || ComponentPosition(index, ComponentStandsFor(index, codePoint)) >= 0;
}

ComponentQuery ReadComponentKey(const ComponentIndex& index, const std::string& key) {
  ComponentQuery query;
  for (std::size_t pos = 0; pos < key.size();) {
    std::uint32_t cp = 0;
    if (!NextUtf8(key, pos, cp)) {
      query = ComponentQuery();
      query.problem = ComponentKeyProblem::kNotUtf8;
      return query;
    }
    if (IsBlank(cp)) continue;
    if (IsComponentCharacter(index, cp)) {
      query.typed.push_back(cp);
    } else {
      query.problem = ComponentKeyProblem::kNotComponent;
      if (std::find(query.strangers.begin(), query.strangers.end(), cp) == query.strangers.end())
        query.strangers.push_back(cp);
    }
  }
  std::size_t units = 0;
  for (std::uint32_t cp : query.typed) units += cp > 0xFFFF ? 2 : 1;
  if (units > kComponentKeyMaxUnits) query.problem = ComponentKeyProblem::kTooMany;
  for (std::uint32_t cp : query.typed) {
    std::uint32_t component = ComponentStandsFor(index, cp);
    auto at = std::lower_bound(query.wanted.begin(), query.wanted.end(), std::make_pair(component, 0u));
    if (at != query.wanted.end() && at->first == component)
      ++at->second;
    else
      query.wanted.insert(at, {component, 1});
  }
  return query;
}

std::vector<std::uint32_t> FindComponentCharacters(const ComponentIndex& index, const ComponentQuery& query) {
  std::vector<std::uint32_t> found;
  if (query.problem != ComponentKeyProblem::kNone || query.wanted.empty()) return found;
  // Each wanted component's list, the shortest first.
  struct Wanted {
    const ComponentEntry* first;
    const ComponentEntry* end;
    unsigned count;
  };
  std::vector<Wanted> lists;
  for (const auto& [component, count] : query.wanted) {
    long position = ComponentPosition(index, component);
    if (position < 0) return found;
    lists.push_back({index.holders.data() + index.holderStart[position],
                     index.holders.data() + index.holderStart[position + 1], count});
  }
  std::sort(lists.begin(), lists.end(),
            [](const Wanted& a, const Wanted& b) { return a.end - a.first < b.end - b.first; });
  for (const ComponentEntry* entry = lists[0].first; entry != lists[0].end; ++entry)
    if (entry->count() >= lists[0].count) found.push_back(entry->position());
  for (std::size_t i = 1; i < lists.size() && !found.empty(); ++i) {
    std::size_t kept = 0;
    const ComponentEntry* entry = lists[i].first;
    for (std::uint32_t position : found) {
      entry = std::lower_bound(entry, lists[i].end, position,
                               [](const ComponentEntry& e, std::uint32_t p) { return e.position() < p; });
      if (entry == lists[i].end) break;
      if (entry->position() == position && entry->count() >= lists[i].count) found[kept++] = position;
    }
    found.resize(kept);
  }
  return found;
}

std::vector<std::uint32_t> ScanComponentCharacters(const std::string& text, const ComponentQuery& query) {
  std::vector<std::uint32_t> found;
  if (query.problem != ComponentKeyProblem::kNone || query.wanted.empty()) return found;
  ForEachLine(text, [&](std::size_t pos, std::size_t length) {
    std::size_t end = pos + length, at = pos;
    std::uint32_t character = 0, cp = 0;
    unsigned count = 0;
    if (!NextUtf8(text, at, character)) return;
    std::size_t second = text.find('\t', at);
    std::size_t third = second == std::string::npos ? second : text.find('\t', second + 1);
    if (third == std::string::npos || third >= end) return;
    std::size_t matched = 0;
    for (at = third + 1; at < end; ++at) {
      if (!NextCountedCharacter(text, at, end, cp, count)) return;
      for (const auto& [component, wanted] : query.wanted)
        if (component == cp && count >= wanted) ++matched;
    }
    if (matched == query.wanted.size()) found.push_back(character);
  });
  return found;
}

namespace {

// How often each palette component is wanted, by component position.
std::vector<unsigned> WantedByPosition(const ComponentIndex& index, const ComponentQuery& query) {
  std::vector<unsigned> wanted(index.components.size(), 0);
  for (const auto& [component, count] : query.wanted) {
    long position = ComponentPosition(index, component);
    if (position >= 0) wanted[position] = count;
  }
  return wanted;
}

// How often the character holds the component: its list searched.
unsigned CountIn(const ComponentIndex& index, std::uint32_t character, std::uint32_t component) {
  const ComponentEntry* first = index.parts.data() + index.partStart[character];
  const ComponentEntry* end = index.parts.data() + index.partStart[character + 1];
  const ComponentEntry* at = std::lower_bound(
      first, end, component, [](const ComponentEntry& e, std::uint32_t p) { return e.position() < p; });
  return at != end && at->position() == component ? at->count() : 0;
}

// Up to this many found characters the plain count is the cheaper way.
constexpr std::size_t kCountedAnswerMax = 2000;
// How many found characters are asked whether they lack a component
// before its holders are counted instead.
constexpr std::size_t kFirstLookedAt = 32;

}  // namespace

std::vector<bool> PaletteNarrowingByCount(const ComponentIndex& index, const ComponentQuery& query,
                                          const std::vector<std::uint32_t>& found) {
  std::vector<std::uint32_t> counts(index.components.size(), 0);
  std::vector<unsigned> wanted = WantedByPosition(index, query);
  for (std::uint32_t character : found) {
    if (character + 1 >= index.partStart.size()) continue;
    for (std::uint32_t i = index.partStart[character]; i < index.partStart[character + 1]; ++i) {
      ComponentEntry entry = index.parts[i];
      if (entry.count() > wanted[entry.position()]) ++counts[entry.position()];
    }
  }
  std::vector<bool> narrows(index.components.size(), false);
  for (std::uint32_t position : index.paletteComponents)
    narrows[position] = counts[position] > 0 && counts[position] < found.size();
  return narrows;
}

// A large answer is asked per palette component instead: does one of its
// holders belong to the answer (its list, common first, read up to the
// first that does), and does one found character lack it (the answer read
// up to the first that does).
std::vector<bool> PaletteNarrowing(const ComponentIndex& index, const ComponentQuery& query,
                                   const std::vector<std::uint32_t>& found) {
  if (found.size() <= kCountedAnswerMax) return PaletteNarrowingByCount(index, query, found);
  std::vector<bool> narrows(index.components.size(), false);
  std::vector<std::uint8_t> inAnswer(index.characters.size(), 0);
  for (std::uint32_t character : found)
    if (character < inAnswer.size()) inAnswer[character] = 1;
  std::vector<unsigned> wanted = WantedByPosition(index, query);
  for (std::uint32_t component : index.paletteComponents) {
    unsigned more = wanted[component];
    const ComponentEntry* end = index.holders.data() + index.holderStart[component + 1];
    const ComponentEntry* holder = index.holders.data() + index.holderStart[component];
    while (holder != end && !(holder->count() > more && inAnswer[holder->position()])) ++holder;
    if (holder == end) continue;
    // Fewer holders than found characters: some lack it. Else the first
    // found characters mostly tell; failing that, the holders are counted.
    const ComponentEntry* first = index.holders.data() + index.holderStart[component];
    bool lacking = static_cast<std::size_t>(end - first) < found.size();
    for (std::size_t i = 0; !lacking && i < found.size() && i < kFirstLookedAt; ++i)
      lacking = CountIn(index, found[i], component) <= more;
    if (!lacking) {
      std::size_t held = 0;
      for (; holder != end; ++holder) held += holder->count() > more && inAnswer[holder->position()];
      lacking = held < found.size();
    }
    narrows[component] = lacking;
  }
  return narrows;
}
