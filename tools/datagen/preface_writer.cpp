#include "tools/datagen/preface_writer.h"

#include <cstdint>
#include <vector>

#include "chardb/utf16.h"
#include "tools/datagen/data_forms.h"

namespace {

std::vector<std::string> Lines(const std::string& source) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < source.size()) {
    std::size_t end = source.find('\n', pos);
    if (end == std::string::npos) end = source.size();
    std::string line = source.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

bool IsUnderline(const std::string& line) {
  return !line.empty() && line.find_first_not_of('=') == std::string::npos;
}

// Appends text to RTF, escaping the control characters and writing each
// non-ASCII character as \uN? (N a signed 16-bit value, a surrogate pair
// above U+FFFF).
bool AppendRtfText(const std::string& text, std::string& rtf) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::uint32_t cp = 0;
    if (!DecodeUtf8(text, pos, cp)) return false;
    if (cp == '\n') {
      rtf += "\\line ";
    } else if (cp == '\\' || cp == '{' || cp == '}') {
      rtf += '\\';
      rtf += static_cast<char>(cp);
    } else if (cp < 0x80) {
      rtf += static_cast<char>(cp);
    } else {
      auto unit = [&rtf](std::uint32_t u) {
        rtf += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) + "?";
      };
      Utf16Units units = EncodeUtf16(cp);
      for (int k = 0; k < units.count; ++k) unit(units.unit[k]);
    }
  }
  return true;
}

}  // namespace

std::string PrefacePlainText(const std::string& source) {
  std::string text;
  for (const std::string& line : Lines(source)) text += line + "\r\n";
  return text;
}

std::string PrefaceCommentHeader(const std::string& source) {
  std::string header;
  for (const std::string& line : Lines(source)) header += line.empty() ? "#\n" : "# " + line + "\n";
  return header;
}

bool PrefaceRtf(const std::string& source, std::string& rtf, std::string& error) {
  std::vector<std::string> lines = Lines(source);
  rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs20\n";
  std::string paragraph;
  bool listItem = false;
  auto flush = [&]() {
    if (paragraph.empty()) return true;
    rtf += listItem ? "\\pard\\li360\\fi-240\\sa60 \\bullet  " : "\\pard\\sa120 ";
    bool ok = AppendRtfText(paragraph, rtf);
    rtf += "\\par\n";
    paragraph.clear();
    return ok;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    bool ok = true;
    if (i + 1 < lines.size() && IsUnderline(lines[i + 1]) && !line.empty()) {
      ok = flush();
      rtf += "\\pard\\sb120\\sa120{\\b\\fs28 ";
      ok = ok && AppendRtfText(line, rtf);
      rtf += "}\\par\n";
      ++i;
    } else if (line.find_first_not_of(' ') == std::string::npos) {
      ok = flush();
    } else if (line.compare(0, 2, "- ") == 0) {
      ok = flush();
      listItem = true;
      paragraph = line.substr(2);
    } else {
      if (paragraph.empty()) listItem = false;
      // The viewer does not wrap lines, so the source's line breaks stay.
      paragraph += paragraph.empty() ? line : "\n" + line.substr(line.find_first_not_of(' '));
    }
    if (!ok) {
      error = "malformed UTF-8 in the preface";
      return false;
    }
  }
  if (!flush()) {
    error = "malformed UTF-8 in the preface";
    return false;
  }
  rtf += "}";
  return true;
}
