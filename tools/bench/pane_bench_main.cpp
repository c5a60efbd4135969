// logodex-pane-bench: what the pane does between Enter in a search field
// and the page drawn, for the largest pages and the smallest, part by
// part: writing the page file, reading it, decoding and tokenizing it,
// building its tree, and laying it out (against a measurer of fixed
// widths, as the pane's own layout runs without the system's fonts).
//
//   logodex-pane-bench [--data DIR] [--check]
//
// Absolute times are printed, never judged. With --check the exit code
// tells whether layout stayed linear in the page in this one run: its time
// per byte on the largest page at most three times that on a page a tenth
// of its size (Pinyin YI).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "search/result_page.h"
#include "search/search_run.h"
#include "tools/bench/bench_options.h"
#include "vistapane/decode.h"
#include "vistapane/document.h"
#include "vistapane/layout.h"
#include "vistapane/tokenizer.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of `runs` runs, in milliseconds: the figure without the
// machine's noise.
double BestOf(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    Clock::time_point start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

// ASCII half the font's height wide, everything else as wide as it is
// high; what a CJK face and a Latin one come to, near enough.
class FixedWidths : public vistapane::TextMeasurer {
 public:
  int Advance(const vistapane::FontKey& font, char32_t cp) override {
    return cp < 0x80 ? font.pixels / 2 : font.pixels;
  }
  vistapane::FontMetrics Metrics(const vistapane::FontKey& font) override {
    return {font.pixels - font.pixels / 4, font.pixels / 4};
  }
};

struct Case {
  const char* name;
  SearchKind kind;
  const char* key;
};

// The three largest pages the program writes and its smallest.
const Case kCases[] = {
    {"stroke-number 12", kStrokeNumberSearch, "12"},
    {"definition of", kDefinitionSearch, "of"},
    {"pinyin YI", kPinyinSearch, "YI"},
    {"unicode 4E00", kUnicodeSearch, "4E00"},
};
constexpr size_t kLargest = 0;
constexpr size_t kTenth = 2;
constexpr double kLinearLimit = 3.0;
constexpr int kRuns = 5;

bool ReadAsUtf8(const std::string&, const std::string&, std::u32string&) { return false; }

}  // namespace

int main(int argc, char** argv) {
  BenchOptions options;
  if (!ParseBenchOptions(argc, argv, "logodex-pane-bench", options)) return 2;
  const std::string& dataDir = options.dataDir;
  const bool check = options.check;
  CharacterTables tables;
  SearchMemory memory;
  std::string error;
  if (!LoadCharacterTables(dataDir, tables, error)) {
    std::fprintf(stderr, "logodex-pane-bench: %s\n", error.c_str());
    return 2;
  }
  PrepareSearches(tables, memory);
  std::error_code ignored;
  std::filesystem::path folder = std::filesystem::temp_directory_path(ignored) / "logodex-pane-bench";
  std::filesystem::create_directories(folder, ignored);

  std::printf("%-18s %9s %9s %9s %9s %9s %9s %11s\n", "page", "KB", "write ms", "read ms", "tokens ms",
              "tree ms", "layout ms", "layout ns/B");
  std::vector<double> perByte;
  for (const Case& c : kCases) {
    std::filesystem::path path = folder / (std::string(c.key) + ".htm");
    bool written = true;
    double write = BestOf(kRuns, [&] {
      std::string key = c.key;
      written = WriteResultPage(path, RunSearch(tables, c.kind, key, memory).page) && written;
    });
    std::string bytes;
    bool read = true;
    double reading = BestOf(kRuns, [&] { read = ReadFileBytes(path.string(), bytes) && read; });
    if (!written || !read) {
      std::fprintf(stderr, "logodex-pane-bench: the page %s cannot be written and read\n", path.string().c_str());
      return 2;
    }
    std::vector<vistapane::Token> tokens;
    double tokenizing = BestOf(kRuns, [&] { tokens = vistapane::Tokenize(vistapane::DecodePage(bytes, ReadAsUtf8)); });
    vistapane::Document doc;
    // The tree takes its tokens: each run gets a copy made beforehand.
    std::vector<std::vector<vistapane::Token>> inputs(kRuns, tokens);
    size_t run = 0;
    double tree = BestOf(kRuns, [&] { doc = vistapane::BuildDocument(std::move(inputs[run++])); });
    size_t lines = 0;
    double layout = BestOf(kRuns, [&] {
      FixedWidths measurer;
      lines = vistapane::LayoutDocument(doc, measurer, vistapane::LayoutOptions()).lines.size();
    });
    perByte.push_back(layout * 1e6 / static_cast<double>(std::max<size_t>(bytes.size(), 1)));
    std::printf("%-18s %9.1f %9.3f %9.3f %9.3f %9.3f %9.3f %11.1f  (%zu lines)\n", c.name,
                static_cast<double>(bytes.size()) / 1024.0, write, reading, tokenizing, tree, layout, perByte.back(),
                lines);
    std::filesystem::remove(path, ignored);
  }
  double ratio = perByte[kLargest] / std::max(perByte[kTenth], 1e-9);
  bool linear = ratio <= kLinearLimit;
  std::printf("layout per byte, %s against %s: ratio %.2f (limit %.1f)%s\n", kCases[kLargest].name,
              kCases[kTenth].name, ratio, kLinearLimit, linear ? "" : "  MISSED");
  return check && !linear ? 1 : 0;
}
