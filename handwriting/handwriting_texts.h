// The handwriting subsystem's own texts: the candidates page, the stroke
// file's messages and the models' file names and messages.
#pragma once

// The candidates page: its file name (with the leading backslash), its
// header, its line per candidate and the status text.
constexpr char kHandwritingPageFileName[] = "\\HtmlHandwriting.htm";
constexpr char kHandwritingHeader[] =
    "<HTML><HEAD><TITLE>Handwriting</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=UTF-8\"></HEAD><BODY>";
constexpr char kHandwritingLineFormat[] = "<P>%s&nbsp;&nbsp;%s";
constexpr char kHandwritingNoCandidate[] = "<P>No result";
constexpr char kHandwritingStatusFormat[] = "Handwriting: %s strokes, %s candidates";

// The stroke file: what is wrong with it, after "line N: ".
constexpr char kStrokeFileNoSize[] = "the first line must be 'size W H' (the drawing area in pixels)";
constexpr char kStrokeFileBadSize[] = "the size must be two whole numbers from 1 to 10000";
constexpr char kStrokeFileBadPoint[] = "a point must be 'x,y' in whole numbers: ";
constexpr char kStrokeFileOutside[] = "a point lies outside the drawing area: ";
constexpr char kStrokeFileLongLine[] = "the line is longer than 65536 bytes";
constexpr char kStrokeFileManyStrokes[] = "more than 100 strokes";
constexpr char kStrokeFileNoStrokes[] = "the file holds no strokes";

// The models, read from the program's folder, and what can be wrong with one.
constexpr char kChineseModelFileName[] = "handwriting-zh_CN.model";
constexpr char kJapaneseModelFileName[] = "handwriting-ja.model";
constexpr char kModelDamaged[] = "is damaged (not a handwriting model)";

// The pad: its labels and buttons ("&" marks the key that Alt takes to
// each) and its status texts.
constexpr char kPadDrawLabel[] = "&Draw a character with the mouse, stroke by stroke:";
constexpr char kPadUndoButton[] = "&Undo stroke";
constexpr char kPadClearButton[] = "C&lear";
constexpr char kPadCopyButton[] = "&Copy reference";
constexpr char kPadCandidatesLabel[] =
    "Ca&ndidates, likeliest first (click one for its page; Copy reference takes the chosen one):";
constexpr char kPadInstructions[] =
    "The ten likeliest characters follow every stroke. Stroke order and direction count: "
    "draw as the character is written.";
constexpr char kPadUnavailable[] =
    "Handwriting is unavailable: a handwriting model file is missing or damaged.";
