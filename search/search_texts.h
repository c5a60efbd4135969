// The searches' own texts, spelled exactly as the pages and the status bar
// carry them: file names, the seven header templates, closings, line
// formats, fixed answers and status formats.
#pragma once

// Page file names, each with its leading backslash.
constexpr char kSearchPageFileName[] = "\\HtmlRadicalSearch.htm";
constexpr char kStrokePageFileName[] = "\\HtmlTotalStrokeSearch.htm";
constexpr char kRadicalsPageFileName[] = "\\HtmlRadical.htm";

// Header templates.
constexpr char kPinyinHeader[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=GB18030\"><STYLE>TD{font-family: NSimSun-18030;  background: #ffffff}</STYLE></HEAD>"
    "<BODY><TABLE>";
constexpr char kRadicalStrokeHeader[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=GB18030\"><STYLE>P.U{font-family: NSimSun-18030;  background: #ffffff}</STYLE></HEAD>"
    "<BODY><TABLE>";
constexpr char kDefinitionHeader[] =
    "<HTML><HEAD><TITLE>Definition Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=GB18030\"><STYLE>P.U{font-family: NSimSun-18030;  background: #ffffff}</STYLE></HEAD>"
    "<BODY>";
constexpr char kStrokeNumberHeader[] =
    "<HTML><HEAD><TITLE>Definition Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=GB18030\"><STYLE>P.U{font-family: NSimSun (Founder Extended) ;  background: #ffffff}"
    "</STYLE></HEAD><BODY>";
constexpr char kMatthewsHeader[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=Latin-1\"><STYLE>P{font-family: NSimSun-18030;  background: #ffffff}</STYLE></HEAD>"
    "<BODY>";
constexpr char kUnicodeHeader[] =
    "<HTML><HEAD><TITLE>PinYin Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=GB18030\"><STYLE>P{font-family: NSimSun-18030;  background: #ffffff}</STYLE></HEAD>"
    "<BODY>";
constexpr char kRadicalsHeader[] =
    "<HTML><HEAD><TITLE>Radical Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=GB18030\"><STYLE>P{font-family: NSimSun-18030;  background: #ffffff}</STYLE></HEAD>"
    "<BODY>";

// Closings.
constexpr char kFontClosing[] = "</FONT>";
constexpr char kTableBodyClosing[] = "</TABLE></BODY></HTML>";
constexpr char kBodyClosing[] = "</BODY></HTML>";

// The ü as the pinyin data spells it, and the two typed stand-ins for it.
constexpr char kUmlautReference[] = "&#xdc;";
constexpr char kUmlautStandIns[] = "\"?";

// Pinyin page.
constexpr char kPinyinFontOpening[] = "</FONT size=+2>";
constexpr char kToneHeaderRow[] =
    "<TR><TD>1(&#x02c9;)&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD><TD>2(&#x02ca;)&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
    "</TD><TD>3(&#x02c7;)&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD><TD>4(&#x02cb;)&nbsp;&nbsp;&nbsp;&nbsp;"
    "&nbsp;</TD><TD>5&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD>";
constexpr char kRowOpening[] = "<TR>";
constexpr char kToneCellFormat[] = "<TD>&#x%s;\t<A href=\"insert%s\">%s</A></TD>";
constexpr char kEmptyCell[] = "<TD></TD>";

// Definition, radical-stroke and stroke-number pages.
constexpr char kNoResult[] = "No result";
constexpr char kDefinitionLineFormat[] = "<P class=\"U\">&#x%s;&nbsp;%s,&nbsp;%s</P> <P>%s";
constexpr char kLinkedLineFormat[] = "<P class=\"U\">&#x%s;<A href=\"insert%s\">%s</A>&nbsp;&nbsp;%s";

// Matthews page.
constexpr char kMatthewsOutOfRange[] = "Outside the range of Matthews (1-7773)";
constexpr char kMatthewsLineFormat[] =
    "<P>&#x%s; U+%s Pinyin: %s <P>Definition: %s <P>Matthews: %s <P>Radical.Stroke: %s";

// Unicode page.
constexpr char kPrivateUseLineFormat[] = "<P>U+%s %s";
constexpr char kUnicodeLineFormat[] =
    "<P>&#x%s; U+%s  Pinyin: %s  <P>Definition: %s <P>Matthews: %s <P>Radical.Stroke: %s";
constexpr char kSimplifiedLineFormat[] = "<P>Simplified: &#x%s;%s";
constexpr char kTraditionalLineFormat[] = "<P>Traditional: &#x%s;%s";

// Radicals index: lines end in LF, stored as CR LF.
constexpr char kRadicalTitleFormat[] = "<P>%s\n";
constexpr char kRadicalNumberFormat[] = "<P>%d  ";
constexpr char kRadicalFormFormat[] = "  &#x%s;";
constexpr char kRadicalTailFormat[] = "  %s %s (%s)\n";

// Status texts, one per kind that shows a page.
constexpr char kPinyinStatusFormat[] = "Pinyin: %s";
constexpr char kUnicodeStatusFormat[] = "Unicode: %s";
constexpr char kMatthewsStatusFormat[] = "Matthews: %s";
constexpr char kRadicalStrokeStatusFormat[] = "Radical.Stroke: %s";
constexpr char kDefinitionStatusFormat[] = "Definition: %s";
constexpr char kStrokeNumberStatusFormat[] = "TotalStroke: %s (%d)";
constexpr char kRadicalsStatusText[] = "KangXi Radicals";
