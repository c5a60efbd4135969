// Reads the sources of the characters' components: the CJK decomposition
// data (records such as "瞧:a(目,焦)" or "10017:d/t(一,10018)", a numbered
// record being an intermediate part), the ideographic description
// sequences of USourceData.txt, and the radical tables that say which
// ideograph a radical form stands for; and expands every character into
// all its components, the parts of its parts included, down to strokes.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/datagen/unihan_source.h"

struct DecompositionRecord {
  std::string operation;           // "a", "d/t", "r3tr", "c"
  std::vector<std::string> parts;  // each a character (UTF-8) or an intermediate's number
};

// A part of a description sequence: a character, or a variant of one
// ("〾X", whose components are those of X, without X itself).
struct DescribedPart {
  std::uint32_t codePoint;
  bool variantOf;
};

struct ComponentSource {
  std::unordered_map<std::string, DecompositionRecord> records;  // by key
  std::size_t skippedRecords = 0;                                // lines of no record's shape
  std::map<std::uint32_t, std::vector<DescribedPart>> descriptions;
  std::map<std::uint32_t, std::uint32_t> standsFor;  // a radical form -> its ideograph
};

// The records of cjk-decomp.txt.js (the text between the backquotes of
// "module.exports = `...`;"). A line of no record's shape is counted in
// skippedRecords; false when the text is not such a module.
bool AddDecompositionRecords(const std::string& text, ComponentSource& source, std::string& error);

// Field 5 of the USourceData lines of encoded ideographs (field 1 a block:
// URO, ExtA to ExtH, Comp), the first sequence of each code point. The
// description characters, "？" and bracketed source references are passed
// over; a sequence that is only its own character describes nothing.
bool AddDescriptionSequences(const std::string& text, ComponentSource& source, std::string& error);

// Which ideograph each radical form stands for: a KangXi radical or radical
// supplement form (EquivalentUnifiedIdeograph.txt), and a repertoire
// ideograph whose kRSUnicode says it is radical R (or its simplified form
// R') with no further strokes, "85.0" for 氵; both map to the ideograph of
// radical R in CJKRadicals.txt (水), and that ideograph is itself.
bool AddRadicalForms(const std::string& cjkRadicals, const std::string& equivalents,
                     const UnihanRecords& records, ComponentSource& source, std::string& error);

// The ideograph a form stands for, or the form itself.
std::uint32_t StandsFor(const ComponentSource& source, std::uint32_t codePoint);

struct CharacterComponents {
  std::vector<std::uint32_t> parts;              // its own parts, as the source writes them
  std::map<std::uint32_t, unsigned> components;  // every component (as StandsFor maps it), how often
  std::set<std::uint32_t> forms;                 // every component as the source writes it
};

// The components of every repertoire code point that has any: from its
// decomposition record, else from its description sequence. A repeated
// part (r3tr(口): three 口) counts as often as it is drawn; a reflected,
// rotated or modified form (refh, rot, m...) is a component of its own and
// is not taken apart; the character itself is never its own component.
std::map<std::uint32_t, CharacterComponents> DecomposeRepertoire(const ComponentSource& source,
                                                                 const UnihanRecords& records);
