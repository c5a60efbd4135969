// logodex-cli run as a user would: its output and exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>

#include "tests/chardb/chardb_test_support.h"

namespace {

struct CliRun {
  int exitCode;
  std::string out;
};

// Runs logodex-cli with the words (quoted for the shell), standard error
// joined to the output, in the folder when one is given.
// With a time limit in seconds, a run that outlasts it is killed.
CliRun RunCli(const std::string& words, const std::string& folder = "", int seconds = 0) {
  std::string limit = seconds > 0 ? "timeout -s KILL " + std::to_string(seconds) + " " : "";
  std::string command = "{ " + limit + "'" + LOGODEX_CLI + "' " + words + "; } 2>&1";
  if (!folder.empty()) command = "cd '" + folder + "' && " + command;
  CliRun run{-1, ""};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) run.out.append(chunk, got);
  int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string DataOption() { return "--data '" + TestDataDir() + "' "; }

TEST(Cli, LookupPrintsTheSixAnswers) {
  // tests/data/unihan_figures.py: U+4E48 reads me, ma, yāo and mó.
  CliRun run = RunCli(DataOption() + "lookup 4e48");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "Pinyin: ME5 MA5 YAO1 MO2\n"
            "Definition: interrogative particle; repetition of a tune small; tender\n"
            "Radical.Stroke: 4.2\n"
            "Matthews: 7282\n"
            "Simplified: 4E48\n"
            "Traditional: 4E48 5E7A 9EBC 9EBD\n");
}

TEST(Cli, NotFoundIsAnAnswer) {
  CliRun run = RunCli(DataOption() + "lookup ZZZZ");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "Pinyin: not available\nDefinition: Not available\nRadical.Stroke: Not available\n"
            "Matthews: Not available\nSimplified: \nTraditional: \n");
  run = RunCli(DataOption() + "unihan ZZ");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "Unihan extract\nNot found in Unihan\n");
  run = RunCli(DataOption() + "insert 4E00");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
}

TEST(Cli, InsertPrintsTheBoxThenTheClipboard) {
  CliRun run = RunCli(DataOption() + "insert insert4E00");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "Definition: one; a, an; alone \nRadical.Stroke: 1.0 \nMatthews: 3016 \n"
            "Simplified () Traditional()\nClipboard:\n &#x4E00;\n");
}

TEST(Cli, UnihanPrintsTheCaptionThenTheBox) {
  CliRun run = RunCli(DataOption() + "unihan 2a3d");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Unihan: 2a3d");
  EXPECT_NE(run.out.find("\n... and 76 more lines\n"), std::string::npos);
}

TEST(Cli, FindsTheBuildTreesDataWithoutAnOption) {
  CliRun run = RunCli("lookup 4E00");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.substr(0, 20), "Pinyin: YI1 YI2 YI4\n");
}

TEST(Cli, BadUsageAndMissingDataExitTwoWithOneLine) {
  for (const char* words : {"", "lookup", "lookup 4E00 4E01", "frobnicate 4E00", "--data", "--data /",
                            "unihan", "insert"}) {
    CliRun run = RunCli(words);
    EXPECT_EQ(run.exitCode, 2) << words;
    ASSERT_FALSE(run.out.empty()) << words;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << words << ": " << run.out;
  }
  CliRun run = RunCli("--data /nonexistent lookup 4E00");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "logodex-cli: data file not found: /nonexistent/PinyinSearchData\n");
}

