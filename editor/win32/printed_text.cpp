#include "editor/win32/printed_text.h"

#include <usp10.h>

#include <algorithm>

#include "chardb/utf16.h"
#include "editor/text_wrapping.h"
#include "editor/win32/font_units.h"

namespace {

// Faces that draw Han characters the document's own faces lack, in the
// order they are tried: the Hanazono faces cover the basic block and
// Extension A, then Extension B and beyond.
constexpr const wchar_t* kFallbackFaces[] = {L"HanaMinA", L"HanaMinB", L"BabelStone Han"};

// Twips to printer pixels, relative to the printable area's origin.
RECT DeviceArea(HDC dc, const TwipsRect& area) {
  int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  return RECT{TwipsToPixels(area.left, dpiX) - offsetX, TwipsToPixels(area.top, dpiY) - offsetY,
              TwipsToPixels(area.right, dpiX) - offsetX, TwipsToPixels(area.bottom, dpiY) - offsetY};
}

LOGFONTW PrinterFont(HDC dc, const CHARFORMATW& format, const wchar_t* face) {
  LOGFONTW font{};
  LONG twips = (format.dwMask & CFM_SIZE) && format.yHeight > 0 ? format.yHeight : 240;
  font.lfHeight = -TwipsToPixels(twips, GetDeviceCaps(dc, LOGPIXELSY));
  font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
  font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
  font.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return font;
}

std::wstring FormatKey(const CHARFORMATW& format) {
  return std::wstring(format.szFaceName) + L"/" + std::to_wstring(format.yHeight) + L"/" +
         std::to_wstring(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT));
}

std::uint32_t CodePoint(const wchar_t* text, int units) {
  if (units == 2) return DecodeUtf16Pair(text[0], text[1]);
  return static_cast<std::uint32_t>(text[0]);
}

// Characters through GDI where it can draw them, so that the printer
// driver knows them as text; glyphs through Uniscribe for a string with
// surrogate pairs, which GDI's own text calls draw as two boxes under Wine.
void DrawString(HDC dc, int x, int y, const std::wstring& text) {
  if (std::none_of(text.begin(), text.end(), [](wchar_t c) { return IsHighSurrogate(c); })) {
    ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    return;
  }
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  if (ScriptStringAnalyse(dc, text.c_str(), static_cast<int>(text.size()), static_cast<int>(text.size()) * 3 / 2 + 16,
                          -1, SSA_GLYPHS, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &analysis) != S_OK)
    return;
  ScriptStringOut(analysis, x, y, 0, nullptr, 0, 0, FALSE);
  ScriptStringFree(&analysis);
}

// The advance of every UTF-16 unit of the text (0 for a pair's second half).
std::vector<int> UnitWidths(HDC dc, const std::wstring& text) {
  std::vector<int> widths(text.size(), 0);
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  if (ScriptStringAnalyse(dc, text.c_str(), static_cast<int>(text.size()), static_cast<int>(text.size()) * 3 / 2 + 16,
                          -1, SSA_GLYPHS, 0, nullptr, nullptr, nullptr, nullptr, nullptr, &analysis) == S_OK) {
    ScriptStringGetLogicalWidths(analysis, widths.data());
    ScriptStringFree(&analysis);
  }
  return widths;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The UTF-16 units of the text as big-endian hexadecimal digits.
std::string Utf16Hex(const std::wstring& text) {
  std::string hex;
  for (wchar_t c : text)
    for (int shift = 12; shift >= 0; shift -= 4) hex += kHexDigits[(static_cast<unsigned>(c) >> shift) & 0xF];
  return hex;
}

// Whether the printer takes PostScript of the program's own.
bool TakesPostScript(HDC dc) {
  int escape = POSTSCRIPT_PASSTHROUGH;
  return Escape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), nullptr) > 0;
}

