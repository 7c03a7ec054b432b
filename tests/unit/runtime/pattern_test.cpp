#include "runtime/pattern.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

std::vector<std::vector<Text>> Groups(const Pattern& pattern, const Text& text) {
  std::vector<std::vector<Text>> all;
  for (const MatchResult& match : SearchAll(pattern, text)) {
    std::vector<Text> groups;
    for (size_t i = 0; i < match.size(); ++i) groups.push_back(SubmatchText(match, text, i));
    all.push_back(groups);
  }
  return all;
}

TEST(Pattern, FindsTheAssignmentsInOrder) {
  Pattern pattern;
  ASSERT_TRUE(CompilePattern(pattern, "(.*?)='(.*?)';"));
  using G = std::vector<Text>;
  EXPECT_EQ(Groups(pattern, "a='1';b='2';"), (std::vector<G>{{"a='1';", "a", "1"}, {"b='2';", "b", "2"}}));
  // What stands between two matches belongs to the next name, line breaks included.
  EXPECT_EQ(Groups(pattern, "a='1';\nb='2';")[1][1], "\nb");
  EXPECT_EQ(Groups(pattern, "x\r\ny='2';")[0][1], "x\r\ny");
}

TEST(Pattern, StopsAfterTheMostMatchesAskedFor) {
  Pattern pattern;
  ASSERT_TRUE(CompilePattern(pattern, "(.*?)='(.*?)';"));
  auto matches = SearchAll(pattern, "a='1';b='2';c='3';", 2);
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(SubmatchText(matches[1], "a='1';b='2';c='3';", 1), "b");
}

TEST(Pattern, OffsetsCountFromTheStartOfTheWholeText) {
  Pattern pattern;
  ASSERT_TRUE(CompilePattern(pattern, "b+"));
  auto matches = SearchAll(pattern, "abbxbbb");
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(matches[1][0].offset, 4u);
  EXPECT_EQ(matches[1][0].length, 3u);
}

TEST(Pattern, AnchorsMatchOnlyAtTheEndsOfEachSearch) {
  Pattern pattern;
  ASSERT_TRUE(CompilePattern(pattern, "^a"));
  // After "a" the rest "\na" is searched as a text of its own: "^" does not match
  // after the line break, but it does match where the previous match ended.
  EXPECT_EQ(SearchAll(pattern, "a\na").size(), 1u);
  EXPECT_EQ(SearchAll(pattern, "aaa").size(), 3u);
  ASSERT_TRUE(CompilePattern(pattern, "x$"));
  EXPECT_EQ(SearchAll(pattern, "x\nx").size(), 1u);
}

TEST(Pattern, CaseFoldingIsAnOption) {
  Pattern pattern;
  ASSERT_TRUE(CompilePattern(pattern, "ab", false));
  EXPECT_EQ(SearchAll(pattern, "AB ab").size(), 2u);
  ASSERT_TRUE(CompilePattern(pattern, "ab"));
  EXPECT_EQ(SearchAll(pattern, "AB ab").size(), 1u);
}

TEST(Pattern, InvalidPatternsAndEmptyMatchesFindNothing) {
  Pattern pattern;
  EXPECT_FALSE(CompilePattern(pattern, "(unclosed"));
  EXPECT_FALSE(pattern.IsValid());
  EXPECT_TRUE(SearchAll(pattern, "unclosed").empty());
  ASSERT_TRUE(CompilePattern(pattern, "x*"));
  EXPECT_TRUE(SearchAll(pattern, "abc").empty());  // an empty match at the start ends the search
  EXPECT_TRUE(SearchAll(pattern, "").empty());
}

TEST(Pattern, AnEngineFailureEndsTheSearchQuietly) {
  Pattern pattern;
  // Catastrophic backtracking: the engine's complexity limit trips, the search ends.
  ASSERT_TRUE(CompilePattern(pattern, "(x+x+)+y"));
  Text text(5000, 'x');
  std::vector<MatchResult> matches;
  EXPECT_NO_THROW(matches = SearchAll(pattern, text));
  EXPECT_TRUE(matches.empty());
}

TEST(SubmatchText, IsEmptyForPartsThatDidNotMatch) {
  Pattern pattern;
  ASSERT_TRUE(CompilePattern(pattern, "(a)|(b)"));
  auto matches = SearchAll(pattern, "b");
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(SubmatchText(matches[0], "b", 1), "");
  EXPECT_EQ(SubmatchText(matches[0], "b", 2), "b");
  EXPECT_EQ(SubmatchText(matches[0], "b", 9), "");
  EXPECT_EQ(SubmatchText({}, "b", 0), "");
}

}  // namespace
}  // namespace runtime
