// The handwriting core: the stroke file and its refusals, the model check
// against damaged models, the strokes cut to what the recogniser reads,
// the merge of the models' candidates, and recognition with the shipped
// models.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "handwriting/candidate_merge.h"
#include "handwriting/model_check.h"
#include "handwriting/recogniser.h"
#include "handwriting/stroke_file.h"
#include "handwriting/stroke_vertices.h"
#include "tests/test_data_dir.h"

#ifdef _WIN32
#define DLL_EXPORT 1
#endif
#include <zinnia.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(StrokeFile, ReadsStrokesSkippingCommentsAndBlankLines) {
  Drawing drawing;
  std::string error;
  ASSERT_TRUE(ParseStrokeFile("# pad\r\n size 300 200\r\n\n10,20 30,40\r\n  # note\n299,199\n", drawing, error))
      << error;
  EXPECT_EQ(drawing.width, 300);
  EXPECT_EQ(drawing.height, 200);
  ASSERT_EQ(drawing.strokes.size(), 2u);
  ASSERT_EQ(drawing.strokes[0].size(), 2u);
  EXPECT_EQ(drawing.strokes[0][1].x, 30);
  EXPECT_EQ(drawing.strokes[0][1].y, 40);
  EXPECT_EQ(drawing.strokes[1][0].x, 299);
}

TEST(StrokeFile, RefusesBadInputNamingTheLine) {
  std::string manyStrokes = "size 10 10\n";
  for (int stroke = 0; stroke < 10000; ++stroke) manyStrokes += "1,1 2,2\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "line 1: the first line must be 'size W H'"},
      {"# nothing\n\n", "line 3: the first line must be 'size W H'"},
      {"1,1 2,2\n", "line 1: the first line must be 'size W H'"},
      {"size 10\n1,1\n", "line 1: the size must be two whole numbers"},
      {"size 10 10 10\n1,1\n", "line 1: the size must be two whole numbers"},
      {"size 0 10\n1,1\n", "line 1: the size must be two whole numbers"},
      {"size 10001 10\n1,1\n", "line 1: the size must be two whole numbers"},
      {"size 99999999999999999999 10\n1,1\n", "line 1: the size must be two whole numbers"},
      {"size 10 10\n1,1 2;2\n", "line 2: a point must be 'x,y' in whole numbers: 2;2"},
      {"size 10 10\n1,1,1\n", "line 2: a point must be 'x,y' in whole numbers: 1,1,1"},
      {"size 10 10\n, 1,\n", "line 2: a point must be 'x,y' in whole numbers: ,"},
      {"size 10 10\n1.5,2\n", "line 2: a point must be 'x,y' in whole numbers: 1.5,2"},
      {"size 10 10\n1,1\n10,1\n", "line 3: a point lies outside the drawing area: 10,1"},
      {"size 10 10\n-1,1\n", "line 2: a point lies outside the drawing area: -1,1"},
      {"size 10 10\n1,99999999999999999999\n", "line 2: a point lies outside the drawing area: 1,9999"},
      {"size 10 10\n", "the file holds no strokes"},
      {"size 10 10\n# none\n\n", "the file holds no strokes"},
      {manyStrokes, "line 102: more than 100 strokes"},
      {"size 10 10\n" + std::string(10 << 20, '1') + ",1\n", "line 2: the line is longer than 65536 bytes"},
  };
  for (const auto& bad : cases) {
    Drawing drawing;
    std::string error;
    EXPECT_FALSE(ParseStrokeFile(bad.text, drawing, error)) << bad.message;
    EXPECT_EQ(error.substr(0, bad.message.size()), bad.message);
  }
}

// The shipped models, read once for the test program.
const std::vector<HandwritingModel>& Models() {
  static std::vector<HandwritingModel> models = [] {
    std::vector<HandwritingModel> loaded;
    std::string error;
    EXPECT_TRUE(LoadHandwritingModels(TestDataDir(), loaded, error)) << error;
    return loaded;
  }();
  return models;
}

TEST(HandwritingModel, DamagedModelsAreRefusedBeforeTheRecogniserReadsThem) {
  std::string bytes = ReadDataFile(kHandwritingModelFiles[0]);
  ASSERT_GT(bytes.size(), 1000u);
  EXPECT_TRUE(IsHandwritingModel(bytes));
  std::string lastEndOpen = bytes;  // the last weights' end mark (index -1) made an index
  lastEndOpen[lastEndOpen.size() - 8] = 0;
  std::string magic = bytes;
  magic[0] ^= 1;
  std::string noNul = bytes;  // the first character's text fills its 16 bytes
  noNul.replace(12, 16, 16, 'x');
  for (const std::string& damaged : {bytes.substr(0, bytes.size() - 1), bytes.substr(0, bytes.size() / 2),
                                     bytes.substr(0, 11), std::string(), lastEndOpen, magic, noNul}) {
    EXPECT_FALSE(IsHandwritingModel(damaged));
    HandwritingModel model;
    EXPECT_FALSE(OpenHandwritingModel(damaged, model));
    EXPECT_TRUE(ClassifyDrawing(model, {300, 300, {{{10, 10}, {200, 200}}}}, 10).empty());
  }
}

// The recogniser's answer on every point of the strokes, as a reference.
std::vector<HandwritingCandidate> ClassifyRaw(const HandwritingModel& model, const Drawing& drawing) {
  std::unique_ptr<zinnia::Character> character(zinnia::Character::create());
  character->set_width(drawing.width);
  character->set_height(drawing.height);
  for (std::size_t id = 0; id < drawing.strokes.size(); ++id)
    for (const InkPoint& point : drawing.strokes[id]) character->add(id, point.x, point.y);
  std::unique_ptr<zinnia::Result> result(model.recognizer->classify(*character, 10));
  std::vector<HandwritingCandidate> candidates;
  for (std::size_t at = 0; result && at < result->size(); ++at)
    candidates.push_back({SingleCharacter(result->value(at)), result->score(at)});
  return candidates;
}

