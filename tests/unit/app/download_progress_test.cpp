#include "app/download_progress.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(ParseToolProgress, ReadsRtmpdumpsProgressLines) {
  // Lines as rtmpdump 2.4 wrote them against the demo site's nginx.
  std::optional<DownloadProgress> first = ParseToolProgress("0.232 kB / 0.00 sec (0.0%)");
  ASSERT_TRUE(first);
  EXPECT_DOUBLE_EQ(first->kilobytes, 0.232);
  EXPECT_EQ(first->percent, 0.0);
  std::optional<DownloadProgress> later = ParseToolProgress("19.876 kB / 2.25 sec (3.7%)");
  ASSERT_TRUE(later);
  EXPECT_DOUBLE_EQ(later->kilobytes, 19.876);
  EXPECT_DOUBLE_EQ(later->seconds, 2.25);
  EXPECT_DOUBLE_EQ(*later->percent, 3.7);
  // Without a length from the server there is no percentage.
  std::optional<DownloadProgress> open_ended = ParseToolProgress("1234.567 kB / 12.34 sec");
  ASSERT_TRUE(open_ended);
  EXPECT_DOUBLE_EQ(open_ended->kilobytes, 1234.567);
  EXPECT_FALSE(open_ended->percent);
  // A count past the announced length still reads as a whole download.
  EXPECT_EQ(ParseToolProgress("2048.000 kB / 61.00 sec (100.4%)")->percent, 100.0);
}

TEST(ParseToolProgress, IgnoresEverythingElseTheToolWrites) {
  for (std::string_view line :
       {"RTMPDump v2.4", "Connecting ...", "INFO: Connected...", "Starting download at: 0.000 kB",
        "INFO:   duration              60.02", "Download may be incomplete (downloaded about 13.10%), try resuming",
        "Download complete", "", "kB / sec", " kB / 1.00 sec", "-1.0 kB / 1.00 sec", "1.0 kB / 1.00 sec (50%",
        "1.0 kB / 1.00 sec (50%) more", "1.0 kB / x sec", "nan kB / 1.00 sec", "inf kB / 1.00 sec (1.0%)",
        "1.0 kB / 1.00 sec (-5.0%)", "1.0 kB / 1.00 sec (abc%)", "##########"})
    EXPECT_FALSE(ParseToolProgress(line)) << line;
}

TEST(ProgressText, ShowsKilobytesAndPercentWhenKnown) {
  EXPECT_EQ(ProgressText({.kilobytes = 1234.567, .percent = 45.64}), "1234.6 kB (45.6%)");
  EXPECT_EQ(ProgressText({.kilobytes = 0.2}), "0.2 kB");
  // Absurd sizes stay one bounded line.
  EXPECT_LT(ProgressText({.kilobytes = 1e300, .percent = 100}).size(), 64u);
}

}  // namespace
}  // namespace app
