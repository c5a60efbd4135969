#include "search/reading_search.h"

#include <algorithm>

namespace {

// What one language's entries are held to.
struct LanguageKey {
  std::string folded;  // empty: nothing matches
  bool everyTone = false;
  std::string exact;  // not empty: the reading itself, lower-cased
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

LanguageKey KeyFor(ReadingLanguage language, const std::string& key) {
  LanguageKey held;
  bool diacritics = std::any_of(key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  // Jyutping and the Korean romanization are written in plain letters.
  bool plain = language == ReadingLanguage::kCantonese || language == ReadingLanguage::kKorean;
  if (key.size() > kReadingKeyLimit || (plain && diacritics)) return held;
  held.folded = FoldedReading(language, key);
  if (held.folded.empty()) return held;
  if (language == ReadingLanguage::kCantonese) held.everyTone = !IsDigit(held.folded.back());
  bool combining = key.find("\xCC") != std::string::npos || key.find("\xCD") != std::string::npos;
  if (language == ReadingLanguage::kVietnamese && diacritics && !combining) held.exact = LowerLatin(key);
  return held;
}

bool Matches(const LanguageKey& held, const ReadingEntry& entry) {
  std::string_view folded = entry.folded;
  if (held.folded.empty()) return false;
  bool same = folded == held.folded ||
              (held.everyTone && folded.size() == held.folded.size() + 1 && IsDigit(folded.back()) &&
               folded.substr(0, held.folded.size()) == held.folded);
  return same && (held.exact.empty() || LowerLatin(entry.reading) == held.exact);
}

void Clear(ReadingMatches& matches) {
  for (auto& list : matches) list.clear();
}

}  // namespace

void FindReadings(const ReadingTables& tables, const std::string& key, ReadingMatches& matches) {
  Clear(matches);
  const ReadingEntry* end = tables.entries + tables.entryCount;
  for (std::size_t l = 0; l < matches.size(); ++l) {
    ReadingLanguage language = static_cast<ReadingLanguage>(l);
    LanguageKey held = KeyFor(language, key);
    if (held.folded.empty()) continue;
    // The entries of the key, and of its tones, stand together from the
    // first whose folded key is not below it.
    const ReadingEntry* at = std::lower_bound(tables.entries, end, held.folded, [language](const ReadingEntry& e, const std::string& k) {
      return e.language != language ? e.language < language : std::string_view(e.folded) < k;
    });
    for (; at != end && at->language == language && std::string_view(at->folded).substr(0, held.folded.size()) == held.folded; ++at)
      if (Matches(held, *at)) matches[l].push_back(at);
  }
}

void FindReadingsByScan(const ReadingTables& tables, const std::string& key, ReadingMatches& matches) {
  Clear(matches);
  LanguageKey held[static_cast<std::size_t>(ReadingLanguage::kCount)];
  for (std::size_t l = 0; l < matches.size(); ++l) held[l] = KeyFor(static_cast<ReadingLanguage>(l), key);
  for (std::size_t i = 0; i < tables.entryCount; ++i) {
    const ReadingEntry& entry = tables.entries[i];
    std::size_t l = static_cast<std::size_t>(entry.language);
    if (l < matches.size() && Matches(held[l], entry)) matches[l].push_back(&entry);
  }
}