// A copy of the data folder in which one file is replaced by something
// else: a folder, a sparse file of 100 GB, /dev/zero, a FIFO. Each is
// refused with one line naming it and exit 2; none blocks (the FIFO has no
// writer: opening it would wait for ever, so the run has a time limit).
TEST(Cli, DataFilesThatAreNotFilesOrTooLargeExitTwoWithOneLine) {
  namespace fs = std::filesystem;
  struct Case {
    const char* name;
    const char* what;  // folder, sparse, device, fifo
    const char* reason;
  } cases[] = {
      {"unihan.txt", "folder", "not a regular file"},
      {"unihan.txt", "sparse", "too large (more than 134217728 bytes)"},
      {"TotalStrokeOrdered.txt", "sparse", "too large (more than 4194304 bytes)"},
      {"PinyinSearchData", "device", "not a regular file"},
      {"unihan.txt", "fifo", "not a regular file"},
      {"MatthewsSearchData", "fifo", "not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " as " + c.what);
    std::string folder = MakeTempFolder("cli_odd_data");
    for (const auto& entry : fs::directory_iterator(TestDataDir())) {
      std::string name = entry.path().filename().string();
      if (name != c.name) fs::create_symlink(entry.path(), folder + name);
    }
    std::string odd = folder + c.name;
    std::string what = c.what;
    if (what == "folder") fs::create_directory(odd);
    if (what == "sparse") {
      WriteFileAt(odd, "");
      fs::resize_file(odd, std::uintmax_t{100} << 30);
    }
    if (what == "device") fs::create_symlink("/dev/zero", odd);
    if (what == "fifo") {
      ASSERT_EQ(mkfifo(odd.c_str(), 0600), 0);
    }
    std::string dir = folder.substr(0, folder.size() - 1);
    CliRun run = RunCli("--data '" + dir + "' lookup 4E00", "", 20);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "logodex-cli: data file " + std::string(c.reason) + ": " + odd + "\n");
    fs::remove_all(folder);
  }
}

// Lost output is an error: standard output on a full device, and words
// that name no key or no folder.
TEST(Cli, LostOutputAndMissingWordsExitTwo) {
  for (const char* words : {"pinyin --print MA", "lookup 4E00", "radicals --print"}) {
    CliRun run = RunCli(DataOption() + words + " >/dev/full");
    EXPECT_EQ(run.exitCode, 2) << words;
    EXPECT_NE(run.out.find("logodex-cli: standard output could not be written\n"), std::string::npos)
        << words << ": " << run.out;
  }
  for (const char* words : {"pinyin --print", "definition --print --print", "--data '' lookup 4E00"}) {
    CliRun run = RunCli(std::string(words[0] == '-' ? "" : DataOption()) + words);
    EXPECT_EQ(run.exitCode, 2) << words;
    EXPECT_EQ(run.out.rfind("usage: logodex-cli ", 0), 0u) << words << ": " << run.out;
  }
}

// A key takes what a search field takes: 19 units, a character beyond the
// Basic Multilingual Plane counting two. Longer keys are refused, not
// searched differently from the program.
TEST(Cli, KeysLongerThanAFieldTakesAreRefused) {
  const std::string nineteen = "water water water w";   // 19 letters and blanks
  const std::string han = "\xE4\xB8\x98";                // U+4E18, one unit
  const std::string extB = "\xF0\xA0\xAE\xB7";          // U+20BB7, two units
  struct Case {
    std::string command;
    std::string key;
    bool fits;
  } cases[] = {{"definition", nineteen, true},
               {"definition", nineteen + "a", false},
               {"definition", std::string(18, 'a') + han, true},
               {"definition", std::string(17, 'a') + extB, true},
               {"definition", std::string(18, 'a') + extB, false},
               {"unihan", std::string(19, 'A'), true},
               {"unihan", std::string(20, 'A'), false},
               {"pinyin --print", "ZHUANGZHUANGZHUANGZH", false}};
  for (const Case& c : cases) {
    CliRun run = RunCli(DataOption() + c.command + " '" + c.key + "' >/dev/null");
    EXPECT_EQ(run.exitCode, c.fits ? 0 : 2) << c.command << " " << c.key << ": " << run.out;
    bool refused = run.out == "logodex-cli: the key is longer than the 19 characters a search field takes\n";
    EXPECT_EQ(refused, !c.fits) << c.command << " " << c.key << ": " << run.out;
  }
}

}  // namespace

namespace {

// The searches: the page file in the current folder and the status text,
// or with --print the page on standard output and the status on standard
// error (here joined, the status last).
TEST(Cli, SearchesWritePagesHereOrPrintThem) {
  std::string folder = MakeTempFolder("cli_pages");
  CliRun run = RunCli(DataOption() + "pinyin --print 'L?'");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind("<HTML><HEAD><TITLE>PinYin Search</TITLE>", 0), 0u);
  EXPECT_NE(run.out.find("</FONT></TABLE></BODY></HTML>Pinyin: L&#xdc;\n"), std::string::npos);
  EXPECT_EQ(RunCli(DataOption() + "pinyin 'L?' --print").out, run.out);

