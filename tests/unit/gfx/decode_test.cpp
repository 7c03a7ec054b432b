// The decoders against hostile files written byte by byte, on every platform.
#include <gtest/gtest.h>

#include "hostile_gifs.h"
#include "platform/gfx/image_decoder.h"

namespace gfx {
namespace {

// A frame's header declares its size for free: a GIF frame is charged to the
// budget, with the running total of the frames before it, before it is decoded.
TEST(Decode, GifFramesAreChargedBeforeTheyAreDecoded) {
  // One frame of 8192 x 8200 on a 1 x 1 screen: 50 KB that would decode 67 million pixels.
  EXPECT_FALSE(DecodeImage(testing::MakeGifOfHugeFrames(1, 8192, 8200, 1)));
  // The running total: a budget of three and a half frames' pixels takes three, not four.
  const std::int64_t budget = 7 * 256 * 256 / 2;
  auto three = detail::DecodeGif(testing::MakeGifOfHugeFrames(1, 256, 256, 3), budget);
  ASSERT_TRUE(three);
  EXPECT_EQ(three->frames.size(), 3u);
  EXPECT_FALSE(detail::DecodeGif(testing::MakeGifOfHugeFrames(1, 256, 256, 4), budget));
}

TEST(Decode, GifFramesAreClippedToTheLogicalScreen) {
  auto image = DecodeImage(testing::MakeGifOfHugeFrames(3, 300, 7, 2));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->frames.size(), 2u);
  EXPECT_EQ(image->frames[1].Width(), 3);
  EXPECT_EQ(image->frames[1].Height(), 3);
  EXPECT_EQ(image->frames[1].GetPixel(2, 2), 0xFF000000u);
  EXPECT_EQ(*image->delays, (std::vector<int>{10, 10}));
}

TEST(Decode, UnreadableBytesGiveNothing) {
  EXPECT_FALSE(DecodeImage({}));
  const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
  EXPECT_FALSE(DecodeImage(junk));
  const std::vector<std::uint8_t> png_head = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
  EXPECT_FALSE(DecodeImage(png_head));
  const std::vector<std::uint8_t> jpeg_head = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F'};
  EXPECT_FALSE(DecodeImage(jpeg_head));
  auto gif = testing::MakeGifOfHugeFrames(3, 300, 7, 2);
  gif.resize(gif.size() / 2);  // cut off in the middle
  EXPECT_FALSE(DecodeImage(gif));
}

}  // namespace
}  // namespace gfx
