#include <gtest/gtest.h>

#include "gif_writer.h"
#include "jpeg_writer.h"
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

// Within JPEG's loss of the colour a pixel was written with.
::testing::AssertionResult Near(Argb got, std::uint32_t rgb) {
  auto off = [](unsigned a, unsigned b) { return a > b ? a - b : b - a; };
  if (AlphaOf(got) == 255 && off(RedOf(got), (rgb >> 16) & 0xFF) <= 6 && off(GreenOf(got), (rgb >> 8) & 0xFF) <= 6 &&
      off(BlueOf(got), rgb & 0xFF) <= 6)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << "got 0x" << got << ", wanted about 0x" << rgb;
}

TEST(Decode, BaselineProgressiveAndGreyJpegsComeBackOpaqueWithTheirColours) {
  for (bool progressive : {false, true}) {
    auto image = DecodeImage(testing::MakeJpeg(40, 24, 0xD04020, 0x2060C0, progressive));
    ASSERT_TRUE(image) << "progressive " << progressive;
    ASSERT_EQ(image->frames.size(), 1u);
    EXPECT_FALSE(image->delays);
    const Bitmap& frame = image->frames[0];
    EXPECT_EQ(frame.Width(), 40);
    EXPECT_EQ(frame.Height(), 24);
    EXPECT_TRUE(Near(frame.GetPixel(4, 4), 0xD04020));
    EXPECT_TRUE(Near(frame.GetPixel(35, 20), 0x2060C0));
  }
  auto grey = DecodeImage(testing::MakeJpeg(16, 16, 0x404040, 0xC0C0C0, false, true));
  ASSERT_TRUE(grey);
  EXPECT_TRUE(Near(grey->frames[0].GetPixel(2, 8), 0x404040));
  EXPECT_TRUE(Near(grey->frames[0].GetPixel(13, 8), 0xC0C0C0));
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
  auto jpeg = testing::MakeJpeg(32, 32, 0xFFFFFF, 0, true);
  jpeg.resize(jpeg.size() / 2);
  auto cut = DecodeImage(jpeg);  // libjpeg pads a cut-off file; what matters is no crash and the full size
  if (cut) EXPECT_EQ(cut->frames[0].Width(), 32);
}

}  // namespace
}  // namespace gfx
