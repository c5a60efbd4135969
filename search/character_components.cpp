#include "search/character_components.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "chardb/utf8.h"
#include "search/character_texts.h"
#include "search/program_links.h"
#include "search/result_page.h"
#include "search/search_kinds.h"
#include "search/search_texts.h"

namespace {

std::string CodeOf(std::uint32_t cp) {
  char code[16];
  std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(cp));
  return code;
}

std::string Reference(std::uint32_t cp) { return "&#x" + CodeOf(cp) + ";"; }

std::string Utf8(std::uint32_t cp) {
  std::string text;
  AppendUtf8(cp, text);
  return text;
}

// A link to the Components page of the key, showing the text.
std::string ComponentsLink(const std::string& key, const std::string& text) {
  return FillFormat(kCharacterProgramLinkFormat, {HtmlEscaped(ProgramLinkTarget(kComponentsSearch, key)), text});
}

// The line of the decomposition table that begins with the character
// (its lines ascend by code point), without its line end; empty when none.
std::string_view LineOf(const std::string& text, std::uint32_t character) {
  std::size_t low = 0, high = text.size();  // the line sought begins in [low, high); low begins a line
  while (low < high) {
    std::size_t middle = low + (high - low) / 2;
    std::size_t before = middle == low ? std::string::npos : text.rfind('\n', middle - 1);
    std::size_t start = before == std::string::npos || before + 1 < low ? low : before + 1;
    std::size_t end = std::min(text.find('\n', start), text.size());
    std::size_t at = start;
    std::uint32_t first = 0;
    if (!NextUtf8(text, at, first)) return {};
    if (first == character) {
      std::string_view line(text.data() + start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      return line;
    }
    if (first < character)
      low = end + 1;
    else
      high = start;
  }
  return {};
}

// Strokes are no parts a reader picks out: the CJK strokes and the
// one-stroke ideographs.
bool IsSingleStroke(std::uint32_t cp) {
  static const std::uint32_t kOneStroke[] = {0x4E00, 0x4E28, 0x4E36, 0x4E3F, 0x4E59, 0x4E5A, 0x4E85};
  return (cp >= 0x31C0 && cp <= 0x31EF) ||
         std::find(std::begin(kOneStroke), std::end(kOneStroke), cp) != std::end(kOneStroke);
}

// The code points of a field: its characters, each followed by optional
// digits (a count) and blanks, which are passed over.
std::vector<std::uint32_t> FieldCharacters(std::string_view field) {
  std::vector<std::uint32_t> characters;
  std::string text(field);
  for (std::size_t at = 0; at < text.size();) {
    if ((text[at] >= '0' && text[at] <= '9') || text[at] == ' ') {
      ++at;
      continue;
    }
    std::uint32_t cp = 0;
    if (!NextUtf8(text, at, cp)) break;
    characters.push_back(cp);
  }
  return characters;
}

// "Made of" and the parts of the parts, as lines; empty without a line.
std::string MadeOf(const ComponentIndex& index, std::string_view line) {
  std::size_t first = line.find('\t');
  std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
  if (second == std::string_view::npos) return {};
  std::vector<std::uint32_t> own = FieldCharacters(line.substr(first + 1, second - first - 1));
  if (own.empty()) return {};
  std::string parts, key;
  std::vector<std::uint32_t> ownComponents;
  for (std::uint32_t part : own) {
    parts += (parts.empty() ? "" : " ") + ComponentsLink(Utf8(part), Reference(part));
    key += Utf8(part);
    ownComponents.push_back(ComponentStandsFor(index, part));
  }
  if (own.size() > 1 && ReadComponentKey(index, key).problem == ComponentKeyProblem::kNone)
    parts += FillFormat(kMadeOfAllFormat, {HtmlEscaped(ProgramLinkTarget(kComponentsSearch, key))});
  std::string lines = FillFormat(kCharacterLineFormat, {kMadeOfLabel, parts});
  // The parts of its parts, common first.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> deeper;  // position in index.characters, code point
  for (std::uint32_t cp : FieldCharacters(line.substr(second + 1))) {
    bool own = std::find(ownComponents.begin(), ownComponents.end(), cp) != ownComponents.end();
    if (own || IsSingleStroke(cp)) continue;
    deeper.push_back({cp < index.positionOf.size() ? index.positionOf[cp] : kNoPosition, cp});
  }
  std::sort(deeper.begin(), deeper.end());
  std::string held;
  for (const auto& entry : deeper)
    held += (held.empty() ? "" : " ") + ComponentsLink(Utf8(entry.second), Reference(entry.second));
  if (!held.empty()) lines += kCharacterLineBreak + FillFormat(kCharacterLineFormat, {kPartsOfPartsLabel, held});
  return lines;
}

std::string FoundIn(const ComponentIndex& index, std::uint32_t character) {
  long component = ComponentPosition(index, ComponentStandsFor(index, character));
  if (component < 0) return {};
  std::uint32_t begin = index.holderStart[component], end = index.holderStart[component + 1];
  std::string html;
  for (std::uint32_t i = begin; i < end && i - begin < kFoundInShown; ++i)
    html += (html.empty() ? "" : "&nbsp; ") + LinkedCharacter(CodeOf(index.characters[index.holders[i].position()]));
  if (end - begin > kFoundInShown)
    html += FillFormat(kFoundInAllFormat, {HtmlEscaped(ProgramLinkTarget(kComponentsSearch, Utf8(character))),
                                           std::to_string(end - begin)});
  return html.empty() ? html : FillFormat(kCharacterLineFormat, {kFoundInLabel, html});
}

}  // namespace

void AppendComponentsSection(std::string& page, const ComponentIndex& index, const ComponentData& data,
                             std::uint32_t character) {
  if (index.characters.empty()) return;
  std::string madeOf = MadeOf(index, LineOf(data.characters, character));
  std::string foundIn = FoundIn(index, character);
  if (madeOf.empty() && foundIn.empty()) return;
  AppendFilledFormat(page, kCharacterSectionFormat, {kComponentsTitle});
  page += madeOf;
  if (!madeOf.empty() && !foundIn.empty()) page += kCharacterLineBreak;
  page += foundIn;
}
