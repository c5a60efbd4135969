// Runs a fuzz target without libFuzzer, where there is none (the 32-bit
// cross build under Wine): every input file named on the command line, or
// in a folder named there, and for each a fixed series of variants (cut
// short, bytes changed by a seeded generator), so that the target's checks
// run on the 32-bit target too. Exit 0 when every input passed; a failed
// check aborts as under libFuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

constexpr int kVariantsPerInput = 200;

void Run(const std::string& bytes) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void RunWithVariants(const std::string& bytes) {
  Run(bytes);
  std::uint32_t state = 0x2545F491u ^ static_cast<std::uint32_t>(bytes.size());
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  for (int i = 0; i < kVariantsPerInput; ++i) {
    std::string variant = bytes;
    if (!variant.empty()) {
      if (i % 4 == 0) variant.resize(next() % variant.size());
      for (int changes = 1 + static_cast<int>(next() % 8); changes > 0 && !variant.empty(); --changes)
        variant[next() % variant.size()] = static_cast<char>(next() & 0xFF);
    }
    Run(variant);
  }
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    fs::path path(argv[i]);
    if (fs::is_directory(path)) {
      for (const auto& entry : fs::directory_iterator(path))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.push_back(path);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "fuzz_replay: no inputs\n");
    return 1;
  }
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "fuzz_replay: cannot read %s\n", file.string().c_str());
      return 1;
    }
    RunWithVariants(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  }
  std::printf("fuzz_replay: %zu inputs, %d variants each, all passed\n", files.size(), kVariantsPerInput);
  return 0;
}
