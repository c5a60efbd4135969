// Conversions between the program's narrow texts and the system's wide
// ones. Paths are UTF-8 inside the program.
#pragma once

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
// For the 8-bit texts of the data (ASCII).
std::wstring WideFromAnsi(const std::string& text);
