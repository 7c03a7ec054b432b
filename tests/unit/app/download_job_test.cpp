#include "app/download_job.h"

#include <filesystem>
#include <thread>

#include "app/play_page_parser.h"
#include "runtime/gbk.h"
#include "tests/unit/app/app_fixture.h"

namespace app {
namespace {

using runtime::Gbk;
using testing_support::ReadWholeFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
namespace fs = std::filesystem;

// A stand-in for rtmpdump that records its arguments and writes $TOOL_OUTPUT into
// the file named after -o (relative to its working directory).
constexpr char kStandInTool[] =
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$TOOL_RECORD\"\n"
    "pwd > \"$TOOL_RECORD.cwd\"\n"
    "prev=; for a in \"$@\"; do [ \"$prev\" = -o ] && out=$a; prev=$a; done\n"
    "printf '%s' \"$TOOL_OUTPUT\" > \"$out\"\n";

class DownloadJobTest : public testing_support::AppFixture {
 protected:
  DownloadJobTest() {
    testing_support::WriteScript(tools_.path() / "rtmpdump", kStandInTool);
    // Written aside and renamed: the test polls for the file and must never read it half written.
    testing_support::WriteScript(tools_.path() / "show", "printf '%s' \"$1\" > \"$TOOL_RECORD.tmp\" && "
                                                         "mv \"$TOOL_RECORD.tmp\" \"$TOOL_RECORD.shown\"\n");
    context_.state.tool_path = tools_ / "rtmpdump";
    SetAddress("http://127.0.0.1/play/demo01.html");
    view_.SetEditText(EditBox::kResult, Gbk("晨岚测试曲一"));
    view_.SetEditText(EditBox::kPath, "music/2015/demo01");
  }

  std::string Record(const std::string& suffix = "") { return ReadWholeFile(tools_.path() / ("argv" + suffix)); }
  bool InProgramDir(const std::string& name) { return fs::exists(program_dir_.path() / name); }

