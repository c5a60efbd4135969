// Turns the preface source (UTF-8 text; a heading is a line underlined
// with '='; paragraphs are separated by blank lines; "- " starts a list
// item) into the forms Logodex carries.
#pragma once

#include <string>

// Plain text with CR LF line ends (UNIHANPREFACEDATA).
std::string PrefacePlainText(const std::string& source);

// The preface as the "#" comment lines that open unihan.txt, LF-ended.
std::string PrefaceCommentHeader(const std::string& source);

// An RTF document in the ANSI character set, code page 1252, every
// non-ASCII character as \uN? (UnihanPrefaceRtfData). False on malformed
// UTF-8.
bool PrefaceRtf(const std::string& source, std::string& rtf, std::string& error);
