// Shared by the character database's tests: the real tables loaded once
// from the generated data, small tables made from text, and files written
// for the loaders.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "chardb/character_tables.h"
#include "chardb/unihan_index.h"
#include "tests/test_data_dir.h"

// The generated tables, loaded and indexed once per test program.
inline const CharacterTables& RealTables() {
  static CharacterTables* tables = [] {
    auto* loaded = new CharacterTables;
    std::string error;
    if (!LoadCharacterTables(TestDataDir(), *loaded, error)) {
      ADD_FAILURE() << "cannot load the generated tables: " << error;
    }
    return loaded;
  }();
  return *tables;
}

// The Unihan index of the generated tables, built once per test program
// (the program builds it on the first Unihan search).
inline const UnihanIndex& RealUnihanIndex() {
  static UnihanIndex* index = [] {
    auto* built = new UnihanIndex;
    BuildUnihanIndex(RealTables(), *built);
    if (!UnihanIndexCurrent(RealTables(), *built)) ADD_FAILURE() << "the Unihan index was not built";
    return built;
  }();
  return *index;
}

// An embedded text made from the bytes a resource would hold.
inline ResourceText TextOf(const std::string& resource) {
  ResourceText text;
  SetResourceText(resource.data(), resource.size(), text);
  return text;
}

// A folder of its own under the test's temporary folder, ending in '/'.
inline std::string MakeTempFolder(const std::string& name) {
  std::string path = testing::TempDir() + name + "_" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  std::filesystem::create_directories(path);
  return path + "/";
}

// A file of exactly these bytes at the path.
inline std::string WriteFileAt(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr) << path;
  if (file) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

// A file of exactly these bytes in the test's temporary folder.
inline std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  return WriteFileAt(testing::TempDir() + name, bytes);
}
