// The pane's own texts and face lists.
#pragma once

namespace vistapane {

inline constexpr wchar_t kPaneClassName[] = L"LogodexVistaPane";
inline constexpr char kBlankTarget[] = "about:blank";
inline constexpr char kInsertWord[] = "insert";
inline constexpr char kInsertCallback[] = "InsertUnicode";

// The page shown for a file that cannot be read; %s is its path, written
// as a character-escaped HTML text.
inline constexpr char kMissingFilePage[] =
    "<HTML><HEAD><TITLE>File not found</TITLE></HEAD><BODY><H3>File not found</H3>"
    "<P>The page <B>%s</B> cannot be opened: the file does not exist or cannot be read.</BODY></HTML>";
inline constexpr wchar_t kMissingFileCaption[] = L"File not found";

// The page shown instead of one too large to hold and lay out; %s as above.
inline constexpr char kTooLargePage[] =
    "<HTML><HEAD><TITLE>Page too large</TITLE></HEAD><BODY><H3>Page too large</H3>"
    "<P>The page is too large to show: <B>%s</B></BODY></HTML>";
inline constexpr wchar_t kTooLargeCaption[] = L"Page too large";

// Faces for Latin text, for PRE, and the CJK faces every character falls
// back along, each list ending with nullptr. Only installed faces are used.
inline constexpr const wchar_t* kLatinFaces[] = {L"Times New Roman", L"Liberation Serif",
                                                  L"DejaVu Serif", L"Tahoma", nullptr};
inline constexpr const wchar_t* kMonospaceFaces[] = {L"Courier New", L"Liberation Mono",
                                                      L"DejaVu Sans Mono", nullptr};
inline constexpr const wchar_t* kCjkFaces[] = {
    L"NSimSun",           L"SimSun",          L"SimSun-ExtB",  L"MingLiU-ExtB",
    L"Microsoft YaHei",   L"HanaMinA",        L"HanaMinB",     L"BabelStone Han",  L"Noto Sans CJK SC",
    L"Noto Serif CJK SC", L"Droid Sans Fallback", L"Arial Unicode MS", L"DejaVu Sans", nullptr};

}  // namespace vistapane
