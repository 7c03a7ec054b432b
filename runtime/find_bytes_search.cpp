// Windows' C runtime has no memmem, and the C++ library's search calls memchr
// (a byte loop under Wine) at every occurrence of the needle's first byte, of
// which a script has many (';', '}'). This search looks at eight places at a
// time and keeps those where both the needle's first and last bytes match,
// which rules out nearly every place before any comparison.
#include <bit>
#include <cstdint>
#include <cstring>

#include "runtime/find_bytes.h"

namespace runtime {
namespace {

static_assert(std::endian::native == std::endian::little, "the first place is the lowest byte");

constexpr std::uint64_t kEachByte = 0x0101010101010101;
constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7F;

std::uint64_t EightBytesAt(const char* at) {
  std::uint64_t bytes;
  std::memcpy(&bytes, at, sizeof bytes);
  return bytes;
}

// 0x80 in each byte of `bytes` that is zero, 0 in every other.
std::uint64_t ZeroBytes(std::uint64_t bytes) {
  return ~(((bytes & kLowSevenBits) + kLowSevenBits) | bytes | kLowSevenBits);
}

}  // namespace

std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from) {
  if (from > haystack.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  if (needle.size() > haystack.size() - from) return std::string_view::npos;
  const char* text = haystack.data();
  const std::size_t last = needle.size() - 1;
  const std::size_t final_start = haystack.size() - needle.size();
  const std::uint64_t first_byte = kEachByte * static_cast<unsigned char>(needle.front());
  const std::uint64_t last_byte = kEachByte * static_cast<unsigned char>(needle.back());
  std::size_t at = from;
  for (; at + 7 <= final_start; at += 8) {
    std::uint64_t places =
        ZeroBytes(EightBytesAt(text + at) ^ first_byte) & ZeroBytes(EightBytesAt(text + at + last) ^ last_byte);
    for (; places != 0; places &= places - 1) {
      const std::size_t start = at + static_cast<std::size_t>(std::countr_zero(places)) / 8;
      if (std::memcmp(text + start, needle.data(), needle.size()) == 0) return start;
    }
  }
  for (; at <= final_start; ++at)
    if (std::memcmp(text + at, needle.data(), needle.size()) == 0) return at;
  return std::string_view::npos;
}

}  // namespace runtime
