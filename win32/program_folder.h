// The folder that holds Logodex.exe: its help and, when the working folder
// has none, its data files are found there.
#pragma once

#include <string>

// The folder of the running executable, without a trailing separator;
// empty when the system does not tell it.
std::wstring ProgramFolder();

// The path of the file of that name in the folder.
std::wstring PathInFolder(const std::wstring& folder, const std::wstring& name);

bool PathExists(const std::wstring& path);

// Whether the path names a file (not a folder).
bool IsFile(const std::wstring& path);
