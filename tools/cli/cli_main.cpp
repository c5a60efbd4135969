// logodex-cli: the character database and the searches from the command
// line, over the same tables the program loads.
//
//   logodex-cli [--data DIR] SUBCOMMAND ARGUMENTS...
//   logodex-cli --help
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
// {"name", "usage", "summary", RunNameCommand} to kCommands below, and
// describe it under SUBCOMMANDS in docs/logodex-cli.but.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/cli/cli_commands.h"
#include "tools/cli/cli_data_dir.h"

namespace {

struct CliCommand {
  const char* name;
  const char* usage;  // the words after the name
  const char* summary;
  CliCommandFunction run;
};

const CliCommand kCommands[] = {
    {"lookup", "CODE", "the six answers about one code point", RunLookupCommand},
    {"insert", "ARGUMENT", "what an insert link shows and puts on the clipboard", RunInsertCommand},
    {"unihan", "KEY", "every Unihan line that names the code point", RunUnihanCommand},
    {"pinyin", "[--print] KEY", "characters read with a toneless syllable", RunPinyinCommand},
    {"unicode", "[--print] KEY", "the page of one code point", RunUnicodeCommand},
    {"matthews", "[--print] KEY", "characters with a Matthews number (1-7773)", RunMatthewsCommand},
    {"radical-stroke", "[--print] KEY", "characters with a radical-stroke index (140.8)", RunRadicalStrokeCommand},
    {"definition", "[--print] KEY", "characters whose definition holds the word", RunDefinitionCommand},
    {"stroke-number", "[--print] KEY", "characters with a total stroke count", RunStrokeNumberCommand},
    {"radicals", "[--print]", "the index of the 214 KangXi radicals", RunRadicalsCommand},
};

// The manual page is built beside the program; elsewhere it is looked up
// by name.
std::string ManualCommand(const std::string& program) {
  std::filesystem::path folder = std::filesystem::path(program).parent_path();
  std::filesystem::path page = folder / "logodex-cli.1";
  std::error_code error;
  if (!folder.empty() && std::filesystem::is_regular_file(page, error)) return "man -l " + page.string();
  return "man logodex-cli";
}

// --help: the usage, each subcommand with what it answers, on out.
int Help(std::ostream& out, const std::string& program) {
  out << "usage: logodex-cli [--data DIR] SUBCOMMAND ARGUMENTS...\n"
         "       logodex-cli --help\n\nsubcommands:\n";
  for (const CliCommand& command : kCommands) {
    std::string words = std::string(command.name) + ' ' + command.usage;
    out << "  " << words << std::string(words.size() < 30 ? 30 - words.size() : 1, ' ') << command.summary
        << '\n';
  }
  out << "\nA search writes its page into the current folder and prints the status text;\n"
         "with --print the page goes to standard output, the status text to standard error.\n"
         "--data DIR reads the data files from DIR. The manual: "
      << ManualCommand(program) << '\n';
  return kCliAnswered;
}

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

int UnknownSubcommand(std::ostream& err, const std::string& word, const std::string& program) {
  err << "logodex-cli: unknown subcommand '" << word << "'; see 'logodex-cli --help' and the manual ("
      << ManualCommand(program) << ")\n";
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
  const std::string program = argc > 0 ? argv[0] : "";
  if (words[next] == "--help" || words[next] == "-h") return Help(std::cout, program);
  const CliCommand* command = nullptr;
  for (const CliCommand& candidate : kCommands) {
    if (words[next] == candidate.name) command = &candidate;
  }
  if (!command) return UnknownSubcommand(std::cerr, words[next], program);
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
