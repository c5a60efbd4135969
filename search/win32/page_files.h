// Page files in the working directory, written with wide-character paths.
#pragma once

#include <string>

// Writes the whole page in one go; false when the file cannot be created
// or written (a partly written file is removed).
bool WritePageFile(const std::wstring& path, const std::string& bytes);

// Tells the user that a page could not be written, naming its path.
void ReportUnwrittenPage(const std::wstring& path);
