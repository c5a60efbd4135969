// Where this running copy of Logodex writes its pages and what it calls
// them; every page writer of the program goes through here.
//
// The folder is the working folder when a file can be created there, else
// the user's own folder for Logodex (%LOCALAPPDATA%\Logodex), else the
// user's temporary folder. Several copies may run with one page folder:
// the first keeps the pages' own names ("HtmlRadicalSearch.htm"), each
// further copy takes a number of its own for as long as it runs
// ("HtmlRadicalSearch-2.htm"), so no copy overwrites or deletes a page that
// another shows.
#pragma once

#include <string>

// Chooses the folder and claims this copy's names; once, at start-up.
void ChoosePageFolder(const std::wstring& workingFolder);

// This copy's path for a page file name of search/search_texts.h, such as
// "\\HtmlRadicalSearch.htm".
std::wstring PagePath(const std::string& pageFileName);

// Writes the page to this copy's file of that name and gives its path;
// false, after telling the user, when it cannot be written.
bool WritePageFile(const std::string& pageFileName, const std::string& page, std::wstring& path);

// Tells the user that a page could not be written, naming its path.
void ReportUnwrittenPage(const std::wstring& path);
