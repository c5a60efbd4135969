// The searches' own texts, spelled exactly as the pages and the status bar
// carry them: file names, the seven header templates, closings, line
// formats, fixed answers and status formats.
#pragma once

// The search bar's button that opens the handwriting pad.
constexpr char kHandwritingButton[] = "Hand&writing";

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

// The pages of the added kinds: a character as its glyph linked to its
// character page and its code point as its insert link.
constexpr char kCharacterGlyphLinkFormat[] = "<A href=\"%s\">&#x%s;</A>";
constexpr char kInsertLinkFormat[] = "<A href=\"insert%s\">%s</A>";
constexpr char kCharacterLinkSeparator[] = "&nbsp;";

// Status texts, one per kind that shows a page.
constexpr char kPinyinStatusFormat[] = "Pinyin: %s";
constexpr char kUnicodeStatusFormat[] = "Unicode: %s";
constexpr char kMatthewsStatusFormat[] = "Matthews: %s";
constexpr char kRadicalStrokeStatusFormat[] = "Radical.Stroke: %s";
constexpr char kDefinitionStatusFormat[] = "Definition: %s";
constexpr char kStrokeNumberStatusFormat[] = "TotalStroke: %s (%d)";
constexpr char kRadicalsStatusText[] = "KangXi Radicals";

// Components page.
constexpr char kComponentsPageTitle[] = "Components";
constexpr char kComponentsHeader[] =
    "<HTML><HEAD><TITLE>Components</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
    "charset=UTF-8\"></HEAD><BODY>";
constexpr char kComponentsStatusFormat[] = "Components: %s";
constexpr char kComponentsDataMissing[] = "<P>The component files are missing or damaged.";
constexpr char kComponentsPaletteIntro[] =
    "<P>Click the parts you can see in the character, one after another; each click narrows the "
    "characters that have them all.";
constexpr char kComponentsChosenIntro[] = "<P>Chosen (click one to take it away):";
constexpr char kComponentsFoundOne[] = "<P>1 character has them all.";
constexpr char kComponentsFoundFormat[] = "<P>%s characters have them all.";
constexpr char kComponentsShownFormat[] = "<P>%s characters have them all; the %s most common are shown.";
constexpr char kComponentsNotUtf8[] = "<P>The key is not UTF-8 text.";
constexpr char kComponentsTooMany[] = "<P>Up to 19 components, please.";
constexpr char kComponentsNotComponentFormat[] =
    "<P>No result: %s is not an ideograph, a radical or a stroke.";
constexpr char kComponentsNotComponentsFormat[] =
    "<P>No result: %s are not ideographs, radicals or strokes.";
constexpr char kComponentsAloneFormat[] = "<P><A href=\"%s\">Search for %s alone</A>";
constexpr char kComponentsBandGeneral[] = "<H3>General Standard Chinese Characters</H3>";
constexpr char kComponentsBandFrequent[] = "<H3>Other characters in common use</H3>";
constexpr char kComponentsBandOther[] = "<H3>Other characters</H3>";
constexpr char kComponentsStrokeGroupFormat[] = "<P><B>%s strokes</B><BR>";
constexpr char kComponentsOneStrokeGroup[] = "<P><B>1 stroke</B><BR>";
constexpr char kComponentsPaletteHeading[] = "<H3>Components</H3>";
constexpr char kComponentsNarrowHeading[] = "<H3>Add a component</H3>";
constexpr char kComponentsPaletteRowFormat[] = "<P>%s: <FONT size=+3>";
constexpr char kComponentsLinkFormat[] = "<A href=\"%s\">%s</A> ";
constexpr char kComponentsGreyFormat[] = "<FONT color=\"#b0b0b0\">%s</FONT> ";
constexpr char kComponentsCharacterFormat[] = "<FONT size=+2>%s</FONT>&nbsp;&nbsp; ";
