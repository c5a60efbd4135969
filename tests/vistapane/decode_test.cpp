// Decoding of page bytes. Expected code points and byte sequences come from
// Python's codecs, e.g.
//   python3 -c "print('中'.encode('utf-8').hex(), '中'.encode('gb18030').hex())"
//   -> e4b8ad d6d0;  '𠀀' -> f0a08080 95328236;  b'\x80\x93\x9f'.decode('cp1252')
//   -> U+20AC U+201C U+0178.
#include <gtest/gtest.h>

#include "vistapane/decode.h"

namespace vistapane {
namespace {

const char kPinyinHead[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" "
    "CONTENT=\"text/html; charset=GB18030\"><STYLE>TD{font-family: NSimSun-18030;  "
    "background: #ffffff}</STYLE></HEAD><BODY><TABLE>";
const char kMatthewsHead[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" "
    "CONTENT=\"text/html; charset=Latin-1\"><STYLE>P{font-family: NSimSun-18030;  "
    "background: #ffffff}</STYLE></HEAD><BODY>";

TEST(DeclaredCharset, ReadsTheMetaDeclarationInAnyCase) {
  EXPECT_EQ(DeclaredCharset(kPinyinHead), "gb18030");
  EXPECT_EQ(DeclaredCharset(kMatthewsHead), "latin-1");
  EXPECT_EQ(DeclaredCharset("<meta charset=\"UTF-8\">"), "utf-8");
  EXPECT_EQ(DeclaredCharset("<meta charset=big5>"), "big5");
  EXPECT_EQ(DeclaredCharset("<html><body>no declaration</body>"), "");
  EXPECT_EQ(DeclaredCharset(""), "");
  EXPECT_EQ(DeclaredCharset("charset="), "");
}

TEST(DecodeUtf8, DecodesEveryLengthAndDropsTheByteOrderMark) {
  EXPECT_EQ(DecodeUtf8("A\xC3\xA9\xE4\xB8\xAD\xF0\xA0\x80\x80"), U"A\u00E9\u4E2D\U00020000");
  EXPECT_EQ(DecodeUtf8("\xEF\xBB\xBFx"), U"x");
  EXPECT_EQ(DecodeUtf8("\xEF\xBB"), U"\uFFFD\uFFFD");
  EXPECT_EQ(DecodeUtf8(""), U"");
}

TEST(DecodeUtf8, EveryBadByteBecomesOneReplacementCharacter) {
  struct Case { const char* bytes; std::u32string expected; };
  const Case cases[] = {
      {"\xC0\xAF", U"\uFFFD\uFFFD"},              // overlong '/'
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},    // a surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"a\xE4\xB8", U"a\uFFFD\uFFFD"},            // cut at the end
      {"\xFF" "b", U"\uFFFDb"},
      {"\x80\x80", U"\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUtf8(c.bytes), c.expected) << c.bytes;
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_TRUE(IsValidUtf8("plain \xE4\xB8\xAD"));
}

TEST(DecodePage, LegacyCharsetsGoToTheConverter) {
  std::string seen;
  CharsetConverter convert = [&](const std::string& charset, const std::string& bytes,
                                 std::u32string& out) {
    seen = charset;
    if (charset != "gb18030" || bytes.find("\xD6\xD0") == std::string::npos) return false;
    out = U"converted";
    return true;
  };
  EXPECT_EQ(DecodePage(std::string(kPinyinHead) + "\xD6\xD0", convert), U"converted");
  EXPECT_EQ(seen, "gb18030");
  // The converter refuses: the bytes are read as UTF-8.
  seen.clear();
  std::u32string fallback = DecodePage("<meta charset=big5>\xA4\xA4", convert);
  EXPECT_EQ(seen, "big5");
  EXPECT_EQ(fallback.substr(fallback.size() - 2), U"\uFFFD\uFFFD");
  // No converter at all.
  EXPECT_EQ(DecodePage("<meta charset=gbk>\xD6", nullptr).back(), U'\uFFFD');
}

TEST(DecodePage, AsciiAndUtf8PagesNeverReachTheConverter) {
  bool called = false;
  CharsetConverter convert = [&](const std::string&, const std::string&, std::u32string&) {
    called = true;
    return false;
  };
  EXPECT_EQ(DecodePage(std::string(kPinyinHead) + "&#x4e2d;", convert).back(), U';');
  // A page declaring GB18030 that copies a UTF-8 definition is read as UTF-8.
  std::u32string page = DecodePage(std::string(kPinyinHead) + "caf\xC3\xA9", convert);
  EXPECT_EQ(page.substr(page.size() - 4), U"caf\u00E9");
  EXPECT_FALSE(called);
}

TEST(DecodePage, Latin1AndWindows1252) {
  std::u32string latin = DecodePage(std::string(kMatthewsHead) + "\xE9!\x80\x93\x9F\x81", nullptr);
  EXPECT_EQ(latin.substr(latin.size() - 6), U"\u00E9!\u20AC\u201C\u0178\u0081");
  std::u32string win = DecodePage("<meta charset=windows-1252>\xA0", nullptr);
  EXPECT_EQ(win.back(), U'\u00A0');
}

TEST(DecodeGb18030, FourByteCodesAndTheTwoByteDecoder) {
  // python3 -c "print(hex(ord(b'\x81\x30\x84\x36'.decode('gb18030'))))" and so on:
  // 81308130 -> U+0080, 81308436 -> U+00A5, 8431A439 -> U+FFFF,
  // 95328236 -> U+20000, 9835F336 -> U+2A6D6, E3329A35 -> U+10FFFF.
  std::string bytes = "a\x81\x30\x81\x30\x81\x30\x84\x36\x84\x31\xA4\x39\x95\x32\x82\x36"
                      "\x98\x35\xF3\x36\xE3\x32\x9A\x35\xD6\xD0";
  TwoByteDecoder table = [](unsigned lead, unsigned trail) -> char32_t {
    return lead == 0xD6 && trail == 0xD0 ? 0x4E2D : 0;
  };
  EXPECT_EQ(DecodeGb18030(bytes, table),
            U"a\u0080\u00A5\uFFFF\U00020000\U0002A6D6\U0010FFFF\u4E2D");
}

TEST(DecodeGb18030, MalformedSequences) {
  struct Case { std::string bytes; std::u32string expected; };
  const Case cases[] = {
      {"\x80x", U"\uFFFDx"},
      {"\xFF", U"\uFFFD"},
      {"\x81", U"\uFFFD"},                  // cut after the lead byte
      {"\x81\x30", U"\uFFFD0"},             // cut inside a four-byte code
      {"\x81\x30\x81", U"\uFFFD0\uFFFD"},
      {"\x84\x31\xA5\x30", U"\uFFFD"},      // past U+FFFF in the BMP part
      {"\xE3\x32\x9A\x36", U"\uFFFD"},      // past U+10FFFF
      {"\x85\x30\x81\x30", U"\uFFFD"},      // a lead byte with no four-byte codes
      {"\xD6\xD0", U"\uFFFD"},              // a two-byte code the decoder does not know
      {"\xD6\x20", U"\uFFFD "},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeGb18030(c.bytes, nullptr), c.expected);
}

}  // namespace
}  // namespace vistapane
