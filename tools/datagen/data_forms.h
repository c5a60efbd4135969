// The forms in which the generator writes Unihan values for Logodex.
#pragma once

#include <cstdint>
#include <string>

// The Han ideographs of the Unicode 4.0.1 repertoire, the only code points
// Logodex carries.
bool InRepertoire(std::uint32_t codePoint);

// Upper-case hex, four digits below U+10000 and five above: "4E00", "2A3D9".
std::string CodePointTextOf(std::uint32_t codePoint);

// Reads the hex digits after "U+"; false when the text is no such code.
bool ParseUnihanCode(const std::string& text, std::uint32_t& codePoint);

// Each form below returns false with a reason when the source value does
// not have the expected shape; the generator then stops, so the build fails
// rather than ship a value in a form the program does not expect.

// kMandarin: "qiū" -> "QIU1", "lǘ" -> "L&#xdc;2", "bo bǔ" -> "BO5 BU3".
bool PinyinForm(const std::string& value, std::string& form, std::string& error);

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
