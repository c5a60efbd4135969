#include "vistapane/gdi_fonts.h"

#include <algorithm>
#include <cwctype>

#include "vistapane/pane_texts.h"

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

std::wstring Wide(const std::u32string& text) {
  std::wstring out;
  for (char32_t c : text) {
    if (c >= 0x10000) {
      out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

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
  for (FaceFont& face : faces_) {
    if (face.cache) ScriptFreeCache(&face.cache);
    if (face.font) DeleteObject(face.font);
  }
}

bool GdiFonts::IsInstalled(const std::wstring& face) const { return installed_.count(Upper(face)) > 0; }

void GdiFonts::Select(int face) {
  if (selected_ == face) return;
  SelectObject(dc_, faces_[static_cast<size_t>(face)].font);
  selected_ = face;
}

int GdiFonts::FaceOf(const std::wstring& name, const FontKey& font) {
  auto key = std::make_pair(Upper(name), std::make_tuple(font.pixels, font.bold, font.italic));
  auto found = faceIndex_.find(key);
  if (found != faceIndex_.end()) return found->second;
  FaceFont face;
  face.font = CreateFontW(-font.pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          ANTIALIASED_QUALITY, DEFAULT_PITCH, name.c_str());
  if (!face.font) return -1;
  int index = static_cast<int>(faces_.size());
  faces_.push_back(face);
  Select(index);
  GetTextMetricsW(dc_, &faces_.back().metrics);
  faceIndex_.emplace(key, index);
  return index;
}

GdiFonts::Chain& GdiFonts::ChainOf(const FontKey& font) {
  if (lastKey_ && *lastKey_ == font) return *lastChain_;
  auto found = chains_.find(font);
  if (found == chains_.end()) {
    auto chain = std::make_unique<Chain>();
    std::vector<std::wstring> names;
    bool mono = font.face == U"monospace";
    if (!font.face.empty() && !mono) names.push_back(Wide(font.face));
    for (const wchar_t* const* list : {mono ? kMonospaceFaces : kLatinFaces, kCjkFaces})
      for (const wchar_t* const* name = list; *name; ++name) names.push_back(*name);
    std::set<std::wstring> seen;
    for (const std::wstring& name : names) {
      if (!IsInstalled(name) || !seen.insert(Upper(name)).second) continue;
      int face = FaceOf(name, font);
      if (face >= 0) chain->faces.push_back(face);
    }
    if (chain->faces.empty()) {  // nothing known: whatever the system maps the name to
      int face = FaceOf(L"", font);
      if (face >= 0) chain->faces.push_back(face);
    }
    // The line height of the first face, for Latin text; the CJK faces
    // are not allowed to make every line taller.
    if (!chain->faces.empty()) {
      const TEXTMETRICW& m = faces_[static_cast<size_t>(chain->faces[0])].metrics;
      chain->metrics.ascent = m.tmAscent;
      chain->metrics.descent = m.tmDescent;
    }
    chain->metrics.ascent = std::max(chain->metrics.ascent, font.pixels - font.pixels / 5);
    chain->metrics.descent = std::max(chain->metrics.descent, font.pixels / 5);
    found = chains_.emplace(font, std::move(chain)).first;
  }
  lastKey_ = &found->first;
  lastChain_ = found->second.get();
  return *lastChain_;
}

bool GdiFonts::GlyphOf(int face, char32_t cp, WORD& glyph) {
  Select(face);
  if (cp < 0x10000) {
    wchar_t c = static_cast<wchar_t>(cp);
    WORD index = 0xFFFF;
    if (GetGlyphIndicesW(dc_, &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) return false;
    if (index == 0xFFFF || (index == 0 && cp >= 0x80)) return false;
    glyph = index;
    return true;
  }
  const wchar_t pair[] = {static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)),
                          static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
  WORD glyphs[4];
  WORD clusters[2];
  SCRIPT_VISATTR attributes[4];
  int count = 0;
  SCRIPT_ANALYSIS analysis = hanAnalysis_;
  HRESULT result = ScriptShape(dc_, &faces_[static_cast<size_t>(face)].cache, pair, 2, 4, &analysis,
                               glyphs, clusters, attributes, &count);
  if (FAILED(result) || count < 1 || glyphs[0] == 0) return false;
  glyph = glyphs[0];
  return true;
}

const ResolvedGlyph& GdiFonts::Resolve(const FontKey& font, char32_t cp) {
  Chain& chain = ChainOf(font);
  auto found = chain.glyphs.find(cp);
  if (found != chain.glyphs.end()) return found->second;
  ResolvedGlyph resolved;
  resolved.face = chain.faces.empty() ? -1 : chain.faces[0];
  bool have = false;
  for (int face : chain.faces) {
    WORD glyph = 0;
    if (GlyphOf(face, cp, glyph)) {
      resolved.face = face;
      resolved.glyph = glyph;
      have = true;
      break;
    }
  }
  if (resolved.face >= 0) {
    Select(resolved.face);
    INT width = 0;
    if (have) {
      WORD glyph = resolved.glyph;
      if (!GetCharWidthI(dc_, glyph, 1, &glyph, &width)) width = 0;
    } else {
      resolved.glyph = 0;  // the face's missing-glyph box
      width = font.pixels;
    }
    resolved.advance = width;
  }
  return chain.glyphs.emplace(cp, resolved).first->second;
}

int GdiFonts::Advance(const FontKey& font, char32_t cp) {
  if (cp == '\t') cp = ' ';
  return Resolve(font, cp).advance;
}

FontMetrics GdiFonts::Metrics(const FontKey& font) { return ChainOf(font).metrics; }

}  // namespace vistapane
