// The stroke file that other tools write for the handwriting search: the
// first line "size W H" (the drawing area in pixels), then one stroke per
// line, its points as "x,y" pairs separated by blanks in drawing order,
// y downwards. Blank lines and lines beginning with '#' are ignored; a
// line may end in CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "handwriting/drawing.h"

constexpr std::size_t kStrokeLineMaxBytes = 65536;
constexpr std::uint64_t kInkFileMaxBytes = std::uint64_t{16} << 20;

// The drawing the text describes, or false with a one-line reason that
// names the line ("line 3: a point must be 'x,y' in whole numbers: 4;5").
// Every point lies inside the area: 0 <= x < W, 0 <= y < H.
bool ParseStrokeFile(const std::string& text, Drawing& drawing, std::string& error);
