#include "search/pinyin_selection.h"

std::string PinyinKeyFromSelection(const std::string& selection) {
  std::size_t end = selection.size() < kPinyinKeyRoom ? selection.size() : kPinyinKeyRoom;
  while (end > 0 && end < selection.size() && (static_cast<unsigned char>(selection[end]) & 0xC0) == 0x80)
    --end;
  std::string key = selection.substr(0, end);
  std::size_t blank = key.find(' ', 1);
  if (blank != std::string::npos && blank <= 20) key.resize(blank);
  return key;
}
