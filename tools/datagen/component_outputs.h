// The four component files the generator writes, one function each, and
// the coverage of the decompositions, from the expanded components.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "tools/datagen/component_source.h"
#include "tools/datagen/unihan_source.h"

using RepertoireComponents = std::map<std::uint32_t, CharacterComponents>;

// CharacterComponents.txt: a line per character that has components, by
// code point: the character, TAB, its own parts, TAB, every component
// followed by how often it occurs ("瞧\t目焦\t丶4 目1 ..."), by code point.
std::string CharacterComponentsText(const RepertoireComponents& components);

// ComponentIndex.txt, the inverse: a line per component, by code point: the
// component, TAB, the characters that contain it, by code point, blank-
// separated, each followed by how often it occurs there when more than
// once ("口\t叫 品3 器4 ...").
std::string ComponentIndexText(const RepertoireComponents& components);

// How many components the palette offers.
constexpr std::size_t kPaletteSize = 250;

// ComponentPalette.txt: the kPaletteSize forms that occur in the most
// characters of the General Standard Chinese Characters table (kTGH), as
// the source writes them (亻 and 人 each), a line per stroke count: the
// count, TAB, its forms, the most frequent first.
std::string ComponentPaletteText(const RepertoireComponents& components, const UnihanRecords& records,
                                 const ComponentSource& source);

// ComponentForms.txt: a line per radical form, by code point: the form, TAB,
// the ideograph it stands for ("氵\t水").
std::string ComponentFormsText(const ComponentSource& source);

// The characters of each block that have components, for the generator's
// report: "URO 20,990 of 20,992".
std::string CoverageReport(const RepertoireComponents& components, const UnihanRecords& records);
