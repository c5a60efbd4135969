// Program links from the pane's classification to the program's search:
// the forms the pages write reach their kind and key; everything hostile
// or unknown does nothing in the pane (kNone, or an insert or file link
// exactly as before) and names no search in the program.
#include <gtest/gtest.h>

#include "search/program_links.h"
#include "vistapane/decode.h"
#include "vistapane/links.h"

namespace {

using vistapane::LinkKind;

TEST(ProgramLinks, OnlyTheFormOfAKnownKindReachesASearch) {
  struct Case {
    std::string target;
    LinkKind inPane;
    int kind;         // -1: the program runs no search
    std::string key;  // the key it runs the search with
  } const cases[] = {
      {"logodex:unicode/957F", LinkKind::kProgram, kUnicodeSearch, "957F"},
      {"logodex:pinyin/ZHANG", LinkKind::kProgram, kPinyinSearch, "ZHANG"},
      {"logodex:radical-stroke/168'.0", LinkKind::kProgram, kRadicalStrokeSearch, "168'.0"},
      {"logodex:stroke-number/8", LinkKind::kProgram, kStrokeNumberSearch, "8"},
      {"logodex:definition/\xE9\x95\xB7", LinkKind::kProgram, kDefinitionSearch, "\xE9\x95\xB7"},
      {"logodex:unicode/" + std::string(19, 'A'), LinkKind::kProgram, kUnicodeSearch, std::string(19, 'A')},
      // Of the form, but no search: an unknown name, the box of the Unihan
      // kind, a key longer than a field takes.
      {"logodex:format/C", LinkKind::kProgram, -1, ""},
      {"logodex:unihan/4E00", LinkKind::kProgram, -1, ""},
      {"logodex:unicode/" + std::string(20, 'A'), LinkKind::kProgram, -1, ""},
      // Hostile or malformed: nothing in the pane.
      {"logodex:file:///C:/Windows/notepad.exe", LinkKind::kNone, -1, ""},
      {"logodex:unicode/calc.exe", LinkKind::kNone, -1, ""},
      {"logodex:unicode/..", LinkKind::kNone, -1, ""},
      {"logodex:javascript:alert(1)", LinkKind::kNone, -1, ""},
      {"logodex:unicode/\\\\server\\share\\x.htm", LinkKind::kNone, -1, ""},
      {"logodex://server/share", LinkKind::kNone, -1, ""},
      {"logodex:unicode/%2e%2e", LinkKind::kNone, -1, ""},
      {"logodex:unicode/a/b", LinkKind::kNone, -1, ""},
      {"logodex:unicode/4E00 x", LinkKind::kNone, -1, ""},
      {"logodex:unicode/\xC0\xAF", LinkKind::kNone, -1, ""},    // overlong "/"
      {"logodex:unicode/\xE2\x80\xAE" "4E00", LinkKind::kNone, -1, ""},  // a direction override
      {"logodex:unicode/", LinkKind::kNone, -1, ""},
      {"logodex:/4E00", LinkKind::kNone, -1, ""},
      {"logodex:Unicode/4E00", LinkKind::kNone, -1, ""},
      {"LOGODEX:unicode/4E00", LinkKind::kNone, -1, ""},
      {"logodex:" + std::string(25, 'a') + "/1", LinkKind::kNone, -1, ""},
      {"logodex:unicode/" + std::string(41, 'A'), LinkKind::kNone, -1, ""},
      // Insert links keep their form and meaning; file names stay files.
      {"insert957F", LinkKind::kInsert, -1, ""},
      {"logodex:unicode/insert", LinkKind::kInsert, -1, ""},
      {"logodex.htm", LinkKind::kFile, -1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vistapane::ClassifyLink(vistapane::DecodeUtf8(c.target)), c.inPane) << c.target;
    SearchKind kind = kSearchKindCount;
    std::string key = "unchanged";
    bool parsed = ParseProgramLink(c.target, kind, key);
    EXPECT_EQ(parsed, c.kind >= 0) << c.target;
    if (parsed && c.kind >= 0) {
      EXPECT_EQ(kind, c.kind) << c.target;
      EXPECT_EQ(key, c.key) << c.target;
      EXPECT_EQ(ProgramLinkTarget(kind, key), c.target);
    }
  }
}

}  // namespace
