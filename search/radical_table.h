// The 214 KangXi radicals, grouped by stroke count: 17 group titles and
// 214 radical rows, in the order of the radicals index page.
#pragma once

#include <cstddef>

constexpr std::size_t kRadicalRowCount = 231;
constexpr std::size_t kRadicalNameWidth = 30;
constexpr std::size_t kRadicalFormSlots = 8;
constexpr std::size_t kRadicalFormWidth = 10;

// A title row has no forms (its first slot is empty); a radical row holds
// the radical's English name and its forms, the standard ideograph first.
// Radical numbers are not stored: they count the radical rows from 1.
struct RadicalRow {
  char name[kRadicalNameWidth];
  char forms[kRadicalFormSlots][kRadicalFormWidth];
};

extern const RadicalRow kRadicalRows[kRadicalRowCount];
