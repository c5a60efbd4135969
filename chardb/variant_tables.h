// The simplified and traditional variant tables: constant arrays generated
// from the Unihan variant fields at build time.
#pragma once

#include <cstddef>

constexpr std::size_t kVariantKeyWidth = 8;
constexpr std::size_t kVariantValueWidth = 20;

// One entry: a character's code point text and its variants (code point
// texts ascending, blank-separated), both padded with NUL.
struct VariantPair {
  char key[kVariantKeyWidth];
  char value[kVariantValueWidth];
};

extern const VariantPair kSimplifiedVariants[];
extern const std::size_t kSimplifiedVariantsCount;
extern const VariantPair kTraditionalVariants[];
extern const std::size_t kTraditionalVariantsCount;
