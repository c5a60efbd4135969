// logodex-cli's subcommands: each answers from the loaded tables and
// writes to the context's streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "chardb/character_tables.h"

struct CliContext {
  const CharacterTables& tables;
  std::ostream& out;
  std::ostream& err;
  std::string dataDir;  // the folder the tables were read from
};

// The exit codes: an answer (also a not-found one), and bad usage or
// missing data.
constexpr int kCliAnswered = 0;
constexpr int kCliBadUsage = 2;

// A subcommand: args are the words after its name. It answers kCliAnswered,
// or writes a one-line message to err and answers kCliBadUsage.
using CliCommandFunction = int (*)(const CliContext& context, const std::vector<std::string>& args);

// A one-line refusal of a key longer than a search field takes, or
// kCliAnswered when the key fits.
int CheckSearchKeyLength(const CliContext& context, const std::string& key);

// lookup CODE: the six answers, one per line, labelled.
int RunLookupCommand(const CliContext& context, const std::vector<std::string>& args);
// insert ARGUMENT: the information text, a line "Clipboard:", the clipboard text.
int RunInsertCommand(const CliContext& context, const std::vector<std::string>& args);
// unihan KEY: the caption, then the box text.
int RunUnihanCommand(const CliContext& context, const std::vector<std::string>& args);

// The searches: [--print] KEY each; radicals [--print]. The page file goes
// into the current folder and the status text to out; with --print the
// page goes to out and the status text to err.
int RunPinyinCommand(const CliContext& context, const std::vector<std::string>& args);
int RunUnicodeCommand(const CliContext& context, const std::vector<std::string>& args);
int RunMatthewsCommand(const CliContext& context, const std::vector<std::string>& args);
int RunRadicalStrokeCommand(const CliContext& context, const std::vector<std::string>& args);
int RunDefinitionCommand(const CliContext& context, const std::vector<std::string>& args);
int RunStrokeNumberCommand(const CliContext& context, const std::vector<std::string>& args);
int RunRadicalsCommand(const CliContext& context, const std::vector<std::string>& args);

// The one-line message of a subcommand called with the wrong words.
int CliUsageError(const CliContext& context, const std::string& usage);
