// Bytes of a page into code points: the charset named in the page, UTF-8
// when none is named. UTF-8 and Latin-1/windows-1252 are decoded here; any
// other charset goes to a converter that the caller supplies (the system's
// code pages on Windows).
#pragma once

#include <functional>
#include <string>

namespace vistapane {

// Converts `bytes` in `charset` (lower-case) into `out`; false when it
// cannot, and the bytes are then read as UTF-8.
using CharsetConverter =
    std::function<bool(const std::string& charset, const std::string& bytes, std::u32string& out)>;

// The charset a META tag declares near the top of the page, lower-case,
// or "" when none is declared.
std::string DeclaredCharset(const std::string& bytes);

// Invalid UTF-8 becomes U+FFFD, one per bad byte; a byte-order mark is dropped.
std::u32string DecodeUtf8(const std::string& bytes);
bool IsValidUtf8(const std::string& bytes);

// GB18030 read here except its two-byte codes, which `twoByte` gives
// (lead byte, trail byte; 0 when it knows none): ASCII, the four-byte codes
// of the BMP by their runs, those of the supplementary planes by
// arithmetic. A malformed or unknown sequence becomes one U+FFFD.
using TwoByteDecoder = std::function<char32_t(unsigned lead, unsigned trail)>;
std::u32string DecodeGb18030(const std::string& bytes, const TwoByteDecoder& twoByte);

// Decodes by the declared charset. A page whose bytes are valid UTF-8 with
// at least one multi-byte sequence is read as UTF-8 whatever it declares:
// our own pages declare a legacy charset but copy a few UTF-8 definitions.
std::u32string DecodePage(const std::string& bytes, const CharsetConverter& convert);

}  // namespace vistapane
