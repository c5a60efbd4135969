// logodex-cli insert ARGUMENT
#include "chardb/insertion_texts.h"
#include "tools/cli/cli_commands.h"

int RunInsertCommand(const CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return CliUsageError(context, "insert ARGUMENT");
  InsertionTexts texts;
  // An argument without "insert" makes the program do nothing: no output.
  if (!ComposeInsertionTexts(context.tables, args[0], texts)) return kCliAnswered;
  context.out << texts.information << '\n' << "Clipboard:\n" << texts.clipboard << '\n';
  return kCliAnswered;
}
