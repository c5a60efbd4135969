// logodex-cli unihan KEY
#include "search/search_run.h"
#include "tools/cli/cli_commands.h"

int RunUnihanCommand(const CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return CliUsageError(context, "unihan KEY");
  if (CheckSearchKeyLength(context, args[0]) != kCliAnswered) return kCliBadUsage;
  SearchMemory memory;
  UnihanBox box = RunUnihanSearch(context.tables, args[0], memory);
  context.out << box.caption << '\n' << box.text << '\n';
  return kCliAnswered;
}
