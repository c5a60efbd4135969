// The character page's Components section: what the character is made of
// and which characters are made with it, read from the component index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "chardb/component_data.h"
#include "search/component_index.h"

// How many characters "Found in" lists before its link to all of them.
constexpr std::size_t kFoundInShown = 24;

// Appends the section: "Made of" the character's own parts, each a link to
// the Components page of that part (and of them all), then the other
// components of its parts, common first, single strokes left out; "Found
// in" the characters that contain it, common first, the first
// kFoundInShown of them and a link to the Components page of them all.
// Nothing when the component files know neither.
void AppendComponentsSection(std::string& page, const ComponentIndex& index, const ComponentData& data,
                             std::uint32_t character);
