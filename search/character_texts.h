// The character page's own texts, spelled exactly as the page and the
// status bar carry them.
#pragma once

#include <cstdint>

// Header and glyph: the page is UTF-8, its characters written as
// references; the glyph at the largest text size, its insert link beside.
// A section is a heading and one paragraph, its lines broken.
constexpr char kCharacterHeaderFormat[] =
    "<HTML><HEAD><TITLE>Character %s</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=UTF-8\"></HEAD><BODY>";
constexpr char kCharacterGlyphFormat[] = "<P><FONT size=7>&#x%s;</FONT>&nbsp;&nbsp;<A href=\"insert%s\">%s</A>";
constexpr char kCharacterCodesFormat[] =
    "<P>U+%s&nbsp;&nbsp; &amp;#x%s;&nbsp;&nbsp; &amp;#%s;&nbsp;&nbsp; UTF-8: %s&nbsp;&nbsp; UTF-16: %s";
constexpr char kCharacterBlockFormat[] = "<BR>Block: %s";
constexpr char kCharacterSectionFormat[] = "<H3>%s</H3><P>";
constexpr char kCharacterLineBreak[] = "<BR>";
constexpr char kCharacterLineFormat[] = "%s: %s";
constexpr char kCharacterProgramLinkFormat[] = "<A href=\"%s\">%s</A>";

// Section titles.
constexpr char kReadingsTitle[] = "Readings";
constexpr char kMeaningTitle[] = "Meaning";
constexpr char kShapeTitle[] = "Shape";
constexpr char kVariantsTitle[] = "Variants";
constexpr char kWordsTitle[] = "Words";
constexpr char kComponentsTitle[] = "Components";

// Readings, by the Unihan field they come from; Mandarin from the pinyin
// extract.
constexpr char kMandarinLabel[] = "Mandarin";
struct ReadingField {
  const char* field;
  const char* label;
};
constexpr ReadingField kReadingFields[] = {
    {"kCantonese", "Cantonese"},       {"kJapaneseOn", "Japanese on"}, {"kJapaneseKun", "Japanese kun"},
    {"kKorean", "Korean"},             {"kHangul", "Hangul"},          {"kVietnamese", "Vietnamese"},
};

// Shape.
constexpr char kRadicalLineFormat[] = "Radical %s %s %s, %s residual strokes: %s";
constexpr char kSimplifiedRadicalNote[] = "(simplified form)";
constexpr char kTotalStrokesLabel[] = "Total strokes";
constexpr char kMatthewsLabel[] = "Matthews";

// Variants, named as a reader understands them.
constexpr ReadingField kVariantFields[] = {
    {"kSimplifiedVariant", "Simplified form"},
    {"kTraditionalVariant", "Traditional form"},
    {"kSemanticVariant", "Same meaning"},
    {"kSpecializedSemanticVariant", "Same meaning in some senses"},
    {"kZVariant", "Same character, other shape"},
    {"kSpoofingVariant", "Looks alike"},
    {"kCompatibilityVariant", "Unified form"},
};

// Components: what the character is made of, where it is found.
constexpr char kMadeOfLabel[] = "Made of";
constexpr char kMadeOfAllFormat[] = " (<A href=\"%s\">characters with all of them</A>)";
constexpr char kPartsOfPartsLabel[] = "Its parts hold";
constexpr char kFoundInLabel[] = "Found in";
constexpr char kFoundInAllFormat[] = "&nbsp; <A href=\"%s\">all %s</A>";

// Words: the forms, the pinyin, the first gloss, the insert links.
constexpr std::size_t kCharacterPageWords = 24;
constexpr char kWordLineFormat[] = "%s&nbsp;&nbsp;%s&nbsp;&nbsp;%s&nbsp;&nbsp;(%s)";
constexpr char kWordsNotice[] =
    "<P><SMALL>Words from CC-CEDICT (MDBG), under the Creative Commons Attribution-ShareAlike 4.0 "
    "International License.</SMALL>";

// The blocks of the Han script, and the page of a code point outside them.
struct HanBlock {
  std::uint32_t first, last;
  const char* name;
};
constexpr HanBlock kHanBlocks[] = {
    {0x2E80, 0x2EFF, "CJK Radicals Supplement"},
    {0x2F00, 0x2FDF, "Kangxi Radicals"},
    {0x3400, 0x4DBF, "CJK Unified Ideographs Extension A"},
    {0x4E00, 0x9FFF, "CJK Unified Ideographs (URO)"},
    {0xF900, 0xFAFF, "CJK Compatibility Ideographs"},
    {0x20000, 0x2A6DF, "CJK Unified Ideographs Extension B"},
    {0x2A700, 0x2B73F, "CJK Unified Ideographs Extension C"},
    {0x2B740, 0x2B81F, "CJK Unified Ideographs Extension D"},
    {0x2B820, 0x2CEAF, "CJK Unified Ideographs Extension E"},
    {0x2CEB0, 0x2EBEF, "CJK Unified Ideographs Extension F"},
    {0x2F800, 0x2FA1F, "CJK Compatibility Ideographs Supplement"},
    {0x30000, 0x3134F, "CJK Unified Ideographs Extension G"},
    {0x31350, 0x323AF, "CJK Unified Ideographs Extension H"},
};
constexpr char kOtherBlock[] = "outside the Han blocks";

// The status text: the character and its code point ("長 U+9577"), or the
// key as typed when it names no character.
constexpr char kCharacterStatusFormat[] = "Character: %s";
