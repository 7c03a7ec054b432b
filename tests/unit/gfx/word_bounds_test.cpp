#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/word_bounds.h"

namespace gfx {
namespace {

// The positions where a flag is set, as a string: "0 2 4" etc.
std::string Where(const std::vector<bool>& flags) {
  std::string out;
  for (size_t i = 0; i < flags.size(); ++i)
    if (flags[i]) out += (out.empty() ? "" : " ") + std::to_string(i);
  return out;
}

// Every platform finds the words Pango finds: runs of letters and digits, runs
// of Han characters, and blanks and punctuation (an apostrophe or a point too)
// between them.
TEST(WordBounds, RunsOfLettersAndDigitsAndOfHanCharacters) {
  const WordBounds b = FindWordBounds(u"Hi, don't 解析 x2.5");
  EXPECT_EQ(Where(b.starts), "0 4 8 10 13 16");
  EXPECT_EQ(Where(b.ends), "2 7 9 12 15 17");
}

TEST(WordBounds, ACharacterOutsideTheBasicPlaneIsOneUnitPair) {
  const WordBounds b = FindWordBounds(u"a \U00020000 b");  // a Han character of plane 2
  EXPECT_FALSE(b.starts[3]);                               // never inside the pair
  EXPECT_FALSE(b.ends[3]);
  EXPECT_TRUE(b.starts[0]);
  EXPECT_TRUE(b.ends[1]);
  EXPECT_TRUE(b.starts[5]);
  EXPECT_TRUE(b.ends[6]);
}

}  // namespace
}  // namespace gfx
