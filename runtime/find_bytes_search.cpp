// Windows' C runtime has no memmem: the C++ library's search, which looks for
// the needle's first byte with memchr and compares from there.
#include "runtime/find_bytes.h"

namespace runtime {

std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from) {
  if (from > haystack.size()) return std::string_view::npos;
  return haystack.find(needle, from);
}

}  // namespace runtime