// The escape's data start with a 16-bit count: longer code goes in parts.
void SendPostScript(HDC dc, const std::string& code) {
  for (std::size_t at = 0; at < code.size(); at += 0xFFFF) {
    std::size_t size = std::min<std::size_t>(0xFFFF, code.size() - at);
    std::string data(2, '\0');
    data[0] = static_cast<char>(size & 0xFF);
    data[1] = static_cast<char>((size >> 8) & 0xFF);
    data.append(code, at, size);
    ExtEscape(dc, POSTSCRIPT_PASSTHROUGH, static_cast<int>(data.size()), data.data(), 0, nullptr);
  }
}

// On a PostScript printer, a stretch of Han text is drawn inside a marked
// span that carries its characters, for readers of a PDF made from the job
// that take the text of such spans.
void BeginActualText(HDC dc, const std::wstring& text) {
  SendPostScript(dc, "\n/pdfmark where {pop} {userdict /pdfmark /cleartomark load put} ifelse\n[/Span <</ActualText <FEFF" +
                         Utf16Hex(text) + ">>> /BDC pdfmark\n");
}

void EndActualText(HDC dc) { SendPostScript(dc, "\n[/EMC pdfmark\n"); }

// Wine's PostScript driver downloads a TrueType font without a FontInfo
// and names its glyphs by number ("g01a3") where the font has no names of
// its own, as the Han faces have none: Ghostscript, making a PDF of the
// job, cannot tell which characters those glyphs are. Each page therefore
// wraps two operators for the job. definefont gives a font defined
// without a FontInfo one holding an empty GlyphNames2Unicode dictionary,
// the map from glyph names to text that Ghostscript reads into a font's
// ToUnicode table. glyphshow takes, for each glyph it shows while texts
// are pending, the next pending one: a string (UTF-16) is entered in that
// map; a name ("u2A6D6", for a character beyond the Basic Multilingual
// Plane, whose two-unit text Ghostscript leaves out of the ToUnicode table
// of such a font) is given to the glyph as its name, from which readers
// of the PDF take the character. A stretch of Han text sets the pending
// texts, one for each of its characters, before it is drawn, and clears
// what is left after. A printer's own fonts, which have a FontInfo, and
// printers that read neither are not affected.
constexpr char kGlyphTextOperators[] =
    "\nuserdict /LogodexGlyphTexts [] put\n"
    "userdict /definefont {dup type /dicttype eq {dup /FontInfo known not 1 index wcheck and\n"
    " {dup /FontInfo 1 dict dup /GlyphNames2Unicode 64 dict put put} if} if\n"
    " //systemdict /definefont get exec} bind put\n"
    "userdict /glyphshow {userdict /LogodexGlyphTexts get dup length 0 gt\n"
    " {dup 0 get dup type /nametype eq\n"
    "  {currentfont /CharStrings get dup 4 index known\n"
    "   {dup 4 index get 2 index exch put 3 -1 roll pop exch} {pop pop} ifelse}\n"
    "  {currentfont /FontInfo known {currentfont /FontInfo get /GlyphNames2Unicode known} {false} ifelse\n"
    "   {currentfont /FontInfo get /GlyphNames2Unicode get 3 index 2 index put} if pop} ifelse\n"
    "  dup length 1 sub 1 exch getinterval userdict exch /LogodexGlyphTexts exch put}\n"
    " {pop} ifelse\n"
    " //systemdict /glyphshow get exec} bind put\n";

void SetGlyphTexts(HDC dc, const std::wstring& text) {
  std::string texts = "\nuserdict /LogodexGlyphTexts [";
  for (std::size_t at = 0; at < text.size();) {
    if (IsHighSurrogate(text[at]) && at + 1 < text.size()) {
      std::string name;
      for (std::uint32_t code = DecodeUtf16Pair(text[at], text[at + 1]); code; code >>= 4)
        name.insert(name.begin(), kHexDigits[code & 0xF]);
      texts += "/u" + name;
      at += 2;
    } else {
      texts += "<" + Utf16Hex(text.substr(at, 1)) + ">";
      at += 1;
    }
  }
  SendPostScript(dc, texts + "] put\n");
}

