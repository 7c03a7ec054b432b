#include "runtime/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace runtime {
namespace {

class LineSplitterTest : public ::testing::Test {
 protected:
  LineSplitter Splitter(size_t longest = 64 * 1024) {
    return LineSplitter([this](std::string_view line) { lines.emplace_back(line); }, longest);
  }
  std::vector<std::string> lines;
};

TEST_F(LineSplitterTest, SplitsAtCarriageReturnsAndLineFeedsAcrossChunks) {
  LineSplitter splitter = Splitter();
  // A progress redraw ("\r...") followed by a line, arriving in arbitrary pieces.
  for (std::string_view chunk : {"Conn", "ecting ...\n\r0.2 kB / 0.00 sec", "\r1.5 kB", " / 0.25 sec\r\n", "tail"})
    splitter.Feed(chunk);
  EXPECT_EQ(lines, (std::vector<std::string>{"Connecting ...", "0.2 kB / 0.00 sec", "1.5 kB / 0.25 sec"}));
  splitter.Finish();
  EXPECT_EQ(lines.back(), "tail");
  EXPECT_EQ(lines.size(), 4u);  // "\r\n" and "\n\r" make no empty lines
}

TEST_F(LineSplitterTest, HandsOverOverlongLinesInPieces) {
  LineSplitter splitter = Splitter(4);
  splitter.Feed("abcdefghij\nxy");
  splitter.Finish();
  EXPECT_EQ(lines, (std::vector<std::string>{"abcd", "efgh", "ij", "xy"}));
}

TEST_F(LineSplitterTest, KeepsBytesAsTheyCame) {
  LineSplitter splitter = Splitter();
  splitter.Feed(std::string("\xce\xd2 \0 \xff\n", 7));
  EXPECT_EQ(lines, (std::vector<std::string>{std::string("\xce\xd2 \0 \xff", 6)}));
}

}  // namespace
}  // namespace runtime
