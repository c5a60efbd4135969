#include "search/search_memory.h"
#include "tools/cli/cli_commands.h"

int CheckSearchKeyLength(const CliContext& context, const std::string& key) {
  if (SearchKeyUnits(key) <= kSearchKeyMaxUnits) return kCliAnswered;
  context.err << "logodex-cli: the key is longer than the " << kSearchKeyMaxUnits
              << " characters a search field takes\n";
  return kCliBadUsage;
}

int CliUsageError(const CliContext& context, const std::string& usage) {
  context.err << "usage: logodex-cli " << usage << '\n';
  return kCliBadUsage;
}
