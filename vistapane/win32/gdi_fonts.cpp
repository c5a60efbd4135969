#include "vistapane/win32/gdi_fonts.h"

#include <algorithm>
#include <cwctype>

#include "chardb/utf16.h"
#include "vistapane/layout_style.h"
#include "vistapane/pane_texts.h"
#include "vistapane/win32/page_source.h"

namespace vistapane {
namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  reinterpret_cast<std::set<std::wstring>*>(list)->insert(Upper(font->lfFaceName));
  return 1;
}

HFONT MakeFont(const std::wstring& name, int pixels, bool bold, bool italic, DWORD quality = DEFAULT_QUALITY) {
  return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH, name.c_str());
}

// A TrueType face whose glyphs carry no hinting instructions (the 'maxp'
// table's maxSizeOfInstructions is 0), as the free Mincho faces ship. The
// rasterizer cannot fit such outlines to the pixel grid: smoothed at text
// sizes, their thin horizontal strokes straddle two rows of pixels and come
// out as pale grey hairlines. Such faces are drawn unsmoothed, the way the
// system draws its own CJK faces from their embedded bitmaps at text sizes;
// every other face keeps the system's smoothing (ClearType where the user
// has it).
bool HasNoHinting(HDC dc) {
  const DWORD maxp = 'm' | ('a' << 8) | ('x' << 16) | (static_cast<DWORD>('p') << 24);
  unsigned char table[32];
  if (GetFontData(dc, maxp, 0, table, sizeof table) != sizeof table) return false;
  bool version1 = table[0] == 0 && table[1] == 1 && table[2] == 0 && table[3] == 0;
  return version1 && table[26] == 0 && table[27] == 0;
}

constexpr size_t kShapedRun = 64;

int Scale(int units, int pixels, int em) { return (units * pixels + em / 2) / em; }

}  // namespace

GdiFonts::GdiFonts() {
  dc_ = CreateCompatibleDC(nullptr);
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc_, &all, CollectFace, reinterpret_cast<LPARAM>(&installed_), 0);
  // The analysis Uniscribe gives a Han character of a supplementary plane,
  // used to shape single characters there.
  const wchar_t pair[] = {0xD840, 0xDC00};
  SCRIPT_ITEM items[4];
  int count = 0;
  if (SUCCEEDED(ScriptItemize(pair, 2, 3, nullptr, nullptr, items, &count)) && count > 0)
    hanAnalysis_ = items[0].a;
}

GdiFonts::~GdiFonts() {
  if (dc_) DeleteDC(dc_);
  for (auto& family : families_) {
    if (family->cache) ScriptFreeCache(&family->cache);
    if (family->font) DeleteObject(family->font);
  }
  for (SizedFace& face : faces_)
    if (face.font) DeleteObject(face.font);
}

bool GdiFonts::IsInstalled(const std::wstring& face) const { return installed_.count(Upper(face)) > 0; }

void GdiFonts::Select(HFONT font) {
  if (selected_ == font) return;
  SelectObject(dc_, font);
  selected_ = font;
}

int GdiFonts::FamilyOf(const std::wstring& name, bool bold, bool italic) {
  auto key = std::make_tuple(Upper(name), bold, italic);
  auto found = familyIndex_.find(key);
  if (found != familyIndex_.end()) return found->second;
  auto family = std::make_unique<Family>();
  family->name = name;
  family->bold = bold;
  family->italic = italic;
  // The design units: the em square of an outline face, else 1000 pixels.
  HFONT probe = MakeFont(name, 1000, bold, italic);
  if (!probe) return -1;
  Select(probe);
  OUTLINETEXTMETRICW outline{};
  outline.otmSize = sizeof outline;
  if (GetOutlineTextMetricsW(dc_, sizeof outline, &outline) && outline.otmEMSquare >= 16 &&
      outline.otmEMSquare <= 16384)
    family->em = static_cast<int>(outline.otmEMSquare);
  if (family->em == 1000) {
    family->font = probe;
  } else {
    family->font = MakeFont(name, family->em, bold, italic);
    Select(family->font);
    DeleteObject(probe);
  }
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  family->ascent = metrics.tmAscent;
  family->descent = metrics.tmDescent;
  family->unhinted = HasNoHinting(dc_);
  int index = static_cast<int>(families_.size());
  families_.push_back(std::move(family));
  familyIndex_.emplace(key, index);
  return index;
}

