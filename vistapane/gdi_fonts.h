// Fonts of the pane window: for each font a page asks for, a chain of
// installed faces (the page's face, a face for Latin text, then the CJK
// faces), and for each character the first face of the chain that has its
// glyph. Characters are measured and drawn by glyph index, so that
// supplementary-plane characters draw as well as BMP ones.
#pragma once

#include <windows.h>
#include <usp10.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "vistapane/layout.h"

namespace vistapane {

// One installed face at one size and style.
struct FaceFont {
  HFONT font = nullptr;
  SCRIPT_CACHE cache = nullptr;
  TEXTMETRICW metrics{};
};

// Where a character's glyph comes from.
struct ResolvedGlyph {
  int face = 0;  // index into GdiFonts' faces
  WORD glyph = 0;
  int advance = 0;
};

class GdiFonts : public TextMeasurer {
 public:
  GdiFonts();
  ~GdiFonts() override;
  GdiFonts(const GdiFonts&) = delete;
  GdiFonts& operator=(const GdiFonts&) = delete;

  int Advance(const FontKey& font, char32_t cp) override;
  FontMetrics Metrics(const FontKey& font) override;

  const ResolvedGlyph& Resolve(const FontKey& font, char32_t cp);
  HFONT FontOfFace(int face) const { return faces_[static_cast<size_t>(face)].font; }
  bool IsInstalled(const std::wstring& face) const;

 private:
  struct Chain {
    std::vector<int> faces;
    FontMetrics metrics;
    std::unordered_map<char32_t, ResolvedGlyph> glyphs;
  };
  Chain& ChainOf(const FontKey& font);
  int FaceOf(const std::wstring& name, const FontKey& font);
  bool GlyphOf(int face, char32_t cp, WORD& glyph);
  void Select(int face);

  HDC dc_ = nullptr;
  int selected_ = -1;
  std::set<std::wstring> installed_;  // upper-cased face names
  std::vector<FaceFont> faces_;
  std::map<std::pair<std::wstring, std::tuple<int, bool, bool>>, int> faceIndex_;
  std::map<FontKey, std::unique_ptr<Chain>> chains_;
  const FontKey* lastKey_ = nullptr;
  Chain* lastChain_ = nullptr;
  SCRIPT_ANALYSIS hanAnalysis_{};
};

}  // namespace vistapane
