#include "editor/rtf_document.h"

#include <cctype>

namespace {

// The number of \binN at `at` (just past the backslash), and where its
// data starts; false when `at` is not a \bin control word.
bool BinaryData(const std::string& bytes, std::size_t at, std::size_t& count, std::size_t& dataStart) {
  if (bytes.compare(at, 3, "bin") != 0) return false;
  std::size_t digit = at + 3;
  if (digit >= bytes.size() || !std::isdigit(static_cast<unsigned char>(bytes[digit]))) return false;
  count = 0;
  for (; digit < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[digit])); ++digit) {
    if (count > bytes.size()) return true;  // longer than the file: cut short
    count = count * 10 + static_cast<std::size_t>(bytes[digit] - '0');
  }
  dataStart = digit < bytes.size() && bytes[digit] == ' ' ? digit + 1 : digit;
  return true;
}

}  // namespace

bool IsWholeRtfDocument(const std::string& bytes) {
  if (bytes.compare(0, 5, "{\\rtf") != 0) return false;
  std::size_t depth = 0;
  std::size_t at = 0;
  for (; at < bytes.size(); ++at) {
    char c = bytes[at];
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      if (--depth == 0) break;
    } else if (c == '\\') {
      std::size_t count = 0, dataStart = 0;
      if (BinaryData(bytes, at + 1, count, dataStart)) {
        if (count > bytes.size() - dataStart) return false;
        at = dataStart + count - 1;
      } else {
        ++at;  // the escaped character, or the first letter of a control word
      }
    }
  }
  if (at >= bytes.size()) return false;
  for (++at; at < bytes.size(); ++at)
    if (bytes[at] != '\0' && !std::isspace(static_cast<unsigned char>(bytes[at]))) return false;
  return true;
}
