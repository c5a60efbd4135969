// A drawn character: the drawing area's size and the strokes in drawing
// order, each a run of points in pixels, y downwards.
#pragma once

#include <vector>

struct InkPoint {
  int x = 0;
  int y = 0;
};

using InkStroke = std::vector<InkPoint>;

struct Drawing {
  int width = 0;
  int height = 0;
  std::vector<InkStroke> strokes;
};

// The bounds a drawing keeps to: no recogniser model knows a character of
// more strokes, and a drawing area larger than a screen is no pad.
constexpr int kDrawingMaxSide = 10000;
constexpr std::size_t kDrawingMaxStrokes = 100;
