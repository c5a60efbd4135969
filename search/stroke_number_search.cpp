#include "search/stroke_number_search.h"

#include <algorithm>
#include <cstring>

#include "chardb/fill_format.h"
#include "search/search_texts.h"

StrokeRange FindStrokeRange(const CharacterTables& tables, const std::string& key) {
  int strokes = LeadingNumber(key);
  std::size_t count = std::min(tables.strokePieces, tables.strokes.size());
  StrokeRange range;
  std::size_t first = 0;
  while (first < count && tables.strokes[first].strokes != strokes) ++first;
  if (first == count) return range;
  std::size_t end = first;
  while (end < count && tables.strokes[end].strokes == strokes) ++end;
  range.first = first;
  range.end = end;
  return range;
}

std::string StrokeNumberPage(const CharacterTables& tables, StrokeRange range,
                             const PageLookups& lookups) {
  std::string page = kStrokeNumberHeader;
  std::size_t end = std::min(range.end, tables.strokes.size());
  for (std::size_t at = range.first; at < end; ++at) {
    const StrokeRecord& record = tables.strokes[at];
    std::string code(record.code, strnlen(record.code, kStrokeCodeWidth));
    std::string shown = code;
    std::string pinyin = lookups.pinyin(tables, code);
    AppendFilledFormat(page, kLinkedLineFormat, {shown, shown, shown, pinyin});
  }
  page += kFontClosing;
  page += kBodyClosing;
  return page;
}
