#include "runtime/text_ops.h"

#include "runtime/find_bytes.h"

#include <algorithm>

namespace runtime {
namespace {

// Lower-cases the ASCII letters that are characters of their own; the second
// byte of a two-byte character belongs to that character and is kept as it is.
std::string FoldAscii(std::string_view text) {
  std::string folded(text);
  for (size_t i = 0; i < folded.size(); ++i) {
    char& c = folded[i];
    if (IsLeadByte(c))
      ++i;
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// Finds the occurrences of a sought text that begin at character starts, with a
// fast substring search for candidates and a walk over character starts to keep
// the ones that do not begin inside a two-byte character.
class OccurrenceScanner {
 public:
  OccurrenceScanner(std::string_view text, std::string_view sought, bool ignore_case) : text_(text) {
    if (ignore_case) {
      folded_text_ = FoldAscii(text);
      folded_sought_ = FoldAscii(sought);
    }
    haystack_ = ignore_case ? std::string_view(folded_text_) : text;
    needle_ = ignore_case ? std::string_view(folded_sought_) : sought;
  }

  // The first occurrence at a character start at or after `from`, itself a
  // character start; npos when there is none before a lone lead byte ends the text.
  size_t Next(size_t from) const {
    size_t boundary = from;
    for (size_t candidate = FindBytes(haystack_, needle_, from); candidate != std::string_view::npos;
         candidate = FindBytes(haystack_, needle_, boundary)) {
      for (size_t step; boundary < candidate; boundary += step)
        if ((step = CharLength(text_, boundary)) == 0) return std::string_view::npos;
      if (boundary == candidate) return CharLength(text_, candidate) == 0 ? std::string_view::npos : candidate;
    }
    return std::string_view::npos;
  }

 private:
  std::string_view text_;
  std::string folded_text_, folded_sought_;
  std::string_view haystack_, needle_;
};

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
  OccurrenceScanner scanner(text.substr(0, limit), sought, options.ignore_case);
  long long found = -1;
  for (size_t pos = 0, at; (at = scanner.Next(pos)) != std::string_view::npos; pos = at + CharLength(text, at))
    found = static_cast<long long>(at) + 1;
  return found;
}

Text Replace(std::string_view text, std::string_view old_text, std::string_view new_text,
             const ReplaceOptions& options) {
  if (text.empty() || old_text.empty()) return Text(text);
  size_t pos = static_cast<size_t>(std::clamp<long long>(options.start - 1, 0, text.size()));
  OccurrenceScanner scanner(text, old_text, !options.case_sensitive);
  Text out;
  out.reserve(text.size());
  out.append(text.substr(0, pos));
  for (long long done = 0; !options.count || done < *options.count; ++done) {
    size_t at = scanner.Next(pos);
    if (at == std::string_view::npos) break;
    out.append(text.substr(pos, at - pos)).append(new_text);
    pos = at + old_text.size();
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace runtime
