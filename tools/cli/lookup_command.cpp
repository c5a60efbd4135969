// logodex-cli lookup CODE
#include "chardb/lookups.h"
#include "tools/cli/cli_commands.h"

int RunLookupCommand(const CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return CliUsageError(context, "lookup CODE");
  const CharacterTables& tables = context.tables;
  std::string code = args[0];
  // Pinyin first, as the lookups fold the caller's text: every later answer
  // is for the folded text, as in the program.
  context.out << "Pinyin: " << LookupPinyin(tables, code) << '\n';
  context.out << "Definition: " << LookupDefinition(tables, code) << '\n';
  context.out << "Radical.Stroke: " << LookupRadicalStroke(tables, code) << '\n';
  context.out << "Matthews: " << LookupMatthews(tables, code) << '\n';
  context.out << "Simplified: " << LookupSimplified(tables, code) << '\n';
  context.out << "Traditional: " << LookupTraditional(tables, code) << '\n';
  return kCliAnswered;
}
