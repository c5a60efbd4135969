// logodex-cli: the character database and the searches from the command
// line, over the same tables the program loads.
//
//   logodex-cli [--data DIR] SUBCOMMAND ARGUMENTS...
//
// The data folder is --data DIR, else the folder of the executable when it
// holds the data files, else the data folder of the build tree it was
// built in. Exit 0 on an answer (also a not-found one), 2 with a one-line
// message on bad usage, on a data file that is missing, not a regular file
// or too large, and on output that could not be written.
//
// Adding a subcommand: write tools/cli/NAME_command.cpp with a function
//   int RunNameCommand(const CliContext&, const std::vector<std::string>& args)
// that writes its answer to context.out and returns kCliAnswered (or calls
// CliUsageError), declare it in cli_commands.h, add the file to the
// library's list in tools/cli/CMakeLists.txt, and add one line
// {"name", "usage", RunNameCommand} to kCommands below.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/cli/cli_commands.h"
#include "tools/cli/cli_data_dir.h"

namespace {

struct CliCommand {
  const char* name;
  const char* usage;  // the words after the name
  CliCommandFunction run;
};

const CliCommand kCommands[] = {
    {"lookup", "CODE", RunLookupCommand},
    {"insert", "ARGUMENT", RunInsertCommand},
    {"unihan", "KEY", RunUnihanCommand},
    {"pinyin", "[--print] KEY", RunPinyinCommand},
    {"unicode", "[--print] KEY", RunUnicodeCommand},
    {"matthews", "[--print] KEY", RunMatthewsCommand},
    {"radical-stroke", "[--print] KEY", RunRadicalStrokeCommand},
    {"definition", "[--print] KEY", RunDefinitionCommand},
    {"stroke-number", "[--print] KEY", RunStrokeNumberCommand},
    {"radicals", "[--print]", RunRadicalsCommand},
};

int Usage(std::ostream& err) {
  err << "usage: logodex-cli [--data DIR] {";
  const char* separator = "";
  for (const CliCommand& command : kCommands) {
    err << separator << command.name << ' ' << command.usage;
    separator = " | ";
  }
  err << "}\n";
  return kCliBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  std::string dataDir;
  std::size_t next = 0;
  if (next < words.size() && words[next] == "--data") {
    if (next + 1 >= words.size() || words[next + 1].empty()) return Usage(std::cerr);
    dataDir = words[next + 1];
    next += 2;
  }
  if (next >= words.size()) return Usage(std::cerr);
  const CliCommand* command = nullptr;
  for (const CliCommand& candidate : kCommands) {
    if (words[next] == candidate.name) command = &candidate;
  }
  if (!command) return Usage(std::cerr);
  std::vector<std::string> args(words.begin() + next + 1, words.end());

  if (dataDir.empty()) dataDir = FindCliDataDir(argc > 0 ? argv[0] : "");
  CharacterTables tables;
  std::string error;
  if (!LoadCharacterTables(dataDir, tables, error)) {
    std::cerr << "logodex-cli: " << error << '\n';
    return kCliBadUsage;
  }
  CliContext context{tables, std::cout, std::cerr, dataDir};
  int status = command->run(context, args);
  // An answer that did not reach standard output is no answer.
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::cerr << "logodex-cli: standard output could not be written\n";
    return kCliBadUsage;
  }
  return status;
}
