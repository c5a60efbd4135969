// The document pane's text as paragraphs of runs, each run with its own
// character format and each paragraph with its alignment, read from the
// rich edit control: what printing draws when the control cannot lay out
// pages itself.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <functional>
#include <string>
#include <vector>

struct TextRun {
  std::wstring text;
  CHARFORMATW format{};
};

struct RichParagraph {
  WORD alignment = PFA_LEFT;
  CHARFORMATW format{};  // at the paragraph's start: the height of an empty one
  std::vector<TextRun> runs;
};

// The paragraphs of the characters from `start` to `end` (-1: the end of
// the text). `goOn` is asked before each paragraph; when it answers false
// the paragraphs read so far are returned. The control is not redrawn
// while it is read; its selection and event mask are restored afterwards.
std::vector<RichParagraph> ReadRichParagraphs(HWND editor, LONG start, LONG end, const std::function<bool()>& goOn);
