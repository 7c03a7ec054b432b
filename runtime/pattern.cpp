#include "runtime/pattern.h"

#include <boost/regex.hpp>

namespace runtime {

struct Pattern::Impl {
  boost::regex expression;
};

Pattern::Pattern() = default;
Pattern::~Pattern() = default;
Pattern::Pattern(Pattern&&) noexcept = default;
Pattern& Pattern::operator=(Pattern&&) noexcept = default;

bool Pattern::Compile(std::string_view pattern, bool case_sensitive) {
  impl_.reset();
  auto flags = boost::regex::perl | boost::regex::mod_s;
  if (!case_sensitive) flags |= boost::regex::icase;
  try {
    impl_ = std::make_unique<Impl>(Impl{boost::regex(pattern.begin(), pattern.end(), flags)});
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool Pattern::IsValid() const { return impl_ != nullptr; }

std::vector<MatchResult> Pattern::SearchAll(std::string_view text, size_t max_matches) const {
  std::vector<MatchResult> results;
  if (!impl_ || text.empty()) return results;
  // match_single_line: ^ and $ only at the ends of the searched range, never at
  // line breaks. No match_prev_avail: each search sees its rest as a text of its own.
  const auto flags = boost::match_single_line;
  size_t start = 0;
  try {
    boost::match_results<std::string_view::const_iterator> m;
    auto offset = [&text](std::string_view::const_iterator at) { return static_cast<size_t>(at - text.begin()); };
    while (results.size() < max_matches &&
           boost::regex_search(text.begin() + start, text.end(), m, impl_->expression, flags)) {
      size_t end = offset(m[0].second);
      if (end == start) break;  // an empty match where the search began would never advance
      MatchResult result(m.size());
      for (size_t i = 0; i < m.size(); ++i)
        if (m[i].matched) result[i] = {offset(m[i].first), static_cast<size_t>(m[i].length()), true};
      results.push_back(std::move(result));
      start = end;
    }
  } catch (const std::exception&) {
    // The engine gave up (complexity or memory limit): keep what was found.
  }
  return results;
}

Text SubmatchText(const MatchResult& match, std::string_view searched, size_t index) {
  if (index >= match.size() || !match[index].matched) return {};
  const SubmatchSpan& span = match[index];
  if (span.offset > searched.size()) return {};
  return Text(searched.substr(span.offset, span.length));
}

}  // namespace runtime
