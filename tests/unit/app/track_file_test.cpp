// Saving rtmpdump's FLV as the file its extension names, on hand-made FLVs:
// the audio of each codec, and every way an FLV can be malformed.
#include "app/media/track_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/media/adts.h"
#include "app/media/flv_reader.h"
#include "tests/support/media_files.h"

namespace app::media {
namespace {

using testing_support::FlvBuilder;
using testing_support::kFlvAudio;
using testing_support::kFlvScript;
using testing_support::kFlvVideo;

TEST(TrackFile, AacAudioBecomesAnAdtsStreamBehindAnId3Tag) {
  const std::string flv = FlvBuilder()
                              .Tag(kFlvScript, "\x02\x00\x0AonMetaData")
                              .AacConfig()
                              .AacFrame("frame-one")
                              .Tag(kFlvVideo, "\x17\x01 a video frame between")
                              .AacFrame(std::string(300, 'x'))
                              .bytes();
  const std::optional<TrackFile> track = TrackFileFrom(flv, {.title = "晨岚测试曲一"});
  ASSERT_TRUE(track);
  EXPECT_EQ(track->extension, ".aac");
  ASSERT_TRUE(track->bytes);
  const std::string tag = Id3Tag({.title = "晨岚测试曲一"});
  ASSERT_EQ(track->bytes->substr(0, tag.size()), tag);
  // LC (profile 1), 44.1 kHz (index 4), one channel; the frame's length counts the header.
  EXPECT_EQ(track->bytes->substr(tag.size()), std::string("\xFF\xF1\x50\x40\x02\x1F\xFC", 7) + "frame-one" +
                                                  std::string("\xFF\xF1\x50\x40\x26\x7F\xFC", 7) +
                                                  std::string(300, 'x'));
}

TEST(TrackFile, Mp3AudioKeepsItsFramesAndOtherAudioStaysInTheContainer) {
  const std::string mp3 = FlvBuilder().Mp3Frame("\xFF\xFB one").Mp3Frame("\xFF\xFB two").bytes();
  const std::optional<TrackFile> track = TrackFileFrom(mp3, {});
  ASSERT_TRUE(track && track->bytes);
  EXPECT_EQ(track->extension, ".mp3");
  EXPECT_EQ(track->bytes->substr(Id3Tag({}).size()), "\xFF\xFB one\xFF\xFB two");
  // Speex (codec 11), and AAC in a form ADTS cannot describe (HE-AAC's explicit
  // object type 5; a rate outside the table): kept as the FLV itself.
  for (const std::string& flv : {FlvBuilder().Tag(kFlvAudio, "\xB6 speex").bytes(),
                                 FlvBuilder().AacConfig("\x2B\x92\x08\x00").AacFrame("f").bytes(),
                                 FlvBuilder().AacConfig("\x17\x88").AacFrame("f").bytes()}) {
    const std::optional<TrackFile> kept = TrackFileFrom(flv, {});
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->extension, ".flv");
    EXPECT_FALSE(kept->bytes);
  }
}

TEST(TrackFile, AMalformedFlvIsNoTrack) {
  const std::string good = FlvBuilder().AacConfig().AacFrame("frame").bytes();
  ASSERT_TRUE(TrackFileFrom(good, {}));
  std::string wrong_size_after = good;
  wrong_size_after.back() ^= 1;
  std::string absurd_size = good;
  absurd_size[13 + 1] = '\x7F';  // the first tag claims eight megabytes
  std::string bad_offset = good;
  bad_offset[8] = '\x7F';
  const std::vector<std::pair<const char*, std::string>> malformed = {
      {"empty", ""},
      {"not FLV", "FLX" + good.substr(3)},
      {"version 2", good.substr(0, 3) + '\x02' + good.substr(4)},
      {"header offset past the end", bad_offset},
      {"cut in a tag header", good.substr(0, good.size() - 15)},
      {"cut in a tag's data", good.substr(0, good.size() - 6)},
      {"cut before the size after a tag", good.substr(0, good.size() - 2)},
      {"a size after a tag that disagrees", wrong_size_after},
      {"a tag larger than the file", absurd_size},
      {"an encrypted tag", FlvBuilder().AacConfig().Tag(kFlvAudio | 0x20, "\xAF\x01 x").bytes()},
      {"frames before the sequence header", FlvBuilder().AacFrame("early").AacConfig().bytes()},
      {"no sequence header at all", FlvBuilder().AacFrame("frame").bytes()},
      {"an empty sequence header", FlvBuilder().AacConfig("").bytes()},
      {"a second, different sequence header", FlvBuilder().AacConfig().AacFrame("f").AacConfig("\x11\x90").bytes()},
      {"an unknown AAC packet type", FlvBuilder().AacConfig().Tag(kFlvAudio, "\xAF\x05 x").bytes()},
      {"codec changes midway", FlvBuilder().AacConfig().AacFrame("f").Mp3Frame("\xFF\xFB").bytes()},
      {"no audio", FlvBuilder().Tag(kFlvScript, "meta").Tag(kFlvVideo, "\x17\x00").bytes()},
      {"an AAC frame too large for ADTS", FlvBuilder().AacConfig().AacFrame(std::string(8185, 'x')).bytes()},
  };
  for (const auto& [what, flv] : malformed) EXPECT_FALSE(TrackFileFrom(flv, {})) << what;
}

TEST(Id3Tag, HoldsTheTitleThePageAndTheDateInSynchsafeSizes) {
  const std::string title(200, 'T');
  const std::string tag = Id3Tag({.title = title, .page_address = "http://h/p.html?n=晨", .date = "2026-12-09"});
  ASSERT_EQ(tag.substr(0, 6), std::string("ID3\x04\x00\x00", 6));
  // 200 + 1 encoding byte = 201 = 0x01'49 in seven-bit bytes: 0x01 0x49.
  const std::string title_frame = std::string("TIT2\x00\x00\x01\x49\x00\x00\x03", 11) + title;
  EXPECT_EQ(tag.substr(10, title_frame.size()), title_frame);
  EXPECT_NE(tag.find(std::string("WXXX\x00\x00\x00\x1D\x00\x00\x03\x00http://h/p.html?n=%E6%99%A8", 39)),
            std::string::npos);
  EXPECT_NE(tag.find(std::string("TDRC\x00\x00\x00\x0B\x00\x00\x03"
                                 "2026-12-09",
                                 21)),
            std::string::npos);
  size_t size = 0;
  for (int i = 6; i < 10; ++i) size = size << 7 | static_cast<unsigned char>(tag[i]);
  EXPECT_EQ(size, tag.size() - 10);
  EXPECT_EQ(Id3Tag({}).size(), 10u);
}

}  // namespace
}  // namespace app::media
