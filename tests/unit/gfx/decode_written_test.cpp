// The decoders against files that the reference encoders (giflib, libjpeg)
// write, which the tests have on Linux only.
#include <gtest/gtest.h>

#include <zlib.h>

#include "gif_writer.h"
#include "hostile_images.h"
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
  auto grey = DecodeImage(testing::MakeJpeg(16, 16, 0x404040, 0xC0C0C0, false, testing::JpegColours::kGrey));
  ASSERT_TRUE(grey);
  EXPECT_TRUE(Near(grey->frames[0].GetPixel(2, 8), 0x404040));
  EXPECT_TRUE(Near(grey->frames[0].GetPixel(13, 8), 0xC0C0C0));
  auto cmyk = DecodeImage(testing::MakeJpeg(16, 16, 0xD04020, 0x2060C0, false, testing::JpegColours::kAdobeCmyk));
  ASSERT_TRUE(cmyk);
  EXPECT_TRUE(Near(cmyk->frames[0].GetPixel(2, 8), 0xD04020));
  EXPECT_TRUE(Near(cmyk->frames[0].GetPixel(13, 8), 0x2060C0));
}

// The sizes in a header cost nothing to write: images larger than the pixel
// budget are refused before anything that size is allocated.
TEST(Decode, HeadersClaimingHugePicturesAreRefused) {
  // A JPEG whose frame header says 30000 x 30000.
  auto jpeg = testing::MakeJpeg(16, 16, 0xFFFFFF, 0, false);
  for (size_t i = 0; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = jpeg[i + 7] = 30000 >> 8;
      jpeg[i + 6] = jpeg[i + 8] = 30000 & 0xFF;
      break;
    }
  EXPECT_FALSE(DecodeImage(jpeg));
  // A GIF of 4096 x 4096 with eight tiny frames would keep eight full pictures (512 MiB).
  EXPECT_FALSE(DecodeImage(testing::MakeGif({1, 1, 1, 1, 1, 1, 1, 1}, 4096)));
  EXPECT_TRUE(DecodeImage(testing::MakeGif({1, 1}, 64)));
  // A PNG whose header (with a correct checksum) says 40000 x 40000.
  auto png = Bitmap(2, 2).EncodePng();
  for (size_t at : {16u, 20u}) {
    png[at] = 0, png[at + 1] = 0, png[at + 2] = 40000 >> 8, png[at + 3] = 40000 & 0xFF;
  }
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
  for (int k = 0; k < 4; ++k) png[29 + k] = static_cast<std::uint8_t>(crc >> (24 - 8 * k));
  EXPECT_FALSE(DecodeImage(png));
}

// What a JPEG can make libjpeg spend: a size its bytes could not hold, scans
// without end, working memory beyond what the picture leaves of the budget.
TEST(Decode, JpegsThatWouldCostFarMoreThanTheyHoldAreRefused) {
  // A few hundred bytes declaring 8000 x 8000 (libjpeg would pad it all out).
  EXPECT_FALSE(DecodeImage(testing::MakeJpegDeclaring(8000, 8000)));
  auto small_cut_off = DecodeImage(testing::MakeJpegDeclaring(1000, 1000));
  ASSERT_TRUE(small_cut_off);
  EXPECT_EQ(small_cut_off->frames[0].Width(), 1000);

  EXPECT_FALSE(DecodeImage(testing::MakeJpegWithScans(64, 64, 1000)));
  auto nine_scans = DecodeImage(testing::MakeJpegWithScans(64, 64, 9));
  ASSERT_TRUE(nine_scans);
  EXPECT_TRUE(Near(nine_scans->frames[0].GetPixel(32, 32), 0x606060));

  // A progressive picture keeps every coefficient of the image (two bytes
  // each) while it reads its scans; a baseline one decodes a row at a time.
  const std::int64_t budget = 256 * 256 + 16 * 1024;
  EXPECT_FALSE(detail::DecodeJpeg(testing::MakeJpeg(256, 256, 0x202020, 0xE0E0E0, true), budget));
  EXPECT_TRUE(detail::DecodeJpeg(testing::MakeJpeg(256, 256, 0x202020, 0xE0E0E0, false), budget));
}

TEST(Decode, CutOffJpegsGiveThePartThatArrivedOrNothing) {
  // A cut-off file: libjpeg pads out a baseline scan (as viewers show the part
  // that arrived); a progressive one cut in half gives nothing.
  auto baseline = testing::MakeJpeg(32, 32, 0xFFFFFF, 0, false);
  baseline.resize(baseline.size() - 10);  // the end of the scan and the end marker
  auto padded = DecodeImage(baseline);
  ASSERT_TRUE(padded);
  EXPECT_EQ(padded->frames[0].Width(), 32);
  auto progressive = testing::MakeJpeg(32, 32, 0xFFFFFF, 0, true);
  progressive.resize(progressive.size() / 2);
  EXPECT_FALSE(DecodeImage(progressive));
}

}  // namespace
}  // namespace gfx
