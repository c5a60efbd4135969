#include "handwriting/stroke_file.h"

#include <string_view>

#include "handwriting/handwriting_texts.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next word of the line, blanks skipped; empty at the line's end.
std::string_view NextWord(std::string_view line, std::size_t& at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  std::size_t start = at;
  while (at < line.size() && !IsBlank(line[at])) ++at;
  return line.substr(start, at - start);
}

// A whole number with an optional '-', bounded so that it cannot
// overflow: false for anything else. A value beyond the bound reads as
// the bound, which lies outside every area.
bool ReadNumber(std::string_view text, long& value) {
  std::size_t at = 0;
  bool negative = at < text.size() && text[at] == '-';
  if (negative) ++at;
  if (at == text.size()) return false;
  value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
    if (value <= kDrawingMaxSide) value = value * 10 + (text[at] - '0');
  }
  if (negative) value = -value;
  return true;
}

std::string LineError(std::size_t lineNumber, const std::string& reason) {
  return "line " + std::to_string(lineNumber) + ": " + reason;
}

// The word as a message shows it: at most 40 bytes.
std::string Quoted(std::string_view word) {
  return std::string(word.substr(0, 40)) + (word.size() > 40 ? "..." : "");
}

bool ParseSize(std::string_view line, Drawing& drawing, std::string& reason) {
  std::size_t at = 0;
  long width = 0, height = 0;
  if (NextWord(line, at) != "size") {
    reason = kStrokeFileNoSize;
    return false;
  }
  std::string_view w = NextWord(line, at), h = NextWord(line, at);
  if (!ReadNumber(w, width) || !ReadNumber(h, height) || !NextWord(line, at).empty() || width < 1 ||
      height < 1 || width > kDrawingMaxSide || height > kDrawingMaxSide) {
    reason = kStrokeFileBadSize;
    return false;
  }
  drawing.width = static_cast<int>(width);
  drawing.height = static_cast<int>(height);
  return true;
}

bool ParseStroke(std::string_view line, const Drawing& drawing, InkStroke& stroke, std::string& reason) {
  std::size_t at = 0;
  for (std::string_view word = NextWord(line, at); !word.empty(); word = NextWord(line, at)) {
    std::size_t comma = word.find(',');
    long x = 0, y = 0;
    if (comma == std::string_view::npos || !ReadNumber(word.substr(0, comma), x) ||
        !ReadNumber(word.substr(comma + 1), y)) {
      reason = kStrokeFileBadPoint + Quoted(word);
      return false;
    }
    if (x < 0 || y < 0 || x >= drawing.width || y >= drawing.height) {
      reason = kStrokeFileOutside + Quoted(word);
      return false;
    }
    stroke.push_back({static_cast<int>(x), static_cast<int>(y)});
  }
  return true;
}

}  // namespace

bool ParseStrokeFile(const std::string& text, Drawing& drawing, std::string& error) {
  drawing = Drawing{};
  bool sized = false;
  std::size_t lineNumber = 0;
  std::string reason;
  for (std::size_t start = 0; start < text.size();) {
    ++lineNumber;
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (line.size() > kStrokeLineMaxBytes) {
      error = LineError(lineNumber, kStrokeFileLongLine);
      return false;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size() || line[first] == '#') continue;
    if (!sized) {
      if (!ParseSize(line, drawing, reason)) {
        error = LineError(lineNumber, reason);
        return false;
      }
      sized = true;
      continue;
    }
    if (drawing.strokes.size() == kDrawingMaxStrokes) {
      error = LineError(lineNumber, kStrokeFileManyStrokes);
      return false;
    }
    drawing.strokes.emplace_back();
    if (!ParseStroke(line, drawing, drawing.strokes.back(), reason)) {
      error = LineError(lineNumber, reason);
      return false;
    }
  }
  if (!sized) {
    error = LineError(lineNumber + 1, kStrokeFileNoSize);
    return false;
  }
  if (drawing.strokes.empty()) {
    error = kStrokeFileNoStrokes;
    return false;
  }
  return true;
}
