#include "app/extract_between.h"

#include "runtime/text_ops.h"

namespace app {

runtime::Text ExtractBetween(std::string_view text, std::string_view start, std::string_view end) {
  using namespace runtime;
  long long p = FindLast(text, start);
  if (p < 0) return {};  // no start marker: nothing lies between
  auto length = static_cast<long long>(text.size());
  // Views of the text: a page can be megabytes long.
  std::string_view tail = RightView(text, length - p - static_cast<long long>(start.size()) + 1);
  long long q = FindLast(tail, end);
  std::string_view cut = RightView(tail, static_cast<long long>(tail.size()) - q + 1);
  return Replace(tail, cut);
}

}  // namespace app
