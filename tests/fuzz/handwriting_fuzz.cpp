// The handwriting core on arbitrary bytes: as a stroke file (parsed, then
// each stroke cut to the recogniser's vertices) and as a model file (the
// check that stands before the recogniser). Neither may crash, hang or
// read out of bounds; a parsed drawing keeps to its bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "handwriting/model_check.h"
#include "handwriting/stroke_file.h"
#include "handwriting/stroke_vertices.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Drawing drawing;
  std::string error;
  if (ParseStrokeFile(bytes, drawing, error)) {
    if (drawing.strokes.empty() || drawing.strokes.size() > kDrawingMaxStrokes) std::abort();
    for (const InkStroke& stroke : drawing.strokes) {
      for (const InkPoint& point : stroke)
        if (point.x < 0 || point.y < 0 || point.x >= drawing.width || point.y >= drawing.height) std::abort();
      if (StrokeVertices(stroke, drawing.width, drawing.height).size() > 33) std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }
  IsHandwritingModel(bytes);
  return 0;
}