bool HasHan(const std::wstring& text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x2E80; });
}

}  // namespace

PrintedText::PrintedText(HDC printer, const TwipsRect& area)
    : dc_(printer), previousFont_(GetCurrentObject(printer, OBJ_FONT)), area_(DeviceArea(printer, area)) {}

PrintedText::~PrintedText() {
  SelectObject(dc_, previousFont_);
  for (auto& entry : faces_)
    for (Face& face : entry.second) DeleteObject(face.font);
}

const std::vector<PrintedText::Face>& PrintedText::Faces(const CHARFORMATW& format) {
  std::wstring key = FormatKey(format);
  auto found = faces_.find(key);
  if (found != faces_.end()) return found->second;
  std::vector<Face> faces;
  std::vector<const wchar_t*> names{format.szFaceName[0] ? format.szFaceName : L"Arial"};
  names.insert(names.end(), std::begin(kFallbackFaces), std::end(kFallbackFaces));
  for (const wchar_t* name : names) {
    LOGFONTW logical = PrinterFont(dc_, format, name);
    Face face{CreateFontIndirectW(&logical), 0, 0};
    SelectObject(dc_, face.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    face.ascent = metrics.tmAscent;
    face.descent = metrics.tmDescent + metrics.tmExternalLeading;
    faces.push_back(face);
  }
  return faces_.emplace(key, std::move(faces)).first->second;
}

bool PrintedText::Draws(const Face& face, const wchar_t* text, int units) {
  std::uint64_t key = (static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(face.font)) << 32) |
                      CodePoint(text, units);
  auto known = draws_.find(key);
  if (known != draws_.end()) return known->second;
  SelectObject(dc_, face.font);
  SCRIPT_ITEM items[3];
  int itemCount = 0;
  bool drawn = false;
  if (ScriptItemize(text, units, 2, nullptr, nullptr, items, &itemCount) == S_OK && itemCount > 0) {
    SCRIPT_CACHE cache = nullptr;
    WORD glyphs[8];
    WORD clusters[2];
    SCRIPT_VISATTR attributes[8];
    int glyphCount = 0;
    HRESULT shaped = ScriptShape(dc_, &cache, text, units, 8, &items[0].a, glyphs, clusters, attributes, &glyphCount);
    SCRIPT_FONTPROPERTIES properties{};
    properties.cBytes = sizeof properties;
    ScriptGetFontProperties(dc_, &cache, &properties);
    drawn = shaped == S_OK && glyphCount > 0;
    for (int i = 0; i < glyphCount && drawn; ++i)
      drawn = glyphs[i] != 0 && glyphs[i] != properties.wgDefault;
    ScriptFreeCache(&cache);
  }
  draws_.emplace(key, drawn);
  return drawn;
}

std::size_t PrintedText::FaceFor(const std::vector<Face>& faces, const wchar_t* text, int units) {
  if (static_cast<std::uint32_t>(text[0]) < 0x80) return 0;  // ASCII: every face has it
  for (std::size_t index = 0; index < faces.size(); ++index)
    if (Draws(faces[index], text, units)) return index;
  return 0;
}