  TempDir tools_;
  ScopedEnv record_{"TOOL_RECORD", tools_ / "argv"};
  ScopedEnv output_{"TOOL_OUTPUT", "FLV data"};
  ScopedEnv file_manager_{"BRIVO_FILE_MANAGER", tools_ / "show"};
};

TEST_F(DownloadJobTest, RunsTheToolWithTheExactArgumentsAndReportsSuccess) {
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(Record(),
            "-r\nrtmp://127.0.0.1:1935/rozezeri/\n-p\nhttp://127.0.0.1/play/demo01.html\n"
            "-y\nmp4:music/2015/demo01.mp4\n-s\nhttp://www.example.test/js/mp.swf/\n-o\n晨岚测试曲一.aac\n");
  EXPECT_EQ(Record(".cwd"), program_dir_.path().string() + "\n");
  EXPECT_EQ(ReadWholeFile(program_dir_.path() / "晨岚测试曲一.aac"), "FLV data");
  EXPECT_EQ(view_.disabled_log, (std::vector<std::string>{"parse:1", "download:1", "address:1", "parse:0",
                                                          "download:0", "address:0"}));
  ASSERT_EQ(view_.boxes.size(), 1u);
  EXPECT_EQ(view_.boxes[0].title, "下载完成");
  EXPECT_EQ(view_.boxes[0].content, "晨岚测试曲一");
  EXPECT_EQ(view_.boxes[0].icon, kIconInformation);
  for (int i = 0; i < 500 && !fs::exists(tools_.path() / "argv.shown"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(Record(".shown"), (program_dir_.path() / "晨岚测试曲一.aac").string());
}

TEST_F(DownloadJobTest, AnEmptyFileIsAFailureAndIsDeletedAfterTheBox) {
  ScopedEnv empty("TOOL_OUTPUT", "");
  bool file_there_during_box = false;
  view_.on_box = [&] { file_there_during_box = InProgramDir("晨岚测试曲一.aac"); };
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kFailed);
  ASSERT_EQ(view_.boxes.size(), 1u);
  EXPECT_EQ(view_.boxes[0].title, "下载失败");
  EXPECT_EQ(view_.boxes[0].icon, kIconError);
  EXPECT_TRUE(file_there_during_box);
  EXPECT_FALSE(InProgramDir("晨岚测试曲一.aac"));
}

TEST_F(DownloadJobTest, AToolThatCannotStartIsAFailure) {
  context_.state.tool_path = tools_ / "missing-tool";
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kFailed);
  EXPECT_EQ(view_.boxes.at(0).title, "下载失败");
  EXPECT_EQ(view_.disabled_log.size(), 6u);
}

TEST_F(DownloadJobTest, AnUnusablePlayPathReportsAnErrorAndRunsNothing) {
  for (const char* path : {"", "music/a b", "x\" -o \"/tmp/evil", "a\nb"}) {
    view_.boxes.clear();
    view_.SetEditText(EditBox::kPath, path);
    EXPECT_EQ(DownloadJob(context_), JobOutcome::kNotRun) << path;
    ASSERT_EQ(view_.boxes.size(), 1u);
    EXPECT_EQ(view_.boxes[0].title, "错误");
    EXPECT_EQ(view_.boxes[0].content, "由于网络原因或网站更新导致本次解析失败! ");
    EXPECT_EQ(view_.boxes[0].icon, kIconError);
  }
  EXPECT_TRUE(view_.disabled_log.empty());
  EXPECT_FALSE(fs::exists(tools_.path() / "argv"));
}

TEST_F(DownloadJobTest, AHostileTrackNameStaysOneFileInTheProgramDirectory) {
  view_.SetEditText(EditBox::kResult, "../x\" -o \"/tmp/evil");
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  std::string argv = Record();
  EXPECT_EQ(argv.substr(argv.find("-o\n")), "-o\n_._x_ -o __tmp_evil.aac\n");
  EXPECT_TRUE(InProgramDir("_._x_ -o __tmp_evil.aac"));
  EXPECT_EQ(view_.boxes.at(0).content, "../x\" -o \"/tmp/evil");  // the user sees the real name
}

TEST_F(DownloadJobTest, AnAddressWithBlanksAndQuotesStaysOneArgument) {
  SetAddress("http://127.0.0.1/play/a b.html?x=\"-o\" \"/tmp/evil");
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(Record(),
            "-r\nrtmp://127.0.0.1:1935/rozezeri/\n-p\nhttp://127.0.0.1/play/a%20b.html?x=%22-o%22%20%22/tmp/evil\n"
            "-y\nmp4:music/2015/demo01.mp4\n-s\nhttp://www.example.test/js/mp.swf/\n-o\n晨岚测试曲一.aac\n");
}

TEST_F(DownloadJobTest, AParseStartsTheJobOnAWorkerThatHandsWindowWorkToTheUiThread) {
  std::string script = "ab='music/2015/';cd='demo02';var n =\"Demo Track 2\";var t=1;"
                       "play(fwqhp, pv);pv=x4+k1v+ab+cd;fmpObj = {};";
  SetAddress(Serve("/play/demo02.html", Page(script)));
  std::optional<JobOutcome> outcome;
  std::thread::id finished_on;
  context_.job_finished = [&](JobOutcome result) {
    outcome = result;
    finished_on = std::this_thread::get_id();
  };
  PlayPageParser(context_);
  ui_.RunUntil([&] { return outcome.has_value(); });
  EXPECT_EQ(*outcome, JobOutcome::kSucceeded);
  EXPECT_EQ(finished_on, std::this_thread::get_id());
  EXPECT_EQ(view_.calls_off_ui_thread, 0);
  EXPECT_TRUE(InProgramDir("Demo Track 2.aac"));
  EXPECT_NE(Record().find("mp4:music/2015/demo02.mp4\n"), std::string::npos);
}

}  // namespace
}  // namespace app
