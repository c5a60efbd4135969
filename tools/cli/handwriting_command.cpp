// logodex-cli handwriting [--print] FILE: the candidates page of the
// strokes in a stroke file (see handwriting/stroke_file.h), recognised by
// the models in the data folder.
#include "chardb/character_tables.h"
#include "handwriting/handwriting_page.h"
#include "handwriting/handwriting_texts.h"
#include "handwriting/recogniser.h"
#include "handwriting/stroke_file.h"
#include "tools/cli/cli_commands.h"

// The candidates the program's pad shows.
constexpr std::size_t kCliCandidates = 10;

int RunHandwritingCommand(const CliContext& context, const std::vector<std::string>& args) {
  bool print;
  std::string path;
  if (!ReadKeyWords(args, print, path)) return CliUsageError(context, "handwriting [--print] FILE");
  std::string text;
  DataFileRead read = ReadDataFile(path, kInkFileMaxBytes, text);
  if (read != DataFileRead::kRead) {
    context.err << "logodex-cli: stroke file " << DataFileProblem(read, kInkFileMaxBytes) << ": " << path
                << '\n';
    return kCliBadUsage;
  }
  Drawing drawing;
  std::string error;
  if (!ParseStrokeFile(text, drawing, error)) {
    context.err << "logodex-cli: " << path << ": " << error << '\n';
    return kCliBadUsage;
  }
  std::vector<HandwritingModel> models;
  if (!LoadHandwritingModels(context.dataDir, models, error)) {
    context.err << "logodex-cli: " << error << '\n';
    return kCliBadUsage;
  }
  std::vector<HandwritingCandidate> candidates = RecogniseDrawing(models, context.tables.ranking, drawing, kCliCandidates);
  return Deliver(context, print, kHandwritingPageFileName, HandwritingPage(context.tables, candidates),
                 HandwritingStatusText(drawing.strokes.size(), candidates.size()));
}
