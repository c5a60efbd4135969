// The help quotes the program's texts (field labels, menu items, status
// texts, messages) in \cw{...}: every quoted text must be one of the
// program's own, read from its text headers and its resource script, and
// every field, menu item, status text and message must be quoted. The
// limits and the data's Unicode version the help states must be the
// program's.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell_texts.h"
#include "chardb/character_tables.h"
#include "chardb/chardb_texts.h"
#include "chardb/unihan_extract.h"
#include "handwriting/handwriting_texts.h"
#include "search/definition_search.h"
#include "search/matthews_search.h"
#include "search/pinyin_search.h"
#include "search/search_kinds.h"
#include "search/search_texts.h"
#include "vistapane/pane_texts.h"

namespace {

std::string ReadSource(const std::string& relative) {
  std::ifstream in(std::string(LOGODEX_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text) narrow += static_cast<char>(*text);  // the shell's texts are ASCII
  return narrow;
}

std::string CollapseBlanks(const std::string& text) {
  return std::regex_replace(text, std::regex("\\s+"), " ");
}

// The texts of \cw{...} outside comment lines: Halibut's escapes undone,
// line breaks of the source read as blanks.
std::vector<std::string> QuotedTexts(const std::string& help) {
  std::string source = std::regex_replace(help, std::regex("(^|\n)\\\\#[^\n]*"), "$1");
  std::vector<std::string> quoted;
  for (std::size_t at = source.find("\\cw{"); at != std::string::npos; at = source.find("\\cw{", at)) {
    std::string text;
    std::size_t i = at + 4;
    for (; i < source.size() && source[i] != '}'; ++i) {
      if (source[i] == '\\' && i + 1 < source.size()) ++i;
      text += source[i];
    }
    quoted.push_back(CollapseBlanks(text));
    at = i;
  }
  return quoted;
}

// Every double-quoted text of the resource script: menu items, field
// labels, captions, buttons.
std::set<std::string> ResourceTexts() {
  std::string script = ReadSource("resources/logodex.rc");
  std::set<std::string> texts;
  std::regex quoted("\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(script.begin(), script.end(), quoted); it != std::sregex_iterator(); ++it)
    texts.insert((*it)[1]);
  return texts;
}

// The texts of one kind of resource statement, in order: MENUITEM and
// POPUP, or the labels of the search bar.
std::vector<std::string> ResourceStatements(const std::regex& statement) {
  std::string script = ReadSource("resources/logodex.rc");
  std::vector<std::string> texts;
  for (auto it = std::sregex_iterator(script.begin(), script.end(), statement); it != std::sregex_iterator(); ++it)
    texts.push_back((*it)[1]);
  return texts;
}

// A printf format as a pattern of the texts it makes: %s any text, %d a
// number; a multi-line format gives one pattern per line.
std::vector<std::regex> FormatPatterns(const std::string& format) {
  std::vector<std::regex> patterns;
  std::istringstream lines(format);
  std::string line;
  while (std::getline(lines, line)) {
    line = std::regex_replace(line, std::regex("^ +| +$"), "");
    std::string pattern;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line.compare(i, 2, "%s") == 0) {
        pattern += ".*";
        ++i;
      } else if (line.compare(i, 2, "%d") == 0) {
        pattern += "[0-9]+";
        ++i;
      } else if (std::string("\\^$.|?*+()[]{}").find(line[i]) != std::string::npos) {
        pattern += std::string("\\") + line[i];
      } else {
        pattern += line[i];
      }
    }
    patterns.emplace_back(pattern);
  }
  return patterns;
}

// The pane's menu items and find texts as a person reads them: without
// the "&" of the underlined letter and the key after the tab.
std::vector<std::string> PaneTexts() {
  std::vector<std::string> texts;
  for (const wchar_t* text : {vistapane::kMenuCopy, vistapane::kMenuSelectAll, vistapane::kMenuBack,
                              vistapane::kMenuForward, vistapane::kMenuCopyCharacter, vistapane::kMenuCopyReference,
                              vistapane::kMenuCopyCodePoint, vistapane::kFindCaption, vistapane::kFindNotFound}) {
    std::string shown = Narrow(text);
    shown = shown.substr(0, shown.find('\t'));
    shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
    texts.push_back(shown);
  }
  return texts;
}

// The status formats of the kinds that show a page.
std::vector<std::string> StatusFormats() {
  std::vector<std::string> formats;
  for (const SearchKindRow& row : kSearchKinds)
    if (row.statusFormat) formats.push_back(row.statusFormat);
  return formats;
}
const std::vector<std::string> kStatusFormats = StatusFormats();

// The handwriting pad's buttons and its message, as shown (without the
// mnemonics' "&").
std::vector<std::string> PadTexts() {
  std::vector<std::string> texts;
  for (const char* text : {kHandwritingButton, kPadUndoButton, kPadClearButton, kPadCopyButton, kPadUnavailable}) {
    std::string shown = text;
    shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
    texts.push_back(shown);
  }
  return texts;
}

class HelpTexts : public ::testing::Test {
 protected:
  std::string help = ReadSource("docs/logodex.but");
  std::vector<std::string> quoted = QuotedTexts(help);

