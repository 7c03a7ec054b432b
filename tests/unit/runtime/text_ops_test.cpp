#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include "runtime/find_bytes.h"
#include "runtime/gbk.h"

namespace runtime {
namespace {

// Each system's own search against the C++ library's plain one, over texts long
// enough for whole blocks of places and the places after the last block.
TEST(FindBytes, FindsWhatAPlainSearchFinds) {
  std::string text;
  for (int i = 0; i < 41; ++i) text += "ab;}\x81"[(i * 7 + i / 5) % 5];
  for (size_t length = 0; length <= text.size(); length += 3) {
    const std::string_view haystack = std::string_view(text).substr(0, length);
    for (size_t start = 0; start < text.size(); start += 4) {
      for (size_t size = 0; size <= 10 && start + size <= text.size(); ++size) {
        const std::string_view needle = std::string_view(text).substr(start, size);
        for (size_t from = 0; from <= length + 1; ++from) {
          const size_t expected = from > length ? std::string_view::npos : haystack.find(needle, from);
          ASSERT_EQ(FindBytes(haystack, needle, from), expected)
              << length << " " << start << " " << size << " " << from;
        }
      }
    }
  }
  EXPECT_EQ(FindBytes("a;b;c;d;e;f;g;h;i;", ";i;", 0), 15u);
}

TEST(RightPart, CountsBytesFromTheEnd) {
  EXPECT_EQ(RightPart("abc", 2), "bc");
  EXPECT_EQ(RightPart("abc", 5), "abc");
  EXPECT_EQ(RightPart("abc", 0), "");
  EXPECT_EQ(RightPart("abc", -3), "");
}

TEST(FindLast, ReturnsTheLastOneBasedPosition) {
  EXPECT_EQ(FindLast("abxab", "ab"), 4);
  EXPECT_EQ(FindLast("abxab", "zz"), -1);
  EXPECT_EQ(FindLast("abxAB", "ab"), 1);
  EXPECT_EQ(FindLast("abxAB", "ab", {.ignore_case = true}), 4);
  EXPECT_EQ(FindLast("abc", ""), 1);
  EXPECT_EQ(FindLast("", ""), -1);
  EXPECT_EQ(FindLast("ab", "abc"), -1);
}

TEST(FindLast, WithAStartOnlyCountsOccurrencesEndingBeforeIt) {
  EXPECT_EQ(FindLast("abxabxab", "ab", {.start = 6}), 4);
  EXPECT_EQ(FindLast("abxabxab", "ab", {.start = 5}), 1);
}

TEST(FindLast, NeverMatchesInsideADoubleByteCharacter) {
  // "\xB0\xA1" is one character; its second byte followed by 'A' must not match "\xA1A".
  Text text =
      "\xB0\xA1"
      "A";
  EXPECT_EQ(FindLast(text,
                     "\xA1"
                     "A"),
            -1);
  EXPECT_EQ(FindLast(text, "A"), 3);
  // A lone lead byte at the end ends the scan.
  EXPECT_EQ(FindLast("a\xB0", "\xB0"), -1);
}

TEST(Replace, ReplacesLeftToRightWithoutOverlap) {
  EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(Replace("xAB", "ab"), "x");
  EXPECT_EQ(Replace("xAB", "ab", "", {.case_sensitive = true}), "xAB");
  EXPECT_EQ(Replace("abab", "ab", "ba"), "baba");  // inserted text is never rescanned
  EXPECT_EQ(Replace("", "a", "b"), "");
  EXPECT_EQ(Replace("abc", "", "x"), "abc");
}

TEST(Replace, HonoursStartAndCount) {
  EXPECT_EQ(Replace("aXaXa", "a", "b", {.start = 2}), "aXbXb");
  EXPECT_EQ(Replace("aaaa", "a", "b", {.count = 2}), "bbaa");
}

TEST(Replace, LeavesDoubleByteCharactersWhole) {
  Text text =
      "\xB0\xA1"
      "A\xB0\xA1";
  EXPECT_EQ(Replace(text,
                    "\xA1"
                    "A",
                    "?"),
            text);
  EXPECT_EQ(Replace(text, "\xB0\xA1", "-"), "-A-");
  // ASCII folding only: double-byte characters compare exactly.
  EXPECT_EQ(Replace(Gbk("晨岚DJ"), Gbk("晨岚dj"), "x"), "x");
  // A second byte in A-Z is no letter: 0x81 0x41 and 0x81 0x61 are two characters.
  EXPECT_EQ(Replace("\x81\x41z", "\x81\x61", "X"), "\x81\x41z");
  EXPECT_EQ(FindLast("S\x81\x61mid\x81\x41", "\x81\x41", {.ignore_case = true}), 7);
  // A match that ends with a lead byte leaves the search inside a character:
  // it goes on from there, but folding still counts characters from the start,
  // so the 'A' after it, a second byte, stays as it is.
  EXPECT_EQ(Replace("A\x81"
                    "A\x81"
                    "A",
                    "a\x81", "#"),
            "#A\x81"
            "A");
}

TEST(Replace, FindsEveryMatchInTextsThatRepeatTheStartOfWhatItSeeks) {
  // Each ';' begins a long near-match: checking them in place costs more than
  // the text is long, and the search goes on over folded copies.
  std::string near, sought;
  for (int i = 0; i < 2000; ++i) near += ";a";
  for (int i = 0; i < 50; ++i) sought += ";A";
  sought += "!";
  EXPECT_EQ(Replace(near + sought + near + sought, sought, "#"), near + "#" + near + "#");
  EXPECT_EQ(FindLast(near + sought + near, sought, {.ignore_case = true}), static_cast<long long>(near.size()) + 1);
  EXPECT_EQ(Replace(near, sought, "#"), near);
}

TEST(Concat, JoinsAnyNumberOfTexts) {
  EXPECT_EQ(Concat("a", "b"), "ab");
  EXPECT_EQ(Concat("a", Text("b"), std::string_view("c"), "d"), "abcd");
}

}  // namespace
}  // namespace runtime
