// Fonts of the pane window: for each font a page asks for, a chain of
// installed faces (the page's face, a face for Latin text, then the CJK
// faces), and for each character the first face of the chain that has its
// glyph. Which glyph a face has for a character, and its advance in the
// face's design units, are asked of the system once per face and weight,
// whatever the size, so a new text size costs no system calls. Characters
// are measured and drawn by glyph index, so supplementary-plane characters
// draw as well as BMP ones.
#pragma once

#include <windows.h>
#include <usp10.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "vistapane/document.h"
#include "vistapane/layout.h"

namespace vistapane {

// Where a character's glyph comes from.
struct ResolvedGlyph {
  int face = -1;  // a sized face of GdiFonts, -1 when there is none
  WORD glyph = 0;
  int advance = 0;
  bool missing = false;  // no face has it: drawn as a placeholder box
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
  // Asks the system at once for the glyphs and advances of the characters
  // of the document's text in the faces of the font's chain, which each
  // character would otherwise cost two calls of its own: a page of eight
  // thousand different characters is measured in a few calls per face.
  // What Resolve answers afterwards is the same.
  void PreloadGlyphs(const FontKey& font, const Document& document);
  // The font to draw a resolved glyph with, made on first use.
  HFONT FontOfFace(int face);
  bool IsInstalled(const std::wstring& face) const;

 private:
  // One installed face in one weight and slant, at the size of its design
  // units.
  struct Family {
    std::wstring name;
    bool bold = false;
    bool italic = false;
    HFONT font = nullptr;
    SCRIPT_CACHE cache = nullptr;
    int em = 1000;
    int ascent = 0;
    int descent = 0;
    bool unhinted = false;  // drawn unsmoothed: see HasNoHinting
    struct Glyph { bool present; WORD index; int units; };
    std::unordered_map<char32_t, Glyph> glyphs;
  };
  // A family at one pixel size, for drawing.
  struct SizedFace {
    int family = 0;
    int pixels = 16;
    HFONT font = nullptr;
  };
  struct Chain {
    std::vector<int> families;
    std::vector<int> faces;  // the sized face of each family
    bool latinFirst = true;  // the page's own face is not first in the list
    size_t cjkStart = 0;     // where the CJK faces begin
    FontMetrics metrics;
    std::unordered_map<char32_t, ResolvedGlyph> glyphs;
  };

  Chain& ChainOf(const FontKey& font);
  int FamilyOf(const std::wstring& name, bool bold, bool italic);
  const Family::Glyph& GlyphOf(int family, char32_t cp);
  bool ShapeAll(Family& family, const std::vector<char32_t>& chars, std::vector<WORD>& indices);
  int SizedFaceOf(int family, int pixels);
  void Select(HFONT font);

  HDC dc_ = nullptr;
  HFONT selected_ = nullptr;
  std::set<std::wstring> installed_;  // upper-cased face names
  std::vector<std::unique_ptr<Family>> families_;
  std::map<std::tuple<std::wstring, bool, bool>, int> familyIndex_;
  std::vector<SizedFace> faces_;
  std::map<std::pair<int, int>, int> faceIndex_;
  std::map<FontKey, std::unique_ptr<Chain>> chains_;
  const FontKey* lastKey_ = nullptr;
  Chain* lastChain_ = nullptr;
  SCRIPT_ANALYSIS hanAnalysis_{};
};

}  // namespace vistapane
