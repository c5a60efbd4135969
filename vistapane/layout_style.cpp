#include "vistapane/layout_style.h"

#include <algorithm>

namespace vistapane {
namespace {

char32_t Lower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

int HexDigit(char32_t c) {
  c = Lower(c);
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

std::u32string Trim(const std::u32string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsCollapsibleSpace(text[begin])) ++begin;
  while (end > begin && IsCollapsibleSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsClosingPunctuation(char32_t c) {
  static const char32_t kClosing[] = U",.;:!?)]}\u3001\u3002\uFF0C\uFF0E\uFF1A\uFF1B\uFF01"
                                     U"\uFF1F\uFF09\u300D\u300F\u3011\u3009\u300B\u2019\u201D";
  return std::char_traits<char32_t>::find(kClosing, std::char_traits<char32_t>::length(kClosing),
                                          c) != nullptr;
}

bool IsOpeningPunctuation(char32_t c) {
  static const char32_t kOpening[] = U"([{\uFF08\u300C\u300E\u3010\u3008\u300A\u2018\u201C";
  return std::char_traits<char32_t>::find(kOpening, std::char_traits<char32_t>::length(kOpening),
                                          c) != nullptr;
}

}  // namespace

int FontSizePixels(int htmlSize, int scalePercent) {
  static const int kPixels[7] = {10, 13, 16, 18, 24, 32, 48};
  int size = std::clamp(htmlSize, 1, 7);
  return std::max(1, (kPixels[size - 1] * scalePercent + 50) / 100);
}

int ParseFontSize(const std::u32string& value, int current) {
  std::u32string text = Trim(value);
  size_t i = 0;
  int sign = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '+' ? 1 : -1;
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return current;
  int number = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && number < 100)
    number = number * 10 + static_cast<int>(text[i++] - '0');
  int size = sign == 0 ? number : 3 + sign * number;
  return std::clamp(size, 1, 7);
}

bool ParseColor(const std::u32string& value, uint32_t& color) {
  std::u32string text = Trim(value);
  static const struct { const char* name; uint32_t rgb; } kNames[] = {
      {"black", 0x000000}, {"silver", 0xC0C0C0}, {"gray", 0x808080},   {"grey", 0x808080},
      {"white", 0xFFFFFF}, {"maroon", 0x800000}, {"red", 0xFF0000},    {"purple", 0x800080},
      {"fuchsia", 0xFF00FF}, {"green", 0x008000}, {"lime", 0x00FF00},  {"olive", 0x808000},
      {"yellow", 0xFFFF00}, {"navy", 0x000080},  {"blue", 0x0000FF},   {"teal", 0x008080},
      {"aqua", 0x00FFFF}};
  std::string lower;
  for (char32_t c : text) lower.push_back(c < 0x80 ? static_cast<char>(Lower(c)) : '?');
  for (const auto& entry : kNames) {
    if (lower == entry.name) {
      color = entry.rgb;
      return true;
    }
  }
  size_t start = !text.empty() && text[0] == '#' ? 1 : 0;
  size_t digits = text.size() - start;
  if (digits != 6 && digits != 3) return false;
  uint32_t rgb = 0;
  for (size_t i = start; i < text.size(); ++i) {
    int d = HexDigit(text[i]);
    if (d < 0) return false;
    rgb = (rgb << (digits == 3 ? 8 : 4)) | static_cast<uint32_t>(digits == 3 ? d * 17 : d);
  }
  color = rgb;
  return true;
}

std::u32string FirstFace(const std::u32string& faces) {
  std::u32string first = faces.substr(0, faces.find(','));
  first = Trim(first);
  if (first.size() >= 2 && (first[0] == '"' || first[0] == '\'') && first.back() == first[0])
    first = first.substr(1, first.size() - 2);
  return Trim(first);
}

bool IsIdeograph(char32_t c) {
  return (c >= 0x2E80 && c <= 0x2FDF) ||   // radicals
         (c >= 0x3040 && c <= 0x30FF) ||   // kana
         (c >= 0x3400 && c <= 0x4DBF) ||   // Extension A
         (c >= 0x4E00 && c <= 0x9FFF) ||   // unified ideographs
         (c >= 0xF900 && c <= 0xFAFF) ||   // compatibility ideographs
         (c >= 0x20000 && c <= 0x3FFFF);   // the supplementary ideographic planes
}

bool BreakAllowedBetween(char32_t before, char32_t after) {
  if (before == 0xA0 || after == 0xA0) return false;
  if (!IsIdeograph(before) && !IsIdeograph(after)) return false;
  if (IsClosingPunctuation(after) || IsOpeningPunctuation(before)) return false;
  return true;
}

}  // namespace vistapane
