// The rules that shape a run of inline text: white space collapses outside
// PRE, a line may break after a blank or between ideographs, and PRE keeps
// its blanks, ends lines at its line feeds and sets tabs every eight
// columns. Placing text on lines and measuring it for table columns both
// read text through these rules, so the two cannot disagree.
#pragma once

#include <string>

#include "vistapane/layout_style.h"

namespace vistapane {

constexpr int kTabStop = 8;

// What the rules remember between characters and from one text node to
// the next within one column of blocks.
struct InlineState {
  bool lastSpace = true;     // white space here collapses
  char32_t lastChar = 0;     // the last character shown outside PRE
  int column = 0;            // characters since the line began, for PRE tabs
  bool skipNewline = false;  // the line feed just after <PRE>

  // A line has ended: leading white space collapses, tabs count afresh.
  void NewLine() {
    lastSpace = true;
    column = 0;
  }
};

// Feeds `text` to `sink` as the rules shape it:
//   sink.Space()                a collapsed blank; a line may end after it
//   sink.Shown(cp, breakBefore) a character outside PRE; breakBefore when a
//                               line may end before it
//   sink.Fixed(cp)              a character of PRE (a tab arrives as blanks)
//   sink.Break()                a line feed of PRE; the sink ends the line
template <class Sink>
void FeedText(const std::u32string& text, bool pre, InlineState& state, Sink& sink) {
  for (char32_t cp : text) {
    if (pre) {
      if (cp == '\r') continue;
      if (cp == '\n') {
        if (state.skipNewline) {
          state.skipNewline = false;
          continue;
        }
        sink.Break();
        continue;
      }
      state.skipNewline = false;
      int count = 1;
      if (cp == '\t') {
        count = kTabStop - state.column % kTabStop;
        cp = ' ';
      }
      for (int i = 0; i < count; ++i) {
        sink.Fixed(cp);
        ++state.column;
      }
      continue;
    }
    if (IsCollapsibleSpace(cp)) {
      if (state.lastSpace) continue;
      sink.Space();
      state.lastSpace = true;
      continue;
    }
    sink.Shown(cp, !state.lastSpace && BreakAllowedBetween(state.lastChar, cp));
    state.lastSpace = false;
    state.lastChar = cp;
  }
}

}  // namespace vistapane