std::vector<PrintedLine> PrintedText::LayOut(const RichParagraph& paragraph) {
  // The paragraph as one string, every unit with its font and advance.
  std::wstring text;
  std::vector<const Face*> unitFaces;
  std::vector<int> widths;
  for (const TextRun& run : paragraph.runs) {
    const std::vector<Face>& faces = Faces(run.format);
    std::size_t at = 0;
    while (at < run.text.size()) {
      // A stretch of the run that one face draws.
      std::size_t begin = at;
      int units = IsHighSurrogate(run.text[at]) && at + 1 < run.text.size() ? 2 : 1;
      std::size_t face = FaceFor(faces, &run.text[at], units);
      at += static_cast<std::size_t>(units);
      while (at < run.text.size()) {
        units = IsHighSurrogate(run.text[at]) && at + 1 < run.text.size() ? 2 : 1;
        if (FaceFor(faces, &run.text[at], units) != face) break;
        at += static_cast<std::size_t>(units);
      }
      std::wstring stretch = run.text.substr(begin, at - begin);
      std::replace(stretch.begin(), stretch.end(), L'\t', L' ');
      SelectObject(dc_, faces[face].font);
      std::vector<int> advances = UnitWidths(dc_, stretch);
      text += stretch;
      widths.insert(widths.end(), advances.begin(), advances.end());
      unitFaces.insert(unitFaces.end(), stretch.size(), &faces[face]);
    }
  }

  int width = area_.right - area_.left;
  FitCount fit = [&](const wchar_t* from, std::size_t count) {
    std::size_t offset = static_cast<std::size_t>(from - text.data());
    int used = 0;
    std::size_t fits = 0;
    while (fits < count && used + widths[offset + fits] <= width) used += widths[offset + fits++];
    return fits;
  };
  const Face& paragraphFace = Faces(paragraph.format).front();
  std::vector<PrintedLine> lines;
  for (const LineSpan& span : WrapParagraphSpans(text, fit)) {
    PrintedLine line;
    int descent = 0, x = 0;
    std::size_t at = span.begin;
    while (at < span.end) {
      std::size_t begin = at;
      const Face* face = unitFaces[at];
      int pieceWidth = 0;
      while (at < span.end && unitFaces[at] == face) pieceWidth += widths[at++];
      line.pieces.push_back(PrintedPiece{text.substr(begin, at - begin), face->font, x, face->ascent});
      x += pieceWidth;
      line.ascent = std::max(line.ascent, face->ascent);
      descent = std::max(descent, face->descent);
    }
    // Blanks at the line's end take no room in the alignment.
    int trailing = 0;
    for (std::size_t end = span.end; end > span.begin && text[end - 1] == L' '; --end) trailing += widths[end - 1];
    if (line.pieces.empty()) {
      line.ascent = paragraphFace.ascent;
      descent = paragraphFace.descent;
    }
    line.height = std::max(1, line.ascent + descent);
    int room = width - (x - trailing);
    if (paragraph.alignment == PFA_CENTER) line.x = std::max(0, room / 2);
    if (paragraph.alignment == PFA_RIGHT) line.x = std::max(0, room);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<PrintedPage> PrintedText::Paginate(const std::vector<RichParagraph>& paragraphs,
                                                const std::function<bool()>& goOn) {
  int height = area_.bottom - area_.top;
  std::vector<PrintedPage> pages(1);
  int used = 0;
  for (const RichParagraph& paragraph : paragraphs) {
    if (!goOn()) break;
    for (PrintedLine& line : LayOut(paragraph)) {
      if (!pages.back().lines.empty() && used + line.height > height) {
        pages.emplace_back();
        used = 0;
      }
      used += line.height;
      pages.back().lines.push_back(std::move(line));
    }
  }
  return pages;
}

void PrintedText::Draw(const PrintedPage& page) const {
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  bool marks = TakesPostScript(dc_);
  if (marks) SendPostScript(dc_, kGlyphTextOperators);
  int y = area_.top;
  for (const PrintedLine& line : page.lines) {
    for (const PrintedPiece& piece : line.pieces) {
      SelectObject(dc_, piece.font);
      bool marked = marks && HasHan(piece.text);
      if (marked) {
        SetGlyphTexts(dc_, piece.text);
        BeginActualText(dc_, piece.text);
      }
      DrawString(dc_, area_.left + line.x + piece.x, y + line.ascent - piece.ascent, piece.text);
      if (marked) {
        EndActualText(dc_);
        SetGlyphTexts(dc_, std::wstring());
      }
    }
    y += line.height;
  }
}
