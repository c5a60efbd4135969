// The forms in which the generator writes Unihan values for Logodex.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Upper-case hex, four digits below U+10000 and five above: "4E00", "2A3D9".
std::string CodePointTextOf(std::uint32_t codePoint);

// Reads the hex digits after "U+"; false when the text is no such code.
bool ParseUnihanCode(const std::string& text, std::uint32_t& codePoint);

// Each form below returns false with a reason when the source value does
// not have the expected shape; the generator then stops, so the build fails
// rather than ship a value in a form the program does not expect.

// Blank-separated readings: "qiū" -> "QIU1", "lǘ" -> "L&#xdc;2",
// "bo bǔ" -> "BO5 BU3", "ê̄" -> "E1".
bool PinyinForm(const std::string& value, std::string& form, std::string& error);

// The fields a character's readings are gathered from, in this order: the
// customary reading, the two modern dictionaries, the frequency corpus and
// the great dictionary.
extern const char* const kPinyinFields[5];

// Appends the readings of one of kPinyinFields, each in PinyinForm's form,
// leaving out those already in `readings`: kMandarin's blank-separated
// readings; the text after the colon of each blank-separated entry of
// kTGHZ2013 and kXHC1983; kHanyuPinlu's entries without their "(count)";
// the comma-separated readings after the colon of each kHanyuPinyin entry.
bool AddPinyinReadings(const std::string& field, const std::string& value, std::vector<std::string>& readings,
                       std::string& error);

// kDefinition: every non-ASCII character as "&#x" lower-case hex ";".
bool DefinitionForm(const std::string& value, std::string& form, std::string& error);

// kRSUnicode: the first value.
bool RadicalStrokeForm(const std::string& value, std::string& form, std::string& error);

// kMatthews: "M+", the digits padded with 'p' to four, then any suffix.
bool MatthewsForm(const std::string& value, std::string& form, std::string& error);

// kTotalStrokes: the first value as a number.
bool TotalStrokesForm(const std::string& value, int& strokes, std::string& error);

// kSimplifiedVariant / kTraditionalVariant: the code point texts without
// "U+", ascending by number, blank-separated.
bool VariantForm(const std::string& value, std::string& form, std::string& error);

// Decodes one UTF-8 sequence at text[pos], advancing pos; false on a
// malformed sequence.
bool DecodeUtf8(const std::string& text, std::size_t& pos, std::uint32_t& codePoint);
