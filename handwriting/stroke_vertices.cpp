#include "handwriting/stroke_vertices.h"

#include <cmath>
#include <cstddef>

namespace {

// A point as the recogniser holds it: scaled into the unit square, in float.
struct UnitPoint {
  float x;
  float y;
};

// The recogniser's measure of the part first..last (last excluded from
// the points searched): the square of the largest distance from the line
// between the ends, over the square of the ends' distance, and the point
// where it is largest (the first of equals).
float FarthestPoint(const std::vector<UnitPoint>& points, std::size_t first, std::size_t last,
                    std::size_t& best) {
  if (first == last) return 0.0f;
  const float a = points[last].x - points[first].x;
  const float b = points[last].y - points[first].y;
  const float c = points[last].y * points[first].x - points[last].x * points[first].y;
  float max = -1.0f;
  for (std::size_t n = first; n != last; ++n) {
    const float distance = std::fabs((a * points[n].y) - (b * points[n].x) + c);
    if (distance > max) {
      max = distance;
      best = n;
    }
  }
  return max * max / (a * a + b * b);
}

void MarkVertices(const std::vector<UnitPoint>& points, std::size_t first, std::size_t last, int round,
                  std::vector<bool>& kept) {
  if (round == kVertexRounds) return;
  std::size_t best = first;
  const float distance = FarthestPoint(points, first, last, best);
  // The recogniser's threshold; a NaN (both ends at one place) splits nothing.
  if (!(distance > 0.001f)) return;
  kept[best] = true;
  MarkVertices(points, first, best, round + 1, kept);
  MarkVertices(points, best, last, round + 1, kept);
}

}  // namespace

InkStroke StrokeVertices(const InkStroke& stroke, int width, int height) {
  if (stroke.size() <= 2 || width <= 0 || height <= 0) return stroke;
  std::vector<UnitPoint> points(stroke.size());
  for (std::size_t at = 0; at < stroke.size(); ++at) {
    points[at].x = static_cast<float>(1.0 * stroke[at].x / width);
    points[at].y = static_cast<float>(1.0 * stroke[at].y / height);
  }
  std::vector<bool> kept(stroke.size(), false);
  kept.front() = kept.back() = true;
  MarkVertices(points, 0, stroke.size() - 1, 0, kept);
  InkStroke vertices;
  for (std::size_t at = 0; at < stroke.size(); ++at) {
    if (kept[at]) vertices.push_back(stroke[at]);
  }
  return vertices;
}
