#include "handwriting/model_check.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kModelMagic = 0x0ef71821u;
constexpr std::uint32_t kModelVersion = 1;
constexpr std::size_t kCharacterBytes = 16;
constexpr std::size_t kWeightBytes = 8;

std::uint32_t ReadWord(const std::string& bytes, std::size_t at) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool IsHandwritingModel(const std::string& bytes) {
  const std::size_t size = bytes.size();
  if (size < 12 || size > 0xffffffffu) return false;
  if ((ReadWord(bytes, 0) ^ kModelMagic) != size || ReadWord(bytes, 4) != kModelVersion) return false;
  const std::uint32_t count = ReadWord(bytes, 8);
  std::size_t at = 12;
  for (std::uint32_t character = 0; character < count; ++character) {
    if (size - at < kCharacterBytes + 4) return false;
    if (!std::memchr(bytes.data() + at, '\0', kCharacterBytes)) return false;
    at += kCharacterBytes + 4;
    for (;;) {
      if (size - at < kWeightBytes) return false;
      const std::uint32_t index = ReadWord(bytes, at);
      at += kWeightBytes;
      if (index == 0xffffffffu) break;
    }
  }
  return at == size;
}
