#include <cstring>

#include "runtime/find_bytes.h"

namespace runtime {

// glibc's memmem takes time linear in the text whatever the needle, where a
// naive search can take text length times needle length on repetitive input.
std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from) {
  if (from > haystack.size()) return std::string_view::npos;
  const void* hit = ::memmem(haystack.data() + from, haystack.size() - from, needle.data(), needle.size());
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - haystack.data()) : std::string_view::npos;
}

}  // namespace runtime
