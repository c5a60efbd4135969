// Twips (1/1440 inch) and points (1/72 inch) as device pixels at a
// device's resolution, rounded as MulDiv rounds.
#pragma once

#include <windows.h>

#include "editor/print_planning.h"

constexpr int kPointsPerInch = 72;

inline int TwipsToPixels(long twips, int pixelsPerInch) {
  return MulDiv(static_cast<int>(twips), pixelsPerInch, static_cast<int>(kTwipsPerInch));
}

inline int PointsToPixels(int points, int pixelsPerInch) { return MulDiv(points, pixelsPerInch, kPointsPerInch); }
