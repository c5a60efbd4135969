#include <gtest/gtest.h>

#include <string>

#include "editor/rtf_document.h"

namespace {

TEST(RtfDocument, WholeDocumentsPassAndEverythingElseFails) {
  const std::string whole = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Heavy} \\{not a group\\} \\\\\\par}";
  EXPECT_TRUE(IsWholeRtfDocument(whole));
  EXPECT_TRUE(IsWholeRtfDocument(whole + "\r\n" + std::string(1, '\0')));
  // Binary data holding braces, as \bin carries it.
  EXPECT_TRUE(IsWholeRtfDocument("{\\rtf1 {\\*\\blip\\bin4 }}{{}\\par}"));

  EXPECT_FALSE(IsWholeRtfDocument(""));
  EXPECT_FALSE(IsWholeRtfDocument("plain text, not a document\r\n"));
  EXPECT_FALSE(IsWholeRtfDocument(std::string("\x89PNG\r\n\x1a\n\0\0{\\rtf1}", 18)));
  // Cut short anywhere before the last brace.
  for (std::size_t length = 1; length < whole.size(); ++length)
    EXPECT_FALSE(IsWholeRtfDocument(whole.substr(0, length))) << length;
  EXPECT_FALSE(IsWholeRtfDocument("{\\rtf1 {\\*\\blip\\bin40 }}}"));
  EXPECT_FALSE(IsWholeRtfDocument("{\\rtf1 text} more text"));
}

}  // namespace
