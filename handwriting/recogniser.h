// The handwriting recogniser: the Zinnia models, each read into memory and
// checked, and the candidates of a drawing from all of them merged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chardb/common_ranking.h"
#include "handwriting/drawing.h"

namespace zinnia {
class Recognizer;
}

struct ZinniaCloser {
  void operator()(zinnia::Recognizer* recognizer) const;
};

// One model: its file's bytes, which the recogniser reads in place, and
// the recogniser open on them.
struct HandwritingModel {
  std::unique_ptr<const std::string> bytes;
  std::unique_ptr<zinnia::Recognizer, ZinniaCloser> recognizer;
};

// Opens the model on the bytes of its file; false when they are not a
// whole model (see model_check.h), the model then left closed.
bool OpenHandwritingModel(std::string bytes, HandwritingModel& model);

struct HandwritingCandidate {
  char32_t codePoint = 0;
  float score = 0.0f;
};

// The count best candidates of one model for the drawing, best first.
// The strokes are cut to the points the recogniser reads (see
// stroke_vertices.h). None for a drawing without strokes or a closed model.
std::vector<HandwritingCandidate> ClassifyDrawing(const HandwritingModel& model, const Drawing& drawing,
                                                  std::size_t count);

// The count best Han candidates of all the models, merged (see
// candidate_merge.h) once each model's scores are shifted onto one scale:
// each model is asked for twice as many, since kana, letters and one
// character found by both drop out.
std::vector<HandwritingCandidate> RecogniseDrawing(const std::vector<HandwritingModel>& models,
                                                   const CommonRanking& ranking, const Drawing& drawing,
                                                   std::size_t count);

// The model files the program reads from its folder, in the order their
// candidates are merged, and the largest file taken for one.
extern const char* const kHandwritingModelFiles[2];

// What is added to each model's scores before the merge, in the order of
// the files. The Japanese model scores its candidates higher than the
// simplified Chinese one scores a drawing as like them: lowered by 0.2,
// the right answer among the ten rose from 92.6 to 93.1 % of the
// accuracy test's level-1 characters (0.1 and 0.3 did less).
extern const float kHandwritingModelScoreShifts[2];
constexpr std::uint64_t kHandwritingModelMaxBytes = std::uint64_t{64} << 20;

// Reads and opens every model file from the folder (a path in the
// system's narrow encoding, as the command-line tools take it). False
// with a one-line reason naming the file when one is missing, too large
// or damaged.
bool LoadHandwritingModels(const std::string& folder, std::vector<HandwritingModel>& models, std::string& error);
