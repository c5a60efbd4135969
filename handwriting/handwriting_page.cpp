#include "handwriting/handwriting_page.h"

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "handwriting/handwriting_texts.h"
#include "search/search_texts.h"

std::string CandidateCode(char32_t codePoint) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string code;
  for (char32_t rest = codePoint; rest != 0 || code.size() < 4; rest >>= 4) code.insert(code.begin(), kDigits[rest & 0xF]);
  return code;
}

std::string HandwritingPage(const CharacterTables& tables, const std::vector<HandwritingCandidate>& candidates,
                            const PageLookups& lookups) {
  std::string page = kHandwritingHeader;
  for (const HandwritingCandidate& candidate : candidates) {
    std::string code = CandidateCode(candidate.codePoint);
    std::string linked = LinkedCharacter(code);
    std::string pinyin = lookups.pinyin(tables, code);
    AppendFilledFormat(page, kHandwritingLineFormat, {linked, HtmlEscaped(pinyin)});
  }
  if (candidates.empty()) page += kHandwritingNoCandidate;
  page += kBodyClosing;
  return page;
}

std::string HandwritingStatusText(std::size_t strokes, std::size_t candidates) {
  return FillFormat(kHandwritingStatusFormat, {std::to_string(strokes), std::to_string(candidates)});
}
