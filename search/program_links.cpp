#include "search/program_links.h"

#include "search/search_memory.h"
#include "vistapane/decode.h"
#include "vistapane/links.h"
#include "vistapane/pane_texts.h"

std::string ProgramLinkTarget(SearchKind kind, const std::string& key) {
  return std::string(vistapane::kProgramLinkPrefix) + SearchKindOf(kind).commandName + '/' + key;
}

bool ParseProgramLink(const std::string& target, SearchKind& kind, std::string& key) {
  if (!vistapane::IsValidUtf8(target) || vistapane::ClassifyLink(vistapane::DecodeUtf8(target)) != vistapane::LinkKind::kProgram) return false;
  std::size_t nameStart = sizeof vistapane::kProgramLinkPrefix - 1;
  std::size_t slash = target.find('/', nameStart);
  const SearchKindRow* row = SearchKindNamed(target.substr(nameStart, slash - nameStart));
  std::string linkKey = target.substr(slash + 1);
  if (!row || !row->writePage || SearchKeyUnits(linkKey) > kSearchKeyMaxUnits) return false;
  kind = row->kind;
  key = linkKey;
  return true;
}
