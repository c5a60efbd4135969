// Whether bytes read from a file make a whole Rich Text Format document,
// before any of them reaches the document pane.
#pragma once

#include <string>

// True when the bytes are one RTF group opened by "{\rtf" and closed again,
// followed by nothing but blanks and NULs. Plain text, an empty or binary
// file and an RTF file cut short are not. Escaped braces and the data of
// \binN do not count as groups.
bool IsWholeRtfDocument(const std::string& bytes);
