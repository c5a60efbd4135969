// The components search: which characters contain every component of a
// key (each character of the key one component, a repeated one asked for
// as often as it is repeated), through an index of the generated
// component files, beside the plain scan of the decomposition table that
// the tests and the benchmark hold it to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "chardb/component_data.h"

// The longest key, in UTF-16 units as a search field counts them: 19
// components, fewer of those beyond the Basic Multilingual Plane.
constexpr std::size_t kComponentKeyMaxUnits = 19;

struct PaletteRow {
  int strokes;
  std::vector<std::uint32_t> forms;  // as the characters draw them (亻, 氵), the most frequent first
};

// An entry of the index's lists: a position in `characters` or in
// `components`, and how often the component occurs, packed in one word.
struct ComponentEntry {
  std::uint32_t word;
  std::uint32_t position() const { return word & 0x1FFFF; }
  std::uint32_t count() const { return word >> 17; }
};
constexpr std::uint32_t kComponentEntryMaxPosition = 0x1FFFF;

// How common each character is, as the one ranking says: an ascending key
// (common first) and the character's level (1-8 ranked, above 8 not).
struct CommonOrder {
  std::function<std::uint64_t(std::uint32_t)> key;
  std::function<std::uint32_t(std::uint32_t)> level;
};

constexpr std::uint32_t kNoPosition = 0xFFFFFFFF;

// The characters stand in the common-first order: a list of positions in
// ascending order is a list of characters common first.
struct ComponentIndex {
  bool built = false;
  const ComponentData* builtFor = nullptr;
  std::vector<std::uint32_t> characters;     // code points, common first
  std::vector<std::uint32_t> positionOf;     // by code point: its position in characters, or kNoPosition
  std::vector<std::uint8_t> strokes;         // by position in characters: total strokes (kTotalStrokes)
  std::vector<std::uint32_t> components;     // ascending code points
  std::vector<std::uint32_t> holderStart;    // by component, into holders; one more at the end
  std::vector<ComponentEntry> holders;       // each component's characters, ascending by position
  std::vector<std::uint32_t> partStart;      // by character, into parts; one more at the end
  std::vector<ComponentEntry> parts;         // each character's components, ascending
  std::vector<std::pair<std::uint32_t, std::uint32_t>> standsFor;  // ascending by form
  std::vector<PaletteRow> palette;
  std::vector<std::uint32_t> paletteComponents;  // the positions of the palette forms' components, each once
};

// Builds the index from the component index, palette and form files, its
// characters in the order's common-first order, and takes each
// character's total strokes from the stroke table. A line of no expected
// shape is passed over. False when memory runs out (the index then stays
// unbuilt).
bool BuildComponentIndex(const ComponentData& data, const CharacterTables& tables, const CommonOrder& order,
                         ComponentIndex& index);

// The ideograph a form stands for (水 for 氵), else the form itself.
std::uint32_t ComponentStandsFor(const ComponentIndex& index, std::uint32_t codePoint);

// The position of a component in index.components, or -1.
long ComponentPosition(const ComponentIndex& index, std::uint32_t codePoint);

enum class ComponentKeyProblem {
  kNone,
  kNotUtf8,       // the key is no UTF-8 text
  kTooMany,       // longer than kComponentKeyMaxUnits
  kNotComponent,  // characters that are no ideographs, radicals or strokes
};

// A key read as components.
struct ComponentQuery {
  ComponentKeyProblem problem = ComponentKeyProblem::kNone;
  std::vector<std::uint32_t> strangers;  // with kNotComponent: those characters, each once, as typed
  std::vector<std::uint32_t> typed;      // the key's components as typed, blanks and strangers left out
  // Each distinct component (as ComponentStandsFor maps it) and how often
  // it is asked for, ascending by code point.
  std::vector<std::pair<std::uint32_t, unsigned>> wanted;
};

// Whether the code point is of the Han repertoire's blocks, the radical
// blocks or the CJK strokes.
bool IsHanComponentCharacter(std::uint32_t codePoint);

// Whether the character may be a component: of those blocks, or one the
// index knows.
bool IsComponentCharacter(const ComponentIndex& index, std::uint32_t codePoint);

// Reads the key: UTF-8, blanks (space, tab, ideographic space) passed over,
// each other character one component; one that is none (a Latin letter) is
// a stranger, and a key with one finds nothing.
ComponentQuery ReadComponentKey(const ComponentIndex& index, const std::string& key);

// The characters that contain every wanted component at least as often
// as it is wanted, by position in index.characters, ascending (common
// first); none for a query with a problem or no components.
std::vector<std::uint32_t> FindComponentCharacters(const ComponentIndex& index, const ComponentQuery& query);

// The same answer, as code points ascending, by the plain scan: every line
// of the decomposition table (CharacterComponents.txt) read in turn.
std::vector<std::uint32_t> ScanComponentCharacters(const std::string& characterComponents,
                                                   const ComponentQuery& query);

// Which components would narrow the answer (`found`, positions ascending):
// by component position, whether one more pick of it keeps some of the
// found characters but not all (those that hold it once more than it is
// wanted). Computed for the palette's components; the others are false.
std::vector<bool> PaletteNarrowing(const ComponentIndex& index, const ComponentQuery& query,
                                   const std::vector<std::uint32_t>& found);

// The same by the plain count: every found character's components counted.
std::vector<bool> PaletteNarrowingByCount(const ComponentIndex& index, const ComponentQuery& query,
                                          const std::vector<std::uint32_t>& found);
