// The download job with the real rtmpdump against the demo site's nginx, paced
// in real time: progress as it arrives, and stops before and during a download.
#include <unistd.h>

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>

#include "app/download_job.h"
#include "app/task_queue.h"
#include "runtime/gbk.h"
#include "tests/support/demo_site.h"
#include "tests/support/process_table.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_dir.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing_support::ReadWholeFile;

constexpr char kLongTrack[] = "晨岚测试长曲四";

class DownloadStopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { site_ = std::make_unique<testing_support::DemoSite>(); }
  static void TearDownTestSuite() { site_.reset(); }

  DownloadStopTest() {
    context_.config.site_mobile_host = site_->Get("BRIVO_SITE_MOBILE_HOST");
    context_.config.site_web_host = site_->Get("BRIVO_SITE_WEB_HOST");
    context_.config.site_rtmp_host = site_->Get("BRIVO_SITE_RTMP_HOST");
    context_.state.tool_path = site_->RealtimeTool();
    // The boxes as a parse of the long track's page leaves them.
    view_.SetEditText(EditBox::kAddress, site_->LongTrackPage());
    view_.SetEditText(EditBox::kResult, runtime::Gbk(kLongTrack));
    view_.SetEditText(EditBox::kPath, "music/2015/demo04");
    testing_support::WriteWholeFile(Saved(".aac"), "earlier good download");
  }

  fs::path Saved(const std::string& suffix) const { return folder_.path() / (kLongTrack + suffix); }

  static std::unique_ptr<testing_support::DemoSite> site_;
  TaskQueue ui_;
  testing_support::RecordingView view_{ui_};
  testing_support::TempDir folder_;
  AppContext context_{.view = view_, .ui = ui_, .download_folder = folder_.path()};
};

std::unique_ptr<testing_support::DemoSite> DownloadStopTest::site_;

TEST_F(DownloadStopTest, ProgressGrowsUntilAStopEndsTheToolAndRemovesItsPartialFile) {
  std::mutex mutex;
  std::vector<DownloadProgress> reports;
  std::vector<pid_t> tools;
  Clock::time_point requested;
  bool partial_seen = false;
  context_.download_progress = [&](const DownloadProgress& progress) {
    std::lock_guard lock(mutex);
    reports.push_back(progress);
    if (reports.size() != 4) return;
    tools = testing_support::ChildProcesses(getpid(), "rtmpdump");
    const fs::path partial = testing_support::PartialFile(folder_.path(), kLongTrack);
    partial_seen = !partial.empty() && fs::file_size(partial) > 0;
    requested = Clock::now();
    context_.stop.Request();
  };
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kStopped);
  const auto after_request = Clock::now() - requested;

  std::lock_guard lock(mutex);
  ASSERT_EQ(reports.size(), 4u);
  for (size_t i = 1; i < reports.size(); ++i) {
    EXPECT_GT(reports[i].kilobytes, reports[i - 1].kilobytes);
    ASSERT_TRUE(reports[i].percent);  // nginx announces the track's length
    EXPECT_GT(*reports[i].percent, *reports[i - 1].percent);
  }
  EXPECT_LT(*reports.back().percent, 50.0);  // stopped well before the end
  EXPECT_LT(after_request, std::chrono::seconds(1));
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_FALSE(testing_support::ProcessRunning(tools[0]));
  EXPECT_TRUE(testing_support::ChildProcesses(getpid(), "rtmpdump").empty());
  EXPECT_TRUE(partial_seen);
  EXPECT_TRUE(testing_support::PartialFiles(folder_.path()).empty());
  EXPECT_EQ(ReadWholeFile(Saved(".aac")), "earlier good download");
  EXPECT_TRUE(view_.boxes.empty());
  EXPECT_TRUE(view_.shown_files.empty());
}

TEST_F(DownloadStopTest, AStopBeforeTheStartNeverStartsTheTool) {
  view_.SetEditText(EditBox::kAddress, site_->LongTrackPage() + "?never-started");
  context_.stop.Request();
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kStopped);
  EXPECT_EQ(site_->Log().find("never-started"), std::string::npos);
  EXPECT_TRUE(testing_support::PartialFiles(folder_.path()).empty());
  EXPECT_EQ(ReadWholeFile(Saved(".aac")), "earlier good download");
  EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(DownloadStopTest, AtFullSpeedTheTrackIsSavedAndItsLastReportIsTheWholeTrack) {
  context_.state.tool_path = "rtmpdump";
  std::vector<DownloadProgress> reports;
  context_.download_progress = [&](const DownloadProgress& progress) { reports.push_back(progress); };
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_GT(fs::file_size(Saved(".aac")), 100000u);
  ASSERT_FALSE(reports.empty());
  EXPECT_GT(reports.back().kilobytes, 100.0);
  EXPECT_GT(reports.back().percent.value_or(0), 99.0);
}

}  // namespace
}  // namespace app
