#include "app/extract_between.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(ExtractBetween, TakesTheTextBetweenTheLastMarkers) {
  EXPECT_EQ(ExtractBetween("xx[a]yy", "[", "]"), "a");
  EXPECT_EQ(ExtractBetween("[a][b]", "[", "]"), "b");    // last start wins
  EXPECT_EQ(ExtractBetween("[a]b]c", "[", "]"), "a]b");  // last end after it
  EXPECT_EQ(ExtractBetween("S1S2E", "S", "E"), "2");
}

TEST(ExtractBetween, AnEndMarkerClosingTheTextIsRemovedEverywhere) {
  // The cut ("]") is the end marker itself, so each of its occurrences goes.
  EXPECT_EQ(ExtractBetween("[a]b]", "[", "]"), "ab");
  // The cut is compared without regard to case.
  EXPECT_EQ(ExtractBetween("[aXbx", "[", "x"), "ab");
}

TEST(ExtractBetween, MissingMarkersGiveTheEmptyText) {
  EXPECT_EQ(ExtractBetween("abc]", "[", "]"), "");
  EXPECT_EQ(ExtractBetween("[abc", "[", "]"), "");
  EXPECT_EQ(ExtractBetween("", "[", "]"), "");
  EXPECT_EQ(ExtractBetween("]x[abc", "[", "]"), "");  // the end only before the start
}

}  // namespace
}  // namespace app
