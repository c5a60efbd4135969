#include "vistapane/links.h"

#include <string_view>
#include <vector>

#include "vistapane/pane_texts.h"

namespace vistapane {
namespace {

char32_t Lower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

bool StartsWithNoCase(const std::u32string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || Lower(text[i]) != static_cast<char32_t>(prefix[i])) return false;
  return true;
}

int Hex(char32_t c) {
  c = Lower(c);
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

bool IsSeparator(char32_t c) { return c == '\\' || c == '/'; }

bool IsNameCharacter(char32_t c) { return (c >= 'a' && c <= 'z') || c == '-'; }

// Letters, digits and a few signs of ASCII; beyond it, printable
// characters: no C1 controls, no general punctuation (its invisible marks
// and direction overrides), no surrogates, no U+FFF0 to U+FFFF (the
// replacement of invalid text among them).
bool IsKeyCharacter(char32_t c) {
  if (c < 0x80)
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::u32string_view(U"+-_.',").find(c) != std::u32string_view::npos;
  if (c < 0xA0 || (c >= 0x2000 && c <= 0x206F) || (c >= 0xD800 && c <= 0xDFFF)) return false;
  return !(c >= 0xFFF0 && c <= 0xFFFF) && c <= 0x10FFFF;
}

}  // namespace

bool IsProgramLinkForm(const std::u32string& target) {
  static const std::u32string prefix(kProgramLinkPrefix, kProgramLinkPrefix + sizeof kProgramLinkPrefix - 1);
  if (target.compare(0, prefix.size(), prefix) != 0) return false;
  std::size_t slash = target.find('/', prefix.size());
  if (slash == std::u32string::npos || slash == prefix.size() || slash - prefix.size() > kProgramLinkNameMax)
    return false;
  std::size_t keyLength = target.size() - slash - 1;
  if (keyLength == 0 || keyLength > kProgramLinkKeyMax) return false;
  for (std::size_t i = prefix.size(); i < slash; ++i)
    if (!IsNameCharacter(target[i])) return false;
  for (std::size_t i = slash + 1; i < target.size(); ++i) {
    if (!IsKeyCharacter(target[i])) return false;
    // A full stop stands between digits (140.8): never a file's extension or "..".
    if (target[i] == '.' && (i + 1 == target.size() || target[i + 1] < '0' || target[i + 1] > '9')) return false;
  }
  return true;
}

LinkKind ClassifyLink(const std::u32string& target) {
  static const std::u32string insertWord(kInsertWord, kInsertWord + sizeof kInsertWord - 1);
  if (target.find(insertWord) != std::u32string::npos) return LinkKind::kInsert;
  if (StartsWithNoCase(target, kProgramLinkPrefix))
    return IsProgramLinkForm(target) ? LinkKind::kProgram : LinkKind::kNone;
  if (StartsWithNoCase(target, "http:") || StartsWithNoCase(target, "https:") ||
      StartsWithNoCase(target, "mailto:"))
    return LinkKind::kExternal;
  size_t i = 0;
  while (i < target.size() && (target[i] == ' ' || target[i] == '\t')) ++i;
  if (i == target.size() || target[i] == '#') return LinkKind::kNone;
  return LinkKind::kFile;
}

std::u32string ResolveLink(const std::u32string& base, const std::u32string& target) {
  std::u32string link = target;
  if (StartsWithNoCase(link, "file:")) {
    // file:///C:/x, file://server/share/x, file:/x, file:x
    link = link.substr(5);
    size_t n = 0;
    while (n < link.size() && IsSeparator(link[n])) ++n;
    std::u32string rest = link.substr(n);
    if (rest.size() >= 2 && rest[1] == ':') link = rest;
    else if (n == 2) link = U"\\\\" + rest;
    else if (n > 0) link = U"\\" + rest;
    else link = rest;
  }
  size_t cut = link.find_first_of(U"#?");
  if (cut != std::u32string::npos) link.resize(cut);
  // %XX escapes give bytes of UTF-8; plain ASCII is what the pages use.
  std::u32string decoded;
  for (size_t i = 0; i < link.size(); ++i) {
    if (link[i] == '%' && i + 2 < link.size() && Hex(link[i + 1]) >= 0 && Hex(link[i + 2]) >= 0) {
      decoded.push_back(static_cast<char32_t>(Hex(link[i + 1]) * 16 + Hex(link[i + 2])));
      i += 2;
    } else {
      decoded.push_back(IsSeparator(link[i]) ? U'\\' : link[i]);
    }
  }
  bool drive = decoded.size() >= 2 && decoded[1] == ':';
  bool rooted = !decoded.empty() && decoded[0] == '\\';
  std::u32string path;
  if (drive || rooted) {
    path = decoded;
  } else {
    size_t slash = base.find_last_of(U"\\/");
    path = (slash == std::u32string::npos ? std::u32string() : base.substr(0, slash + 1)) + decoded;
    for (char32_t& c : path)
      if (c == '/') c = '\\';
  }
  // Fold "." and ".." segments, keeping a drive or UNC prefix.
  std::u32string prefix;
  size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    prefix = path.substr(0, 2);
    start = 2;
  } else if (path.compare(0, 2, U"\\\\") == 0) {
    prefix = U"\\\\";
    start = 2;
  }
  bool leading = start < path.size() && path[start] == '\\';
  std::vector<std::u32string> parts;
  size_t i = start;
  while (i <= path.size()) {
    size_t next = path.find('\\', i);
    if (next == std::u32string::npos) next = path.size();
    std::u32string part = path.substr(i, next - i);
    if (part == U"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != U".") {
      parts.push_back(part);
    }
    i = next + 1;
  }
  std::u32string out = prefix;
  if (leading) out += U"\\";
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += U"\\";
    out += parts[k];
  }
  return out;
}

}  // namespace vistapane
