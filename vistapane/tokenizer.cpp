#include "vistapane/tokenizer.h"

#include <algorithm>

namespace vistapane {
namespace {

// The names of U+00A0 to U+00FF in order.
const char* const kLatin1Names[96] = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf",
    "laquo", "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro",
    "para", "middot", "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest",
    "Agrave", "Aacute", "Acirc", "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave",
    "Eacute", "Ecirc", "Euml", "Igrave", "Iacute", "Icirc", "Iuml", "ETH", "Ntilde", "Ograve",
    "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml",
    "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde", "auml", "aring", "aelig",
    "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc", "iuml", "eth",
    "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave",
    "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml"};

bool IsAsciiAlpha(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool IsSpace(char32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char32_t ToLower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

int HexValue(char32_t c) {
  if (IsDigit(c)) return static_cast<int>(c - '0');
  c = ToLower(c);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

char32_t NamedReference(const std::string& name) {
  static const struct { const char* name; char32_t cp; } kBasic[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& entry : kBasic)
    if (name == entry.name) return entry.cp;
  for (int i = 0; i < 96; ++i)
    if (name == kLatin1Names[i]) return static_cast<char32_t>(0xA0 + i);
  return 0;
}

// Reads a reference starting at text[at] == '&' and ending before `end`.
// Returns its length and sets `cp`, or 0 when it is malformed.
size_t ReadReference(const std::u32string& text, size_t at, size_t end, char32_t& cp) {
  size_t i = at + 1;
  if (i < end && text[i] == '#') {
    ++i;
    bool hex = i < end && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    size_t start = i;
    // Every digit is read; the value saturates just past the last code point.
    unsigned long value = 0;
    while (i < end) {
      int digit = hex ? HexValue(text[i]) : (IsDigit(text[i]) ? static_cast<int>(text[i] - '0') : -1);
      if (digit < 0) break;
      value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
      if (value > 0x10FFFF) value = 0x110000;
      ++i;
    }
    if (i == start || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
      return 0;
    if (i < end && text[i] == ';') ++i;
    cp = static_cast<char32_t>(value);
    return i - at;
  }
  std::string name;
  while (i < end && name.size() < 8 && (IsAsciiAlpha(text[i]) || IsDigit(text[i])))
    name.push_back(static_cast<char>(text[i++]));
  if (i >= end || text[i] != ';') return 0;
  cp = NamedReference(name);
  return cp ? i + 1 - at : 0;
}

// text[begin, end) with its references resolved, added to `out`.
void AppendResolved(const std::u32string& text, size_t begin, size_t end, std::u32string& out) {
  size_t plain = begin;
  for (size_t i = begin; i < end;) {
    char32_t cp;
    size_t length = text[i] == '&' ? ReadReference(text, i, end, cp) : 0;
    if (!length) {
      ++i;
      continue;
    }
    out.append(text, plain, i - plain);
    out.push_back(cp);
    i += length;
    plain = i;
  }
  out.append(text, plain, end - plain);
}

class Tokenizer {
 public:
  explicit Tokenizer(const std::u32string& page) : page_(page) {}

  std::vector<Token> Run() {
    // About a text and a tag for every '<'; the vector is not grown and moved.
    tokens_.reserve(2 * static_cast<size_t>(std::count(page_.begin(), page_.end(), U'<')) + 1);
    size_t textStart = 0;
    while (pos_ < page_.size()) {
      if (page_[pos_] != '<') { ++pos_; continue; }
      size_t lt = pos_;
      if (!AtMarkup()) { ++pos_; continue; }
      FlushText(textStart, lt);
      ReadMarkup();
      textStart = pos_;
    }
    FlushText(textStart, page_.size());
    return std::move(tokens_);
  }

 private:
  bool AtMarkup() const {
    if (pos_ + 1 >= page_.size()) return false;
    char32_t next = page_[pos_ + 1];
    if (IsAsciiAlpha(next) || next == '!' || next == '?') return true;
    return next == '/' && pos_ + 2 < page_.size() && IsAsciiAlpha(page_[pos_ + 2]);
  }

  void FlushText(size_t begin, size_t end) {
    if (begin >= end) return;
    Token token;
    token.text.reserve(end - begin);
    AppendResolved(page_, begin, end, token.text);
    tokens_.push_back(std::move(token));
  }

  void SkipUntil(const std::u32string& closing) {
    size_t end = page_.find(closing, pos_);
    pos_ = end == std::u32string::npos ? page_.size() : end + closing.size();
  }

  void ReadMarkup() {
    char32_t next = page_[pos_ + 1];
    if (next == '!' && page_.compare(pos_, 4, U"<!--") == 0) {
      pos_ += 4;
      SkipUntil(U"-->");
      return;
    }
    if (next == '!' || next == '?') {
      pos_ += 2;
      SkipUntil(U">");
      return;
    }
    Token token;
    token.kind = next == '/' ? Token::kEndTag : Token::kStartTag;
    pos_ += next == '/' ? 2 : 1;
    while (pos_ < page_.size() && !IsSpace(page_[pos_]) && page_[pos_] != '>' && page_[pos_] != '/')
      token.name.push_back(static_cast<char>(ToLower(page_[pos_++]) & 0x7F));
    ReadAttributes(token);
    bool raw = token.kind == Token::kStartTag &&
               (token.name == "style" || token.name == "script" || token.name == "title");
    std::string name = token.name;
    tokens_.push_back(std::move(token));
    if (raw) ReadRawText(name);
  }

  void ReadAttributes(Token& token) {
    while (pos_ < page_.size()) {
      while (pos_ < page_.size() && (IsSpace(page_[pos_]) || page_[pos_] == '/')) ++pos_;
      if (pos_ >= page_.size()) return;
      if (page_[pos_] == '>') { ++pos_; return; }
      std::string name;
      while (pos_ < page_.size() && !IsSpace(page_[pos_]) && page_[pos_] != '>' &&
             page_[pos_] != '=' && page_[pos_] != '/') {
        char32_t c = ToLower(page_[pos_++]);
        name.push_back(c < 0x80 ? static_cast<char>(c) : '?');
      }
      while (pos_ < page_.size() && IsSpace(page_[pos_])) ++pos_;
      std::u32string value;
      if (pos_ < page_.size() && page_[pos_] == '=') {
        ++pos_;
        while (pos_ < page_.size() && IsSpace(page_[pos_])) ++pos_;
        if (pos_ < page_.size() && (page_[pos_] == '"' || page_[pos_] == '\'')) {
          char32_t quote = page_[pos_++];
          size_t end = page_.find(quote, pos_);
          if (end == std::u32string::npos) end = page_.size();
          value = page_.substr(pos_, end - pos_);
          pos_ = end < page_.size() ? end + 1 : end;
        } else {
          while (pos_ < page_.size() && !IsSpace(page_[pos_]) && page_[pos_] != '>')
            value.push_back(page_[pos_++]);
        }
      }
      if (!name.empty()) token.attributes.emplace_back(name, ResolveReferences(value));
    }
  }

  // Content up to the matching end tag (any case); the end tag itself follows.
  void ReadRawText(const std::string& name) {
    size_t begin = pos_;
    size_t end = page_.size();
    for (size_t i = pos_; i + 2 + name.size() <= page_.size(); ++i) {
      if (page_[i] != '<' || page_[i + 1] != '/') continue;
      bool match = true;
      for (size_t k = 0; k < name.size() && match; ++k)
        match = ToLower(page_[i + 2 + k]) == static_cast<char32_t>(name[k]);
      if (match) { end = i; break; }
    }
    Token text;
    text.text = page_.substr(begin, end - begin);
    if (name == "title") text.text = ResolveReferences(text.text);
    tokens_.push_back(std::move(text));
    pos_ = end;
    if (end < page_.size()) {
      Token closing;
      closing.kind = Token::kEndTag;
      closing.name = name;
      tokens_.push_back(std::move(closing));
      pos_ = end + 2 + name.size();
      SkipUntil(U">");
    }
  }

  const std::u32string& page_;
  size_t pos_ = 0;
  std::vector<Token> tokens_;
};

}  // namespace

std::u32string ResolveReferences(const std::u32string& text) {
  if (text.find('&') == std::u32string::npos) return text;
  std::u32string out;
  out.reserve(text.size());
  AppendResolved(text, 0, text.size(), out);
  return out;
}

std::vector<Token> Tokenize(const std::u32string& page) { return Tokenizer(page).Run(); }

}  // namespace vistapane
