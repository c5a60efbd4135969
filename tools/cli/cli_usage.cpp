#include "tools/cli/cli_commands.h"

int CliUsageError(const CliContext& context, const std::string& usage) {
  context.err << "usage: logodex-cli " << usage << '\n';
  return kCliBadUsage;
}
