#include "handwriting/recogniser.h"

#include <iterator>

// Zinnia's header declares its functions for a DLL on Windows; the
// program links the static library built with DLL_EXPORT, so it declares
// them the same way here.
#ifdef _WIN32
#define DLL_EXPORT 1
#endif
#include <zinnia.h>

#include "chardb/character_tables.h"
#include "handwriting/candidate_merge.h"
#include "handwriting/handwriting_texts.h"
#include "handwriting/model_check.h"
#include "handwriting/stroke_vertices.h"

void ZinniaCloser::operator()(zinnia::Recognizer* recognizer) const { delete recognizer; }

bool OpenHandwritingModel(std::string bytes, HandwritingModel& model) {
  model.recognizer.reset();
  model.bytes.reset();
  if (!IsHandwritingModel(bytes)) return false;
  auto held = std::make_unique<const std::string>(std::move(bytes));
  std::unique_ptr<zinnia::Recognizer, ZinniaCloser> recognizer(zinnia::Recognizer::create());
  if (!recognizer || !recognizer->open(held->data(), held->size())) return false;
  model.bytes = std::move(held);
  model.recognizer = std::move(recognizer);
  return true;
}

std::vector<HandwritingCandidate> ClassifyDrawing(const HandwritingModel& model, const Drawing& drawing,
                                                  std::size_t count) {
  std::vector<HandwritingCandidate> candidates;
  if (!model.recognizer || drawing.strokes.empty() || drawing.width <= 0 || drawing.height <= 0 || count == 0)
    return candidates;
  std::unique_ptr<zinnia::Character> character(zinnia::Character::create());
  character->set_width(static_cast<std::size_t>(drawing.width));
  character->set_height(static_cast<std::size_t>(drawing.height));
  for (std::size_t id = 0; id < drawing.strokes.size(); ++id) {
    for (const InkPoint& point : StrokeVertices(drawing.strokes[id], drawing.width, drawing.height))
      character->add(id, point.x, point.y);
  }
  std::unique_ptr<zinnia::Result> result(model.recognizer->classify(*character, count));
  if (!result) return candidates;
  for (std::size_t at = 0; at < result->size(); ++at) {
    const char* text = result->value(at);
    char32_t codePoint = text ? SingleCharacter(text) : 0;
    if (codePoint != 0) candidates.push_back({codePoint, result->score(at)});
  }
  return candidates;
}

std::vector<HandwritingCandidate> RecogniseDrawing(const std::vector<HandwritingModel>& models,
                                                   const CommonRanking& ranking, const Drawing& drawing,
                                                   std::size_t count) {
  std::vector<std::vector<HandwritingCandidate>> lists;
  for (const HandwritingModel& model : models) {
    lists.push_back(ClassifyDrawing(model, drawing, 2 * count));
    const std::size_t file = lists.size() - 1;
    const float shift = file < std::size(kHandwritingModelScoreShifts) ? kHandwritingModelScoreShifts[file] : 0.0f;
    for (HandwritingCandidate& candidate : lists.back()) candidate.score += shift;
  }
  return MergeCandidates(lists, ranking, count);
}

const char* const kHandwritingModelFiles[2] = {kChineseModelFileName, kJapaneseModelFileName};
const float kHandwritingModelScoreShifts[2] = {0.0f, -0.2f};

bool LoadHandwritingModels(const std::string& folder, std::vector<HandwritingModel>& models, std::string& error) {
  models.clear();
  for (const char* name : kHandwritingModelFiles) {
    const std::string path = folder + "/" + name;
    std::string bytes;
    DataFileRead read = ReadDataFile(path, kHandwritingModelMaxBytes, bytes);
    models.emplace_back();
    if (read != DataFileRead::kRead) {
      error = "handwriting model " + DataFileProblem(read, kHandwritingModelMaxBytes) + ": " + path;
    } else if (!OpenHandwritingModel(std::move(bytes), models.back())) {
      error = std::string("handwriting model ") + kModelDamaged + ": " + path;
    } else {
      continue;
    }
    models.clear();
    return false;
  }
  return true;
}
