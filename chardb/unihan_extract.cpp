// The Unihan record extract by its scan, and its message box.
#include "chardb/unihan_extract.h"

#include <cstdint>

#include "chardb/chardb_texts.h"
#include "chardb/fill_format.h"
#include "chardb/unihan_scan.h"

UnihanExtract ExtractUnihanByScan(const CharacterTables& tables, const std::string& key) {
  return ScanUnihanLines(UnihanText(tables), UnihanPattern(key), SIZE_MAX);
}

UnihanBox ComposeUnihanBox(const UnihanExtract& extract, const std::string& key) {
  UnihanBox box;
  if (extract.lines.empty()) {
    box.caption = kUnihanNotFoundCaption;
    box.text = kUnihanNotFound;
    return box;
  }
  box.caption = FillFormat(kUnihanCaptionFormat, {key});
  for (std::size_t i = 0; i < extract.lines.size(); ++i) {
    if (i > 0) box.text += '\n';
    box.text += extract.lines[i];
  }
  if (extract.moreLines > 0) {
    box.text += '\n';
    box.text += FillFormat(kUnihanMoreLinesFormat, {WithThousandsSeparators(extract.moreLines)});
  }
  return box;
}

std::string WithLongLinesCut(const std::string& text) {
  std::string shown;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end - start <= kUnihanShownLineMaxBytes) {
      shown.append(text, start, end - start);
    } else {
      std::size_t cut = start + kUnihanShownLineMaxBytes;
      while (cut > start && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
      shown.append(text, start, cut - start);
      AppendFilledFormat(shown, kUnihanCutLineFormat, {WithThousandsSeparators(end - cut)});
    }
    if (end == text.size()) return shown;
    shown += '\n';
    start = end + 1;
  }
}