void ExpectSameCandidates(const std::vector<HandwritingCandidate>& a, const std::vector<HandwritingCandidate>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t at = 0; at < a.size(); ++at) {
    EXPECT_EQ(a[at].codePoint, b[at].codePoint);
    EXPECT_EQ(a[at].score, b[at].score);
  }
}

TEST(StrokeVertices, CutStrokesAreRecognisedAsTheWholeOnesAndLongStrokesStayBounded) {
  // A circle and a wave of many points: the recogniser splits them deeply.
  InkStroke circle, wave;
  for (int at = 0; at < 400; ++at) {
    const double angle = at * 2 * kPi / 400;
    circle.push_back({150 + static_cast<int>(100 * std::cos(angle)), 150 + static_cast<int>(100 * std::sin(angle))});
    // Twenty swings, widest in the middle: split after split finds a vertex.
    const double t = at / 400.0;
    wave.push_back({at * 299 / 400, 150 + static_cast<int>(120 * std::sin(kPi * t) * std::sin(40 * kPi * t))});
  }
  for (const InkStroke& stroke : {circle, wave}) {
    InkStroke cut = StrokeVertices(stroke, 300, 300);
    EXPECT_LE(cut.size(), 33u);
    EXPECT_EQ(cut.front().x, stroke.front().x);
    EXPECT_EQ(cut.back().y, stroke.back().y);
    // StrokeVertices of the cut stroke keeps it whole: the recogniser,
    // splitting it again, finds the same vertices and no more.
    EXPECT_EQ(StrokeVertices(cut, 300, 300).size(), cut.size());
  }
  // The recogniser reads the cut strokes as it reads the whole ones.
  const Drawing drawing{300, 300, {circle, wave}};
  for (const HandwritingModel& model : Models()) ExpectSameCandidates(ClassifyDrawing(model, drawing, 10), ClassifyRaw(model, drawing));
  // A zigzag of 10,000 points, on which the recogniser's own splitting
  // grows without bound, is cut to at most 33.
  InkStroke zigzag;
  for (int at = 0; at < 10000; ++at) zigzag.push_back({at % 2 ? 10 : 290, at * 299 / 10000});
  EXPECT_LE(StrokeVertices(zigzag, 300, 300).size(), 33u);
}

TEST(CandidateMerge, KeepsEachHanCharacterOnceAtItsBestScoreCommonFirstWhereClose) {
  const CharacterTables tables;
  // bzcat data/unihan/*.bz2 | grep -P "^U\+(4E00|4E02|4EBA|5165)\tkTGH": 一, 人 and 入
  // are of level 1; 丂 (4E02) has no kTGH.
  std::vector<std::vector<HandwritingCandidate>> lists = {
      {{0x4E02, 0.50f}, {0x4EBA, 0.20f}, {0x3042, 0.90f}, {0x5165, 0.10f}},
      {{0x4E00, 0.48f}, {0x4EBA, 0.30f}, {'9', 0.95f}},
  };
  std::vector<HandwritingCandidate> merged = MergeCandidates(lists, tables.ranking, 10);
  ASSERT_EQ(merged.size(), 4u);  // あ and 9 are no Han characters
  EXPECT_EQ(merged[0].codePoint, 0x4E00u);  // within 0.05 of 丂: the common one first
  EXPECT_EQ(merged[1].codePoint, 0x4E02u);
  EXPECT_EQ(merged[2].codePoint, 0x4EBAu);
  EXPECT_FLOAT_EQ(merged[2].score, 0.30f);
  EXPECT_EQ(merged[3].codePoint, 0x5165u);
  lists[1][0].score = 0.40f;  // now clearly behind
  EXPECT_EQ(MergeCandidates(lists, tables.ranking, 2)[0].codePoint, 0x4E02u);
  EXPECT_EQ(MergeCandidates(lists, tables.ranking, 2).size(), 2u);
  EXPECT_EQ(SingleCharacter("\xE4\xBA\xBA"), 0x4EBAu);
  for (const char* bad : {"", "\xE4\xBA", "\xE4\xBA\xBA\xE4\xBA\xBA", "\xC0\x80", "\xED\xA0\x80", "\xFF"})
    EXPECT_EQ(SingleCharacter(bad), 0u);
}

TEST(Recognition, HandDrawnCharactersAreAmongTheCandidates) {
  const CharacterTables tables;
  ASSERT_EQ(Models().size(), 2u);
  // 人 and 十 as a mouse draws them on a pad of 300 pixels.
  const struct {
    Drawing drawing;
    char32_t expected;
  } cases[] = {
      {{300, 300, {{{150, 40}, {140, 120}, {110, 190}, {60, 260}}, {{150, 130}, {190, 200}, {250, 260}}}}, 0x4EBA},
      {{300, 300, {{{40, 150}, {150, 148}, {260, 146}}, {{150, 30}, {150, 150}, {150, 270}}}}, 0x5341},
  };
  for (const auto& drawn : cases) {
    std::vector<HandwritingCandidate> candidates = RecogniseDrawing(Models(), tables.ranking, drawn.drawing, 10);
    EXPECT_EQ(candidates.size(), 10u);
    bool found = false;
    for (const HandwritingCandidate& candidate : candidates) found |= candidate.codePoint == drawn.expected;
    EXPECT_TRUE(found) << std::hex << drawn.expected;
  }
  EXPECT_TRUE(RecogniseDrawing(Models(), tables.ranking, {300, 300, {}}, 10).empty());
}

}  // namespace
