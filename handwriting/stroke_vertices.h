// The points of a stroke that the recogniser reads. Zinnia describes a
// stroke by the vertices it finds by splitting the stroke, again and
// again, at the point farthest from the line between the ends of a part,
// and uses the parts of the first five rounds only. Its splitting has no
// bound of its own: a long wavy stroke makes it grow a table of 2^depth
// parts. The stroke cut down to the vertices of those five rounds gives
// the recogniser the same parts, computed as it computes them, and ends
// its splitting there.
#pragma once

#include "handwriting/drawing.h"

// The rounds of splitting the recogniser's description uses.
constexpr int kVertexRounds = 5;

// The stroke's first and last points and the vertices of the first
// kVertexRounds rounds, in drawing order: at most 2 + 2^5 - 1 points.
InkStroke StrokeVertices(const InkStroke& stroke, int width, int height);
