#include <gtest/gtest.h>

#include "gif_writer.h"
#include "platform/gfx/image_decoder.h"

namespace gfx {
namespace {

TEST(Decode, GifFramesComeWithTheFilesOwnDelays) {
  auto image = DecodeImage(testing::MakeGif({0, 5, 250}));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->frames.size(), 3u);
  ASSERT_TRUE(image->delays);
  EXPECT_EQ(*image->delays, (std::vector<int>{0, 5, 250}));  // zero stays zero here
  EXPECT_EQ(image->frames[0].GetPixel(0, 0), 0xFF000000u);
  EXPECT_EQ(image->frames[1].GetPixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(image->frames[2].GetPixel(1, 0), 0xFF00FF00u);
}

TEST(Decode, GifWithoutControlBlocksHasNoDelays) {
  auto image = DecodeImage(testing::MakeGif({-1}));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->frames.size(), 1u);
  EXPECT_FALSE(image->delays);
}

TEST(Decode, UnreadableBytesGiveNothing) {
  EXPECT_FALSE(DecodeImage({}));
  const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
  EXPECT_FALSE(DecodeImage(junk));
  auto gif = testing::MakeGif({3, 4});
  gif.resize(gif.size() / 2);  // cut off in the middle
  EXPECT_FALSE(DecodeImage(gif));
  const std::vector<std::uint8_t> png_head = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
  EXPECT_FALSE(DecodeImage(png_head));
  const std::vector<std::uint8_t> jpeg_head = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F'};
  EXPECT_FALSE(DecodeImage(jpeg_head));
}

}  // namespace
}  // namespace gfx