  struct Case {
    const char* words;
    const char* file;
    const char* status;
  } cases[] = {
      {"stroke-number ' 1 stroke'", "HtmlTotalStrokeSearch.htm", "TotalStroke:  1 stroke (22)\n"},
      {"definition ''", "HtmlRadicalSearch.htm", "Definition: \n"},
      {"radical-stroke 140.8", "HtmlRadicalSearch.htm", "Radical.Stroke: 140.8\n"},
      {"matthews 4473", "HtmlRadicalSearch.htm", "Matthews: 4473\n"},
      {"unicode 4e00", "HtmlRadicalSearch.htm", "Unicode: 4E00\n"},
      {"radicals", "HtmlRadical.htm", "KangXi Radicals\n"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder + c.file);
    CliRun here = RunCli("--data '" + TestDataDir() + "' " + c.words, folder);
    EXPECT_EQ(here.out, c.status) << c.words;
    EXPECT_TRUE(std::filesystem::exists(folder + c.file)) << c.words;
  }
  // Both forms of "long" read chang as well as zhang (tests/data/unihan_figures.py).
  CliRun chang = RunCli(DataOption() + "pinyin CHANG --print");
  EXPECT_NE(chang.out.find("insert957F\""), std::string::npos);
  EXPECT_NE(chang.out.find("insert9577\""), std::string::npos);
  EXPECT_EQ(RunCli(DataOption() + "pinyin").exitCode, 2);
  EXPECT_EQ(RunCli(DataOption() + "pinyin a b").exitCode, 2);
  EXPECT_EQ(RunCli(DataOption() + "radicals x").exitCode, 2);
  // A folder that cannot take the page: a message and exit 2, no answer.
  CliRun unwritable = RunCli(DataOption() + "pinyin MA", "/proc");
  EXPECT_EQ(unwritable.exitCode, 2);
  EXPECT_NE(unwritable.out.find("could not be written"), std::string::npos);
}

// A learner's picks: each expected character among the first ten of the
// page, at the place that python3 tests/data/component_figures.py computes
// from the decomposition data and USourceData alone (common first, the
// 400 most common, grouped by total strokes in each band).
TEST(Cli, ComponentsListTheCharactersBuiltOfThem) {
  const struct {
    const char* key;
    const char* code;
    std::size_t place;  // 1 is the first character of the page
  } cases[] = {
      {"目隹灬", "77A7", 1}, {"木目", "76F8", 1}, {"氵每", "6D77", 1}, {"水每", "6D77", 1},
      {"日月", "660E", 1},   {"口口口", "54C1", 1}, {"口口口", "5668", 10}, {"女子", "597D", 1},
  };
  for (const auto& c : cases) {
    CliRun run = RunCli(DataOption() + "components --print " + c.key);
    EXPECT_EQ(run.exitCode, 0) << c.key;
    std::vector<std::string> codes;
    for (std::size_t at = run.out.find("href=\"insert"); at != std::string::npos;
         at = run.out.find("href=\"insert", at + 1))
      codes.push_back(run.out.substr(at + 12, run.out.find('"', at + 12) - at - 12));
    ASSERT_GE(codes.size(), c.place) << c.key;
    EXPECT_EQ(codes[c.place - 1], c.code) << c.key;
    EXPECT_NE(run.out.find(std::string("Components: ") + c.key), std::string::npos) << c.key;
  }
  // 叫 has one 口: not among those with three.
  EXPECT_EQ(RunCli(DataOption() + "components --print 口口口").out.find("insert53EB\""), std::string::npos);
  // Bad keys are answered; a missing key is bad usage.
  for (const char* key : {"ABC", "'\xF0\x9F\x98\x80'", "'\xED\xA0\x80'", "$'\\xff'", "''"})
    EXPECT_EQ(RunCli(DataOption() + "components --print " + key).exitCode, 0) << key;
  EXPECT_EQ(RunCli(DataOption() + "components").exitCode, 2);
  // Letters with a component: no result, the letter named, not chosen.
  CliRun mixed = RunCli(DataOption() + "components --print a口");
  EXPECT_NE(mixed.out.find("No result: &#x0061; is not"), std::string::npos);
  EXPECT_EQ(mixed.out.find("&#x0061;</A>"), std::string::npos);
}

}  // namespace
