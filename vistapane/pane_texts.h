// The pane's own texts and face lists.
#pragma once

namespace vistapane {

inline constexpr wchar_t kPaneClassName[] = L"LogodexVistaPane";
inline constexpr char kBlankTarget[] = "about:blank";
inline constexpr char kInsertWord[] = "insert";
inline constexpr char kInsertCallback[] = "InsertUnicode";
// Program links, "logodex:NAME/KEY", go to the program's export of this name.
inline constexpr char kProgramLinkPrefix[] = "logodex:";
inline constexpr char kProgramLinkCallback[] = "ShowProgramLink";

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

// The page shown on stepping back to an old history entry whose file has
// since been written anew (the pane keeps the bytes of the nearer pages
// only); %s as above.
inline constexpr char kReplacedPage[] =
    "<HTML><HEAD><TITLE>Page replaced</TITLE></HEAD><BODY><H3>Page replaced</H3>"
    "<P>The page shown here earlier is no longer kept, and its file <B>%s</B> now holds another page. "
    "Search again to see it.</BODY></HTML>";
inline constexpr wchar_t kReplacedCaption[] = L"Page replaced";

// Faces for Latin text, for PRE, and the CJK faces every character falls
// back along (the Korean ones for hangul, which the Chinese faces lack),
// each list ending with nullptr. Only installed faces are used.
inline constexpr const wchar_t* kLatinFaces[] = {L"Times New Roman", L"Liberation Serif",
                                                  L"DejaVu Serif", L"Tahoma", nullptr};
inline constexpr const wchar_t* kMonospaceFaces[] = {L"Courier New", L"Liberation Mono",
                                                      L"DejaVu Sans Mono", nullptr};
inline constexpr const wchar_t* kCjkFaces[] = {
    L"NSimSun",           L"SimSun",          L"SimSun-ExtB",  L"MingLiU-ExtB",
    L"Microsoft YaHei",   L"HanaMinA",        L"HanaMinB",     L"BabelStone Han",  L"Noto Sans CJK SC",
    L"Noto Serif CJK SC", L"Droid Sans Fallback", L"Batang",   L"Malgun Gothic", L"NanumMyeongjo",
    L"Arial Unicode MS",  L"DejaVu Sans",     nullptr};

// The context menu.
inline constexpr wchar_t kMenuCopy[] = L"&Copy\tCtrl+C";
inline constexpr wchar_t kMenuSelectAll[] = L"Select &All\tCtrl+A";
inline constexpr wchar_t kMenuBack[] = L"&Back\tAlt+Left";
inline constexpr wchar_t kMenuForward[] = L"&Forward\tAlt+Right";
inline constexpr wchar_t kMenuCopyCharacter[] = L"Copy cha&racter";
inline constexpr wchar_t kMenuCopyReference[] = L"Copy &HTML reference";
inline constexpr wchar_t kMenuCopyCodePoint[] = L"Copy code &point";

// Find in page: its window, its buttons and what it says of the matches
// (%d of %d matches).
inline constexpr wchar_t kFindClassName[] = L"LogodexVistaFind";
inline constexpr wchar_t kFindCaption[] = L"Find in page";
inline constexpr wchar_t kFindNext[] = L"&Next";
inline constexpr wchar_t kFindPrevious[] = L"&Previous";
inline constexpr wchar_t kFindNotFound[] = L"Not found";
inline constexpr wchar_t kFindMatchFormat[] = L"%d of %d";

// What the accessible object says: a link's default action.
inline constexpr wchar_t kLinkDefaultAction[] = L"Jump";

}  // namespace vistapane
