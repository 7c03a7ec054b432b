#pragma once
// Substring search over bytes, the fastest each system's C library offers.
#include <cstddef>
#include <string_view>

namespace runtime {

// The first occurrence of `needle` in `haystack` at or after `from`, or npos.
std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from);

}  // namespace runtime
