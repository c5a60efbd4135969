#include "vistapane/decode.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "vistapane/gb18030_runs.h"

namespace vistapane {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// windows-1252 differs from Latin-1 in 0x80-0x9F; 0 marks the five holes.
const char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

std::u32string DecodeWindows1252(const std::string& bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  for (char b : bytes) {
    unsigned char c = static_cast<unsigned char>(b);
    if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80]) out.push_back(kCp1252High[c - 0x80]);
    else out.push_back(c);
  }
  return out;
}

bool HasMultiByte(const std::string& bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
}

// Length of a valid UTF-8 sequence at `i`, 0 when it is not one.
size_t Utf8Length(const std::string& s, size_t i, char32_t& cp) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) { cp = c; return 1; }
  size_t n;
  char32_t min;
  if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; min = 0x80; }
  else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; min = 0x800; }
  else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; min = 0x10000; }
  else return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    unsigned char d = static_cast<unsigned char>(s[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (d & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string DeclaredCharset(const std::string& bytes) {
  // The declaration stands in the head; 4 KB is plenty and keeps it cheap.
  std::string head = Lower(bytes.substr(0, 4096));
  size_t at = head.find("charset=");
  if (at == std::string::npos) return "";
  at += 8;
  while (at < head.size() && (head[at] == '"' || head[at] == '\'' || head[at] == ' ')) ++at;
  size_t end = at;
  while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) ||
                               head[end] == '-' || head[end] == '_'))
    ++end;
  return head.substr(at, end - at);
}

bool IsValidUtf8(const std::string& bytes) {
  char32_t cp;
  for (size_t i = 0; i < bytes.size();) {
    size_t n = Utf8Length(bytes, i, cp);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::u32string DecodeUtf8(const std::string& bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (i < bytes.size()) {
    char32_t cp;
    size_t n = Utf8Length(bytes, i, cp);
    if (n == 0) { out.push_back(0xFFFD); ++i; }
    else { out.push_back(cp); i += n; }
  }
  return out;
}

std::u32string DecodeGb18030(const std::string& bytes, const TwoByteDecoder& twoByte) {
  std::u32string out;
  out.reserve(bytes.size());
  auto at = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
  for (size_t i = 0; i < bytes.size();) {
    unsigned b1 = at(i);
    if (b1 < 0x80) {
      out.push_back(b1);
      ++i;
      continue;
    }
    if (b1 == 0x80 || b1 == 0xFF) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    unsigned b2 = at(i + 1);
    if (b2 >= 0x30 && b2 <= 0x39) {
      unsigned b3 = at(i + 2), b4 = at(i + 3);
      if (b3 < 0x81 || b3 > 0xFE || b4 < 0x30 || b4 > 0x39) {
        out.push_back(0xFFFD);
        ++i;
        continue;
      }
      unsigned index = (b2 - 0x30) * 1260 + (b3 - 0x81) * 10 + (b4 - 0x30);
      char32_t cp = 0xFFFD;
      if (b1 <= 0x84) {
        index += (b1 - 0x81) * 12600;
        if (index < kGb18030BmpEnd) {
          const Gb18030Run* run = std::upper_bound(std::begin(kGb18030Runs), std::end(kGb18030Runs), index,
                                                   [](unsigned v, const Gb18030Run& r) { return v < r.index; }) - 1;
          cp = run->cp + (index - run->index);
        }
      } else if (b1 >= 0x90 && b1 <= 0xE3) {
        char32_t value = 0x10000 + (b1 - 0x90) * 12600 + index;
        if (value <= 0x10FFFF) cp = value;
      }
      out.push_back(cp);
      i += 4;
      continue;
    }
    if ((b2 >= 0x40 && b2 <= 0x7E) || (b2 >= 0x80 && b2 <= 0xFE)) {
      char32_t cp = twoByte ? twoByte(b1, b2) : 0;
      out.push_back(cp ? cp : 0xFFFD);
      i += 2;
      continue;
    }
    out.push_back(0xFFFD);
    ++i;
  }
  return out;
}

std::u32string DecodePage(const std::string& bytes, const CharsetConverter& convert) {
  std::string charset = DeclaredCharset(bytes);
  bool utf8 = charset.empty() || charset == "utf-8" || charset == "utf8" ||
              (HasMultiByte(bytes) && IsValidUtf8(bytes));
  if (utf8 || !HasMultiByte(bytes)) return DecodeUtf8(bytes);
  if (charset == "latin-1" || charset == "latin1" || charset == "iso-8859-1" ||
      charset == "windows-1252" || charset == "cp1252" || charset == "us-ascii")
    return DecodeWindows1252(bytes);
  std::u32string out;
  if (convert && convert(charset, bytes, out)) return out;
  return DecodeUtf8(bytes);
}

}  // namespace vistapane
