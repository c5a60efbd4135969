// logodex-cli's subcommands: each answers from the loaded tables and
// writes to the context's streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "search/search_kinds.h"

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

// A search of a kind that writes a page: [--print] KEY. The page file
// goes into the current folder and the status text to out; with --print
// the page goes to out and the status text to err.
int RunPageSearchCommand(const CliContext& context, const std::vector<std::string>& args, SearchKind kind);
// radicals [--print]: the radicals index, delivered as a search's page.
int RunRadicalsCommand(const CliContext& context, const std::vector<std::string>& args);

// handwriting [--print] FILE: the candidates page of the strokes in FILE.
int RunHandwritingCommand(const CliContext& context, const std::vector<std::string>& args);

// Splits --print KEY, KEY --print or KEY; false for other words (--print
// alone has no key).
bool ReadKeyWords(const std::vector<std::string>& args, bool& print, std::string& key);
// Writes the page into the current folder and the status text to out, or
// with print the page to out and the status text to err.
int Deliver(const CliContext& context, bool print, const std::string& fileName, const std::string& page,
            const std::string& status);

// The one-line message of a subcommand called with the wrong words.
int CliUsageError(const CliContext& context, const std::string& usage);