  bool Quotes(const std::string& text) const {
    for (const std::string& q : quoted)
      if (q == text) return true;
    return false;
  }
};

// A data file's message at start, as the program composes it.
std::string DataFileMessage(const char* file, const std::string& problem) {
  return Narrow(kDataFilePrefix) + file + " is " + problem;
}

TEST_F(HelpTexts, EveryQuotedTextIsTheProgramsOwn) {
  ASSERT_GT(quoted.size(), 30u) << "docs/logodex.but not read or without quoted texts";
  std::set<std::string> fixed = ResourceTexts();
  for (const SearchKindRow& row : kSearchKinds)
    for (const char* text : {row.fieldLabel, row.menuItem})
      if (text) fixed.insert(text);
  for (const char* text : {kNoResult, kMatthewsOutOfRange, kRadicalsStatusText, kUnihanNotFound,
                           kUnihanNotFoundCaption, kInformationCaption, kNotAvailable, kPinyinNotOccurring,
                           kPinyinNotAvailable, kPrivateUseAnswer})
    fixed.insert(text);
  for (const wchar_t* text : {kPageNotWritten, kLogodexCaption, vistapane::kMissingFileCaption})
    fixed.insert(Narrow(text));
  for (const std::string& text : PaneTexts()) fixed.insert(text);
  for (const std::string& text : PadTexts()) fixed.insert(text);
  fixed.insert(Narrow(kDataFilePrefix) + kJapaneseModelFileName + " " + kModelDamaged);
  fixed.insert(DataFileMessage(kChineseModelFileName, DataFileProblem(DataFileRead::kMissing, 0)));
  for (DataFileRead result : {DataFileRead::kMissing, DataFileRead::kNotAFile, DataFileRead::kTooLarge,
                              DataFileRead::kNoMemory}) {
    fixed.insert(DataFileMessage(kUnihanFileName, DataFileProblem(result, kUnihanFileMaxBytes)));
    fixed.insert(DataFileMessage(kStrokeFileName, DataFileProblem(result, kStrokeFileMaxBytes)));
  }
  std::vector<std::regex> formats;
  std::vector<std::string> allFormats = kStatusFormats;
  for (const char* format : {kUnihanCaptionFormat, kUnihanMoreLinesFormat, kInformationFormat, kClipboardFormat})
    allFormats.push_back(format);
  for (const std::string& format : allFormats)
    for (std::regex& pattern : FormatPatterns(format)) formats.push_back(pattern);

  for (const std::string& text : quoted) {
    bool known = fixed.count(text) > 0;
    for (const std::regex& pattern : formats) known = known || std::regex_match(text, pattern);
    EXPECT_TRUE(known) << "the help quotes \"" << text << "\", which the program never shows";
  }
}

TEST_F(HelpTexts, EveryFieldMenuItemStatusAndMessageIsQuoted) {
  std::vector<std::string> labels = ResourceStatements(
      std::regex("CONTROL \"([^\"]+)\", -1, \"STATIC\""));
  ASSERT_EQ(labels.size(), 7u) << "the search bar's labels not found in resources/logodex.rc";
  std::vector<std::string> menu = ResourceStatements(std::regex("(?:MENUITEM|POPUP) \"([^\"]+)\""));
  ASSERT_GE(menu.size(), 11u) << "the menu not found in resources/logodex.rc";
  for (const std::string& text : labels) EXPECT_TRUE(Quotes(text)) << "field " << text;
  // The table of kinds names the template's fields as the template does;
  // every kind has its section, and its field or menu item is quoted.
  for (int kind = 0; kind < kSearchKindCount; ++kind) {
    const SearchKindRow& row = kSearchKinds[kind];
    EXPECT_EQ(row.kind, kind) << "the table's rows stand in the order of their kinds";
    if (kind < kTemplateKindCount) {
      EXPECT_EQ(row.fieldLabel, labels[kind]) << "field of kind " << kind;
    }
    EXPECT_NE(help.find(std::string("\\H{") + row.helpTopic + "}"), std::string::npos) << "section " << row.helpTopic;
    for (const char* text : {row.fieldLabel, row.menuItem})
      if (text) {
        EXPECT_TRUE(Quotes(text)) << "field or menu item " << text;
      }
  }
  for (const std::string& text : menu) EXPECT_TRUE(Quotes(text)) << "menu item " << text;

  for (const char* text : {kNoResult, kMatthewsOutOfRange, kRadicalsStatusText, kUnihanNotFound, kUnihanNotFoundCaption,
                           kInformationCaption, kNotAvailable, kPinyinNotOccurring, kPrivateUseAnswer})
    EXPECT_TRUE(Quotes(text)) << "message " << text;
  for (const wchar_t* text : {kPageNotWritten, vistapane::kMissingFileCaption})
    EXPECT_TRUE(Quotes(Narrow(text))) << "message " << Narrow(text);
  for (const std::string& text : PaneTexts()) EXPECT_TRUE(Quotes(text)) << "pane text " << text;
  for (const std::string& text : PadTexts()) EXPECT_TRUE(Quotes(text)) << "handwriting pad text " << text;
  for (const char* file : {kUnihanFileName, kStrokeFileName}) {
    std::string missing = DataFileMessage(file, DataFileProblem(DataFileRead::kMissing, 0));
    EXPECT_TRUE(Quotes(missing)) << "message " << missing;
  }
  std::string tooLarge = DataFileMessage(kUnihanFileName, DataFileProblem(DataFileRead::kTooLarge, kUnihanFileMaxBytes));
  EXPECT_TRUE(Quotes(tooLarge)) << "message " << tooLarge;

  for (const std::string& format : kStatusFormats) {
    std::regex pattern = FormatPatterns(format).front();
    bool shown = false;
    for (const std::string& text : quoted) shown = shown || std::regex_match(text, pattern);
    EXPECT_TRUE(shown) << "no example of the status text " << format;
  }
}

TEST_F(HelpTexts, LimitsAndVersionAreTheProgramsOwn) {
  std::string prose = CollapseBlanks(help);
  auto grouped = [](std::size_t n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
  };
  EXPECT_NE(prose.find("looks at no more than " + grouped(kDefinitionLimit) + " occurrences"), std::string::npos);
  EXPECT_NE(prose.find("shows at most " + std::to_string(kUnihanExtractMaxLines) + " lines"), std::string::npos);
  EXPECT_NE(prose.find("has " + std::to_string(kPinyinKeyLimit) + " letters"), std::string::npos);
  EXPECT_NE(prose.find("1 to " + std::to_string(kMatthewsLargest)), std::string::npos);
  EXPECT_NE(prose.find("filed under that number (at most " + std::to_string(kMatthewsHitLimit) + ")"),
            std::string::npos);

  std::smatch version;
  ASSERT_TRUE(std::regex_search(help, version, std::regex("\\\\define\\{dataversion\\} ([0-9.]+)")));
  EXPECT_TRUE(ResourceTexts().count("Based on Unihan " + version[1].str()))
      << "the help names Unicode " << version[1] << ", the About box another version";
  EXPECT_NE(ReadSource("data/preface.txt").find("Unicode " + version[1].str()), std::string::npos);
}

// The pane's keys held with Ctrl, as its key handler answers them
// (vistapane/win32/pane_window.cpp: "case 'C':" followed by
// "if (control)"), each to be in the help's Keys chapter.
TEST_F(HelpTexts, TheKeysChapterNamesThePanesControlKeys) {
  std::string source = ReadSource("vistapane/win32/pane_window.cpp");
  std::regex chord("case '([A-Z])':\\s*if \\(control\\)");
  std::vector<std::string> keys;
  for (std::sregex_iterator it(source.begin(), source.end(), chord), end; it != end; ++it)
    keys.push_back("Ctrl+" + (*it)[1].str());
  ASSERT_GE(keys.size(), 2u) << "the pane's Ctrl keys not found in its source";
  std::size_t chapter = help.find("\\C{keys}");
  ASSERT_NE(chapter, std::string::npos);
  std::string keysChapter = help.substr(chapter, help.find("\\C{", chapter + 1) - chapter);
  for (const std::string& key : keys)
    EXPECT_NE(keysChapter.find("\\i{" + key + "}"), std::string::npos) << key << " is not in the Keys chapter";
}

}  // namespace