const GdiFonts::Family::Glyph& GdiFonts::GlyphOf(int familyIndex, char32_t cp) {
  Family& family = *families_[static_cast<size_t>(familyIndex)];
  auto found = family.glyphs.find(cp);
  if (found != family.glyphs.end()) return found->second;
  Family::Glyph glyph{false, 0, 0};
  Select(family.font);
  if (cp < 0x10000) {
    wchar_t c = static_cast<wchar_t>(cp);
    WORD index = 0xFFFF;
    if (GetGlyphIndicesW(dc_, &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR && index != 0xFFFF &&
        !(index == 0 && cp >= 0x80)) {
      glyph.present = true;
      glyph.index = index;
    }
  } else {
    Utf16Units units = EncodeUtf16(cp);
    const wchar_t pair[] = {units.unit[0], units.unit[1]};
    WORD glyphs[4];
    WORD clusters[2];
    SCRIPT_VISATTR attributes[4];
    int count = 0;
    SCRIPT_ANALYSIS analysis = hanAnalysis_;
    HRESULT result =
        ScriptShape(dc_, &family.cache, pair, 2, 4, &analysis, glyphs, clusters, attributes, &count);
    if (SUCCEEDED(result) && count >= 1 && glyphs[0] != 0) {
      glyph.present = true;
      glyph.index = glyphs[0];
    }
  }
  if (glyph.present) {
    INT width = 0;
    WORD index = glyph.index;
    if (GetCharWidthI(dc_, index, 1, &index, &width)) glyph.units = width;
  }
  return family.glyphs.emplace(cp, glyph).first->second;
}

// The glyphs of characters beyond the Basic Multilingual Plane in one
// shaping of them all (Han text shapes one glyph per character, with no
// context); false, leaving `indices` alone, when the shaping does not come
// out one glyph per character, so that each is asked alone.
bool GdiFonts::ShapeAll(Family& family, const std::vector<char32_t>& chars, std::vector<WORD>& indices) {
  std::vector<wchar_t> pairs;
  for (char32_t cp : chars) {
    Utf16Units units = EncodeUtf16(cp);
    pairs.push_back(units.unit[0]);
    pairs.push_back(units.unit[1]);
  }
  int capacity = static_cast<int>(pairs.size()) + 16;
  std::vector<WORD> glyphs(static_cast<size_t>(capacity));
  std::vector<WORD> clusters(pairs.size());
  std::vector<SCRIPT_VISATTR> attributes(static_cast<size_t>(capacity));
  int count = 0;
  SCRIPT_ANALYSIS analysis = hanAnalysis_;
  HRESULT result = ScriptShape(dc_, &family.cache, pairs.data(), static_cast<int>(pairs.size()), capacity, &analysis,
                               glyphs.data(), clusters.data(), attributes.data(), &count);
  if (FAILED(result) || count != static_cast<int>(chars.size())) return false;
  for (size_t i = 0; i < chars.size(); ++i)
    if (clusters[2 * i] != i || clusters[2 * i + 1] != i) return false;
  indices.assign(glyphs.begin(), glyphs.begin() + count);
  return true;
}

void GdiFonts::PreloadGlyphs(const FontKey& font, const Document& document) {
  Chain& chain = ChainOf(font);
  // The distinct characters beyond ASCII that the chain has not resolved
  // yet, in code point order.
  std::vector<bool> seen(0x10000, false);
  std::vector<char32_t> wanted;
  for (const Node& node : document.nodes) {
    for (char32_t cp : node.text) {
      if (cp < 0x80 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) continue;
      if (cp < 0x10000) {
        if (seen[cp]) continue;
        seen[cp] = true;
      }
      if (chain.glyphs.count(cp) == 0) wanted.push_back(cp);
    }
  }
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  // Face by face along the chain, as Resolve tries them: what a face has
  // is not asked of the faces after it. In runs of a few dozen: shaping
  // costs more than linearly in the length of the run.
  for (size_t k = 0; k < chain.families.size() && !wanted.empty(); ++k) {
    Family& family = *families_[static_cast<size_t>(chain.families[k])];
    std::vector<wchar_t> bmp;
    std::vector<char32_t> beyond;
    // Ideographs skip the Latin faces, as in Resolve.
    bool latin = chain.latinFirst && k < chain.cjkStart;
    for (char32_t c : wanted) {
      if (family.glyphs.count(c) || (latin && IsIdeograph(c))) continue;
      if (c < 0x10000) bmp.push_back(static_cast<wchar_t>(c));
      else beyond.push_back(c);
    }
    Select(family.font);
    std::vector<char32_t> asked;
    std::vector<WORD> indices;
    std::vector<WORD> found(bmp.size(), 0xFFFF);
    if (!bmp.empty() && GetGlyphIndicesW(dc_, bmp.data(), static_cast<int>(bmp.size()), found.data(),
                                         GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR) {
      asked.insert(asked.end(), bmp.begin(), bmp.end());
      indices.insert(indices.end(), found.begin(), found.end());
    }
    for (size_t from = 0; from < beyond.size(); from += kShapedRun) {
      std::vector<char32_t> run(beyond.begin() + static_cast<std::ptrdiff_t>(from),
                                beyond.begin() + static_cast<std::ptrdiff_t>(std::min(beyond.size(), from + kShapedRun)));
      std::vector<WORD> shaped;
      if (!ShapeAll(family, run, shaped)) continue;
      asked.insert(asked.end(), run.begin(), run.end());
      indices.insert(indices.end(), shaped.begin(), shaped.end());
    }
    std::vector<WORD> present;
    std::vector<char32_t> presentChars;
    for (size_t i = 0; i < asked.size(); ++i) {
      if (indices[i] == 0xFFFF || indices[i] == 0) {
        family.glyphs.emplace(asked[i], Family::Glyph{false, 0, 0});
      } else {
        present.push_back(indices[i]);
        presentChars.push_back(asked[i]);
      }
    }
    std::vector<INT> widths(present.size(), 0);
    bool measured = !present.empty() &&
                    GetCharWidthI(dc_, 0, static_cast<UINT>(present.size()), present.data(), widths.data());
    for (size_t i = 0; i < present.size(); ++i)
      family.glyphs.emplace(presentChars[i], Family::Glyph{true, present[i], measured ? widths[i] : 0});
    std::vector<char32_t> rest;
    for (char32_t c : wanted) {
      auto glyph = family.glyphs.find(c);
      if (glyph == family.glyphs.end() || !glyph->second.present) rest.push_back(c);
    }
    wanted.swap(rest);
  }
}

int GdiFonts::SizedFaceOf(int family, int pixels) {
  auto key = std::make_pair(family, pixels);
  auto found = faceIndex_.find(key);
  if (found != faceIndex_.end()) return found->second;
  SizedFace face;
  face.family = family;
  face.pixels = pixels;
  int index = static_cast<int>(faces_.size());
  faces_.push_back(face);
  faceIndex_.emplace(key, index);
  return index;
}

HFONT GdiFonts::FontOfFace(int index) {
  SizedFace& face = faces_[static_cast<size_t>(index)];
  if (!face.font) {
    const Family& family = *families_[static_cast<size_t>(face.family)];
    face.font = MakeFont(family.name, face.pixels, family.bold, family.italic,
                         family.unhinted ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY);
  }
  return face.font;
}

GdiFonts::Chain& GdiFonts::ChainOf(const FontKey& font) {
  if (lastKey_ && *lastKey_ == font) return *lastChain_;
  auto found = chains_.find(font);
  if (found == chains_.end()) {
    auto chain = std::make_unique<Chain>();
    bool mono = font.face == U"monospace";
    std::vector<std::wstring> names;
    if (!font.face.empty() && !mono && IsInstalled(WideFromCodePoints(font.face))) {
      names.push_back(WideFromCodePoints(font.face));
      chain->latinFirst = false;
    }
    for (const wchar_t* const* name = mono ? kMonospaceFaces : kLatinFaces; *name; ++name)
      if (IsInstalled(*name)) names.push_back(*name);
    size_t cjk = names.size();
    for (const wchar_t* const* name = kCjkFaces; *name; ++name)
      if (IsInstalled(*name)) names.push_back(*name);
    if (names.empty()) names.push_back(L"");  // whatever the system maps a font to
    std::set<std::wstring> seen;
    for (size_t i = 0; i < names.size(); ++i) {
      if (i == cjk) chain->cjkStart = chain->families.size();
      if (!seen.insert(Upper(names[i])).second) continue;
      int family = FamilyOf(names[i], font.bold, font.italic);
      if (family < 0) continue;
      chain->families.push_back(family);
      chain->faces.push_back(SizedFaceOf(family, font.pixels));
    }
    if (cjk >= names.size()) chain->cjkStart = chain->families.size();
    // The line height of the first face, for Latin text; the CJK faces
    // are not allowed to make every line taller.
    if (!chain->families.empty()) {
      const Family& first = *families_[static_cast<size_t>(chain->families[0])];
      chain->metrics.ascent = Scale(first.ascent, font.pixels, first.em);
      chain->metrics.descent = Scale(first.descent, font.pixels, first.em);
    }
    chain->metrics.ascent = std::max(chain->metrics.ascent, font.pixels - font.pixels / 5);
    chain->metrics.descent = std::max(chain->metrics.descent, font.pixels / 5);
    found = chains_.emplace(font, std::move(chain)).first;
  }
  lastKey_ = &found->first;
  lastChain_ = found->second.get();
  return *lastChain_;
}

const ResolvedGlyph& GdiFonts::Resolve(const FontKey& font, char32_t cp) {
  Chain& chain = ChainOf(font);
  auto found = chain.glyphs.find(cp);
  if (found != chain.glyphs.end()) return found->second;
  ResolvedGlyph resolved;
  if (!chain.families.empty()) {
    resolved.face = chain.faces[0];
    resolved.advance = font.pixels;  // the placeholder box, one em wide
    resolved.missing = cp > ' ';
    // Ideographs skip the Latin faces unless the page named its own face.
    size_t start = IsIdeograph(cp) && chain.latinFirst ? chain.cjkStart : 0;
    for (size_t pass = 0; pass < 2; ++pass) {
      size_t begin = pass == 0 ? start : 0, end = pass == 0 ? chain.families.size() : start;
      bool done = false;
      for (size_t k = begin; k < end && !done; ++k) {
        int familyIndex = chain.families[k];
        const Family::Glyph& glyph = GlyphOf(familyIndex, cp);
        if (!glyph.present) continue;
        const Family& family = *families_[static_cast<size_t>(familyIndex)];
        resolved.face = chain.faces[k];
        resolved.glyph = glyph.index;
        resolved.advance = Scale(glyph.units, font.pixels, family.em);
        resolved.missing = false;
        done = true;
      }
      if (done) break;
    }
  }
  return chain.glyphs.emplace(cp, resolved).first->second;
}

int GdiFonts::Advance(const FontKey& font, char32_t cp) {
  if (cp == '\t' || cp == 0xA0) cp = ' ';
  return Resolve(font, cp).advance;
}

FontMetrics GdiFonts::Metrics(const FontKey& font) { return ChainOf(font).metrics; }

}  // namespace vistapane
