// Where a test finds the generated data: $LOGODEX_DATA_DIR, else the data
// folder of the build tree the test was built in.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

inline std::string TestDataDir() {
  const char* dir = std::getenv("LOGODEX_DATA_DIR");
  return dir && *dir ? dir : LOGODEX_TEST_DATA_DIR;
}

// The bytes of one generated file; empty when it cannot be read.
inline std::string ReadDataFile(const std::string& name) {
  std::ifstream in(TestDataDir() + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
