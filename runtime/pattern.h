#pragma once
// Perl-style regular expressions with the matching rules the parser relies on:
// `.` matches any character including CR and LF, `^` and `$` match only at the
// ends of the searched text, and a search finds the leftmost match.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/text.h"

namespace runtime {

// One part of a match: the whole match (index 0) or a group.
struct SubmatchSpan {
  size_t offset = 0;  // from the start of the whole searched text
  size_t length = 0;
  bool matched = false;
};

using MatchResult = std::vector<SubmatchSpan>;

class Pattern {
 public:
  Pattern();
  ~Pattern();
  Pattern(Pattern&&) noexcept;
  Pattern& operator=(Pattern&&) noexcept;

  // Compiles `pattern`, replacing what the object held. False for an invalid
  // pattern, which leaves the object without a usable expression.
  bool Compile(std::string_view pattern, bool case_sensitive = true);
  bool IsValid() const;

  // Every match in text order, at most `max_matches` of them. After each match
  // the search goes on over the rest of the text as a text of its own. Never
  // throws: an engine failure (such as the engine's complexity limit) ends the
  // search with the matches found so far.
  std::vector<MatchResult> SearchAll(std::string_view text, size_t max_matches = SIZE_MAX) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

inline bool CompilePattern(Pattern& pattern, std::string_view text, bool case_sensitive = true) {
  return pattern.Compile(text, case_sensitive);
}

inline std::vector<MatchResult> SearchAll(const Pattern& pattern, std::string_view text,
                                          size_t max_matches = SIZE_MAX) {
  return pattern.SearchAll(text, max_matches);
}

// The text of part `index` of `match`, taken from `searched` (the text that was
// searched); empty when the part did not take part or does not exist.
Text SubmatchText(const MatchResult& match, std::string_view searched, size_t index);

}  // namespace runtime
