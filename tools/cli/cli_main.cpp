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
// Every page-writing kind of the table of search kinds (search/search_kinds.h)
// is a subcommand "NAME [--print] KEY" made from its row; describe a new
// one under SUBCOMMANDS in docs/logodex-cli.but. Any other subcommand:
// write tools/cli/NAME_command.cpp with a function
//   int RunNameCommand(const CliContext&, const std::vector<std::string>& args)
// that writes its answer to context.out and returns kCliAnswered (or calls
// CliUsageError), declare it in cli_commands.h, add the file to the
// library's list in tools/cli/CMakeLists.txt, and add it to Commands below.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "tools/cli/cli_commands.h"
#include "tools/cli/cli_data_dir.h"

namespace {

struct CliCommand {
  std::string name;
  std::string usage;  // the words after the name
  std::string summary;
  std::function<int(const CliContext&, const std::vector<std::string>&)> run;
};

// lookup and insert, a subcommand for each kind of the table, radicals.
std::vector<CliCommand> Commands() {
  std::vector<CliCommand> commands = {
      {"lookup", "CODE", "the six answers about one code point", RunLookupCommand},
      {"insert", "ARGUMENT", "what an insert link shows and puts on the clipboard", RunInsertCommand},
  };
  for (const SearchKindRow& row : kSearchKinds) {
    SearchKind kind = row.kind;
    if (row.writePage)
      commands.push_back({row.commandName, "[--print] KEY", row.commandSummary,
                          [kind](const CliContext& context, const std::vector<std::string>& args) {
                            return RunPageSearchCommand(context, args, kind);
                          }});
    else
      commands.push_back({row.commandName, "KEY", row.commandSummary, RunUnihanCommand});
  }
  commands.push_back({"handwriting", "[--print] FILE", "the characters drawn by the strokes in a file",
                      RunHandwritingCommand});
  commands.push_back({"radicals", "[--print]", "the index of the 214 KangXi radicals", RunRadicalsCommand});
  return commands;
}

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
int Help(std::ostream& out, const std::string& program, const std::vector<CliCommand>& commands) {
  out << "usage: logodex-cli [--data DIR] SUBCOMMAND ARGUMENTS...\n"
         "       logodex-cli --help\n\nsubcommands:\n";
  for (const CliCommand& command : commands) {
    std::string words = command.name + ' ' + command.usage;
    out << "  " << words << std::string(words.size() < 30 ? 30 - words.size() : 1, ' ') << command.summary
        << '\n';
  }
  out << "\nA search writes its page into the current folder and prints the status text;\n"
         "with --print the page goes to standard output, the status text to standard error.\n"
         "--data DIR reads the data files from DIR. The manual: "
      << ManualCommand(program) << '\n';
  return kCliAnswered;
}

int Usage(std::ostream& err, const std::vector<CliCommand>& commands) {
  err << "usage: logodex-cli [--data DIR] {";
  const char* separator = "";
  for (const CliCommand& command : commands) {
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
  const std::vector<CliCommand> commands = Commands();
  std::string dataDir;
  std::size_t next = 0;
  if (next < words.size() && words[next] == "--data") {
    if (next + 1 >= words.size() || words[next + 1].empty()) return Usage(std::cerr, commands);
    dataDir = words[next + 1];
    next += 2;
  }
  if (next >= words.size()) return Usage(std::cerr, commands);
  const std::string program = argc > 0 ? argv[0] : "";
  if (words[next] == "--help" || words[next] == "-h") return Help(std::cout, program, commands);
  const CliCommand* command = nullptr;
  for (const CliCommand& candidate : commands) {
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
