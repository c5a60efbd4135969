// The report of a page file that could not be written.
#pragma once

#include <string>

// Tells the user that a page could not be written, naming its path.
void ReportUnwrittenPage(const std::wstring& path);
