// logodex-cli NAME [--print] KEY for every kind of the table that writes a
// page, and radicals [--print]: the page the program writes, into the
// current folder, and its status text; with --print the page's bytes go to
// standard output and the status text to standard error.
#include <filesystem>

#include "search/radicals_page.h"
#include "search/result_page.h"
#include "search/search_run.h"
#include "tools/cli/cli_commands.h"

namespace {

// The page file in the current folder: its name without the backslash.
std::string PagePathHere(const std::string& fileName) {
  return (std::filesystem::current_path() / fileName.substr(1)).string();
}

}  // namespace

int Deliver(const CliContext& context, bool print, const std::string& fileName, const std::string& page,
            const std::string& status) {
  if (print) {
    context.out.write(page.data(), static_cast<std::streamsize>(page.size()));
    context.err << status << '\n';
    return kCliAnswered;
  }
  std::string path = PagePathHere(fileName);
  if (!WriteResultPage(path, page)) {
    context.err << "logodex-cli: the page could not be written: " << path << '\n';
    return kCliBadUsage;
  }
  context.out << status << '\n';
  return kCliAnswered;
}

bool ReadKeyWords(const std::vector<std::string>& args, bool& print, std::string& key) {
  print = false;
  if (args.size() == 1) {
    key = args[0];
    return key != "--print";
  }
  if (args.size() != 2) return false;
  print = args[0] == "--print" || args[1] == "--print";
  key = args[0] == "--print" ? args[1] : args[0];
  return print && key != "--print";
}

int RunPageSearchCommand(const CliContext& context, const std::vector<std::string>& args, SearchKind kind) {
  bool print;
  std::string key;
  if (!ReadKeyWords(args, print, key))
    return CliUsageError(context, std::string(SearchKindOf(kind).commandName) + " [--print] KEY");
  if (CheckSearchKeyLength(context, key) != kCliAnswered) return kCliBadUsage;
  SearchMemory memory;
  SearchOutcome outcome = RunSearch(context.tables, kind, key, memory);
  return Deliver(context, print, outcome.pageFileName, outcome.page, outcome.statusText);
}

int RunRadicalsCommand(const CliContext& context, const std::vector<std::string>& args) {
  bool print = args.size() == 1 && args[0] == "--print";
  if (!args.empty() && !print) return CliUsageError(context, "radicals [--print]");
  return Deliver(context, print, kRadicalsPageFileName, RadicalsIndexPage(context.tables), kRadicalsStatusText);
}
