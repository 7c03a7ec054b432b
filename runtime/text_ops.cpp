#include "runtime/text_ops.h"

#include "runtime/find_bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace runtime {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAsciiLetter(char c) { return LowerAscii(c) >= 'a' && LowerAscii(c) <= 'z'; }

// Lower-cases the ASCII letters that are characters of their own; the second
// byte of a two-byte character belongs to that character and is kept as it is.
std::string FoldAscii(std::string_view text) {
  std::string folded(text);
  for (size_t i = 0; i < folded.size(); ++i) {
    if (IsLeadByte(folded[i]))
      ++i;
    else
      folded[i] = LowerAscii(folded[i]);
  }
  return folded;
}

// The first character start at or after `to`, walking from `at`, a character
// start. Blocks of ASCII bytes, each a character of its own, are passed eight
// at a time: pages are mostly ASCII.
size_t NextCharacterStart(std::string_view text, size_t at, size_t to) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  while (at < to) {
    std::uint64_t block = kHighBits;
    if (at + sizeof block <= to) std::memcpy(&block, text.data() + at, sizeof block);
    at += (block & kHighBits) == 0 ? sizeof block : IsLeadByte(text[at]) ? 2 : 1;
  }
  return at;
}

bool HasAsciiLetter(std::string_view text) { return std::any_of(text.begin(), text.end(), IsAsciiLetter); }

// How many bytes of `sought` match `text` from `at` as their folded copies
// would compare them: a byte is folded unless it is the second byte of a
// character, each text's characters counted from its own start;
// `at_second_byte` tells that of text[at].
size_t FoldedMatchLength(std::string_view text, size_t at, bool at_second_byte, std::string_view sought) {
  const size_t length = std::min(text.size() - at, sought.size());
  bool text_second = at_second_byte, sought_second = false;
  for (size_t i = 0; i < length; ++i) {
    const char t = text[at + i], s = sought[i];
    if ((text_second ? t : LowerAscii(t)) != (sought_second ? s : LowerAscii(s))) return i;
    text_second = !text_second && IsLeadByte(t);
    sought_second = !sought_second && IsLeadByte(s);
  }
  return length;
}

// The longest run of `sought` without ASCII letters: every match holds it
// byte for byte, so an exact search for it finds the candidates.
struct Anchor {
  size_t offset = 0;
  std::string_view bytes;
};

Anchor LongestRunWithoutLetters(std::string_view sought) {
  Anchor best;
  for (size_t start = 0; start < sought.size();) {
    size_t end = start;
    while (end < sought.size() && !IsAsciiLetter(sought[end])) ++end;
    if (end - start > best.bytes.size()) best = {start, sought.substr(start, end - start)};
    start = end + 1;
  }
  return best;
}

// Finds the occurrences of a sought text that begin at character starts, with a
// fast substring search for candidates and a walk over character starts to keep
// the ones that do not begin inside a two-byte character.
//
// Without regard to case the candidates come from an exact search for the
// sought text's longest run without letters, each checked in place, so that
// no folded copy of a long text is made. When the checks cost more than the
// text is long (a text that repeats the sought text's start over and over),
// the search goes on over folded copies, which keeps its time linear.
class OccurrenceScanner {
 public:
  OccurrenceScanner(std::string_view text, std::string_view sought, bool ignore_case)
      : text_(text), haystack_(text), needle_(sought) {
    // Without letters in the sought text, folding changes no match.
    if (!ignore_case || !HasAsciiLetter(sought)) return;
    anchor_ = LongestRunWithoutLetters(sought);
    check_budget_ = text.size() + sought.size();
    if (anchor_.bytes.empty()) UseFoldedCopies();
  }

  // The first occurrence at a character start at or after `from`, itself a
  // character start; npos when there is none before a lone lead byte ends the text.
  size_t Next(size_t from) {
    // When `from` is a character start as folding counts them, the walk from it
    // meets the same character starts, and folding's count need not be walked.
    const bool in_step = ChecksInPlace() && (fold_walk_ = NextCharacterStart(text_, fold_walk_, from)) == from;
    size_t boundary = from;
    for (size_t candidate = FindCandidate(from); candidate != std::string_view::npos;
         candidate = FindCandidate(std::max(boundary, candidate + 1))) {
      boundary = NextCharacterStart(text_, boundary, candidate);
      if (boundary != candidate) continue;
      if (CharLength(text_, candidate) == 0) return std::string_view::npos;
      if (in_step) fold_walk_ = candidate;
      if (Matches(candidate)) return candidate;
    }
    return std::string_view::npos;
  }

 private:
  bool ChecksInPlace() const { return !anchor_.bytes.empty(); }

  void UseFoldedCopies() {
    anchor_ = {};
    folded_text_ = FoldAscii(text_);
    folded_sought_ = FoldAscii(needle_);
    haystack_ = folded_text_;
    needle_ = folded_sought_;
  }

  // Where the next occurrence may begin, at or after `from`.
  size_t FindCandidate(size_t from) const {
    if (!ChecksInPlace()) return FindBytes(haystack_, needle_, from);
    const size_t hit = FindBytes(text_, anchor_.bytes, from + anchor_.offset);
    return hit == std::string_view::npos ? hit : hit - anchor_.offset;
  }

  // Whether the sought text begins at `candidate`, a character start.
  bool Matches(size_t candidate) {
    if (!ChecksInPlace()) return true;  // the search compared it whole
    const size_t matched = FoldedMatchLength(text_, candidate, IsSecondByte(candidate), needle_);
    checked_ += matched + 1;
    if (checked_ > check_budget_) UseFoldedCopies();
    return matched == needle_.size();
  }

  // Whether text_[at] is the second byte of a character as folding counts them,
  // from the text's start (a search may begin inside a character). `at` never
  // decreases from one call to the next.
  bool IsSecondByte(size_t at) {
    fold_walk_ = NextCharacterStart(text_, fold_walk_, at);
    return fold_walk_ > at;
  }

  std::string_view text_;
  size_t fold_walk_ = 0;
  std::string_view haystack_, needle_;
  Anchor anchor_;
  size_t checked_ = 0, check_budget_ = 0;
  std::string folded_text_, folded_sought_;
};

}  // namespace

size_t CharLength(std::string_view text, size_t pos) {
  if (!IsLeadByte(text[pos])) return 1;
  return pos + 1 < text.size() ? 2 : 0;
}

std::string_view RightView(std::string_view text, long long count) {
  if (count <= 0) return {};
  auto n = static_cast<size_t>(std::min<long long>(count, static_cast<long long>(text.size())));
  return text.substr(text.size() - n);
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
