#include "runtime/text_ops.h"

#include <algorithm>
#include <cstring>

namespace runtime {
namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameBytes(const char* a, std::string_view b, bool ignore_case) {
  if (!ignore_case) return std::memcmp(a, b.data(), b.size()) == 0;
  for (size_t i = 0; i < b.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

}  // namespace

size_t CharLength(std::string_view text, size_t pos) {
  if (!IsLeadByte(text[pos])) return 1;
  return pos + 1 < text.size() ? 2 : 0;
}

Text RightPart(std::string_view text, long long count) {
  if (count <= 0) return {};
  auto n = static_cast<size_t>(std::min<long long>(count, static_cast<long long>(text.size())));
  return Text(text.substr(text.size() - n));
}

long long FindLast(std::string_view text, std::string_view sought, const FindOptions& options) {
  if (sought.empty()) return text.empty() ? -1 : 1;
  size_t limit = text.size();  // occurrences must end at or before this byte
  if (options.start) limit = static_cast<size_t>(std::clamp<long long>(*options.start - 1, 0, limit));
  long long found = -1;
  for (size_t pos = 0, step; pos + sought.size() <= limit && (step = CharLength(text, pos)) != 0; pos += step)
    if (SameBytes(text.data() + pos, sought, options.ignore_case)) found = static_cast<long long>(pos) + 1;
  return found;
}

Text Replace(std::string_view text, std::string_view old_text, std::string_view new_text,
             const ReplaceOptions& options) {
  if (text.empty() || old_text.empty()) return Text(text);
  size_t pos = static_cast<size_t>(std::clamp<long long>(options.start - 1, 0, text.size()));
  Text out(text.substr(0, pos));
  out.reserve(text.size());
  long long done = 0;
  bool ignore_case = !options.case_sensitive;
  while (pos < text.size() && (!options.count || done < *options.count)) {
    size_t step = CharLength(text, pos);
    if (step == 0) break;  // a lone lead byte ends the scan; it is kept below
    if (pos + old_text.size() <= text.size() && SameBytes(text.data() + pos, old_text, ignore_case)) {
      out.append(new_text);
      pos += old_text.size();
      ++done;
      continue;
    }
    out.append(text.substr(pos, step));
    pos += step;
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace runtime
