// Where logodex-cli finds its data.
#pragma once

#include <string>

// The folder of the executable when it holds unihan.txt, else the data
// folder of the build tree logodex-cli was built in.
std::string FindCliDataDir(const std::string& argv0);
