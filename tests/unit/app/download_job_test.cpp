#include "app/download_job.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "app/partial_file.h"
#include "app/play_page_parser.h"
#include "runtime/gbk.h"
#include "tests/support/media_files.h"
#include "tests/unit/app/app_fixture.h"

namespace app {
namespace {

using runtime::Gbk;
using testing_support::ReadWholeFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
namespace fs = std::filesystem;

// A stand-in for rtmpdump that records its arguments and writes the file
// $TOOL_OUTPUT (none when empty) to its standard output (the job's partial file, as "-o -" asks); with
// $TOOL_WRITES_NOTHING it writes nothing and fails, with $TOOL_DIES it is killed
// after writing, $TOOL_EXIT is its exit status; $TOOL_SAYS is written to its
// standard error (progress and error lines as rtmpdump writes them), $TOOL_HANGS
// makes it record its pid and wait after writing.
constexpr char kStandInTool[] =
    "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$TOOL_RECORD\"\n"
    "pwd > \"$TOOL_RECORD.cwd\"\n"
    "[ -n \"$TOOL_WRITES_NOTHING\" ] && exit 1\n"
    "[ -n \"$TOOL_OUTPUT\" ] && cat \"$TOOL_OUTPUT\"\n"
    "printf \"$TOOL_SAYS\" >&2\n"
    "[ -n \"$TOOL_HANGS\" ] && { echo $$ > \"$TOOL_RECORD.pid\"; sleep 30; }\n"
    "[ -n \"$TOOL_DIES\" ] && kill -KILL $$\n"
    "exit ${TOOL_EXIT:-0}\n";

// rtmpdump's last words for a five-second track: all of it came, yet it exits 2.
constexpr char kShortTrackEnd[] =
    "0.232 kB / 0.00 sec (0.0%%)\\r43.382 kB / 5.01 sec (99.8%%)\\n"
    "Download may be incomplete (downloaded about 99.80%%), try resuming\\n";

class DownloadJobTest : public testing_support::AppFixture {
 protected:
  DownloadJobTest() {
    // Neither folder's name can be written in GBK: system paths must stay the system's bytes.
    fs::create_directories(tool_dir_);
    testing_support::WriteScript(tool_dir_ / "rtmpdump", kStandInTool);
    context_.state.tool_path = tool_dir_ / "rtmpdump";
    context_.download_folder = download_folder_.path() / "Müsic-ä";
    SetAddress("http://127.0.0.1/play/demo01.html");
    view_.SetEditText(EditBox::kResult, Gbk("晨岚测试曲一"));
    view_.SetEditText(EditBox::kPath, "music/2015/demo01");
  }

  std::string Record(const std::string& suffix = "") { return ReadWholeFile(tools_.path() / ("argv" + suffix)); }
  std::string Reason() const { return view_.boxes.empty() ? "" : view_.boxes.back().detail; }
  fs::path Saved(const std::string& name) const { return context_.download_folder / name; }
  std::vector<std::string> FilesSaved() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(context_.download_folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void PutEarlierDownload() {
    fs::create_directories(context_.download_folder);
    testing_support::WriteWholeFile(Saved("晨岚测试曲一.aac"), "earlier good download");
  }

  TempDir tools_;
  fs::path tool_dir_ = tools_.path() / "Tööls-ä";
  ScopedEnv record_{"TOOL_RECORD", tools_ / "argv"};
  // The stream as rtmpdump writes it, and the audio of the .aac it becomes.
  const std::string stream_ = testing_support::FlvBuilder().AacConfig().AacFrame("frame").bytes();
  const std::string audio_ = std::string("\xFF\xF1\x50\x40\x01\x9F\xFC", 7) + "frame";
  ScopedEnv output_{"TOOL_OUTPUT", WrittenStream()};

  std::string WrittenStream() {
    testing_support::WriteWholeFile(tools_.path() / "stream.flv", stream_);
    return tools_ / "stream.flv";
  }
  std::string SavedAudio(const std::string& name) const {
    return testing_support::WithoutId3Tag(ReadWholeFile(Saved(name)));
  }
};

TEST_F(DownloadJobTest, TheToolWritesIntoAPartialFileThatIsKeptUnderTheTrackName) {
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(Record(),
            "-r\nrtmp://127.0.0.1:1935/rozezeri/\n-p\nhttp://127.0.0.1/play/demo01.html\n"
            "-y\nmp4:music/2015/demo01.mp4\n-s\nhttp://www.example.test/js/mp.swf/\n-o\n-\n");
  EXPECT_EQ(Record(".cwd"), context_.download_folder.string() + "\n");  // made on first use
  EXPECT_EQ(FilesSaved(), std::vector<std::string>{"晨岚测试曲一.aac"});
  EXPECT_EQ(SavedAudio("晨岚测试曲一.aac"), audio_);
  EXPECT_EQ(view_.disabled_log,
            (std::vector<std::string>{"parse:1", "download:1", "address:1", "parse:0", "download:0", "address:0"}));
  ASSERT_EQ(view_.boxes.size(), 1u);
  EXPECT_EQ(view_.boxes[0].title, "下载完成");
  EXPECT_EQ(view_.boxes[0].content, "晨岚测试曲一");
  EXPECT_EQ(view_.boxes[0].icon, kIconInformation);
  EXPECT_EQ(Reason(), "晨岚测试曲一.aac");  // the file it was saved as
  EXPECT_EQ(view_.shown_files, std::vector<fs::path>{Saved("晨岚测试曲一.aac")});
}

TEST_F(DownloadJobTest, TheStreamIsKeptAsItCameWhenAskedAndAnUnreadableOneIsAFailure) {
  context_.keep_flv = true;
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(FilesSaved(), std::vector<std::string>{"晨岚测试曲一.flv"});
  EXPECT_EQ(ReadWholeFile(Saved("晨岚测试曲一.flv")), stream_);
  EXPECT_EQ(Reason(), "晨岚测试曲一.flv");
  // Without the wish, bytes that are no FLV cannot be saved as audio.
  context_.keep_flv = false;
  PutEarlierDownload();
  testing_support::WriteWholeFile(tools_.path() / "stream.flv", "no FLV at all");
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kFailed);
  EXPECT_EQ(Reason(), "下载的数据流无法读取（不是完好的 FLV）");
  EXPECT_EQ(FilesSaved(), (std::vector<std::string>{"晨岚测试曲一.aac", "晨岚测试曲一.flv"}));
  EXPECT_EQ(ReadWholeFile(Saved("晨岚测试曲一.aac")), "earlier good download");
}

TEST_F(DownloadJobTest, AGoodDownloadReplacesAnEarlierFileOfTheName) {
  PutEarlierDownload();
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(SavedAudio("晨岚测试曲一.aac"), audio_);
  EXPECT_EQ(FilesSaved(), std::vector<std::string>{"晨岚测试曲一.aac"});
}

TEST_F(DownloadJobTest, AnEmptyFileIsAFailureAndIsDeletedAfterTheBox) {
  ScopedEnv empty("TOOL_OUTPUT", "");
  bool partial_there_during_box = false;
  view_.on_box = [&] { partial_there_during_box = FilesSaved().size() == 1; };
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kFailed);
  ASSERT_EQ(view_.boxes.size(), 1u);
  EXPECT_EQ(view_.boxes[0].title, "下载失败");
  EXPECT_EQ(view_.boxes[0].icon, kIconError);
  EXPECT_EQ(Reason(), "下载工具没有收到任何数据");
  EXPECT_TRUE(partial_there_during_box);
  EXPECT_TRUE(FilesSaved().empty());
  EXPECT_TRUE(view_.shown_files.empty());
}

TEST_F(DownloadJobTest, OnlyACompleteStreamIsADownloadAndAFailureNeverTouchesAnEarlierFile) {
  // Each run writes bytes; only the tool's end tells whether they are the whole track.
  struct Case {
    std::vector<std::pair<const char*, std::string>> tool;
    JobOutcome outcome;
    std::string reason;
  };
  const std::vector<Case> failures = {
      {{{"TOOL_EXIT", "2"}, {"TOOL_SAYS", "100.000 kB / 12.00 sec (37.0%%)\\n"}},
       JobOutcome::kIncomplete,
       "数据流提前结束，下载不完整"},
      {{{"TOOL_EXIT", "2"}}, JobOutcome::kIncomplete, "数据流提前结束，下载不完整"},  // no length was announced
      {{{"TOOL_EXIT", "1"}, {"TOOL_SAYS", "ERROR: Download: Failed writing, exiting!\\n"}},
       JobOutcome::kFailed,
       "下载工具出错：Download: Failed writing, exiting!"},
      {{{"TOOL_DIES", "1"}}, JobOutcome::kIncomplete, "数据流提前结束，下载不完整"},
      {{{"TOOL_WRITES_NOTHING", "1"}}, JobOutcome::kFailed, ""}};
  for (const Case& failure : failures) {
    view_.boxes.clear();
    PutEarlierDownload();
    std::vector<std::unique_ptr<ScopedEnv>> tool;
    for (const auto& [variable, value] : failure.tool) tool.push_back(std::make_unique<ScopedEnv>(variable, value));
    const std::string what = failure.tool.front().first + ("=" + failure.tool.front().second);
    EXPECT_EQ(DownloadJob(context_), failure.outcome) << what;
    EXPECT_EQ(view_.boxes.at(0).title, "下载失败") << what;
    EXPECT_EQ(Reason(), failure.reason) << what;
    EXPECT_EQ(ReadWholeFile(Saved("晨岚测试曲一.aac")), "earlier good download") << what;
    EXPECT_EQ(FilesSaved(), std::vector<std::string>{"晨岚测试曲一.aac"}) << what;
  }
  // A short track: rtmpdump says "incomplete" for its last frame, yet all of it came.
  ScopedEnv exit("TOOL_EXIT", "2");
  ScopedEnv says("TOOL_SAYS", kShortTrackEnd);
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(SavedAudio("晨岚测试曲一.aac"), audio_);
}

TEST_F(DownloadJobTest, AToolThatCannotStartIsAFailureWhateverFilesAreThere) {
  PutEarlierDownload();
  testing_support::WriteWholeFile(Saved("晨岚测试曲一.aac.part"), "left by an earlier version");
  context_.state.tool_path = tools_ / "missing-tool";
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kToolNotStarted);
  EXPECT_EQ(view_.boxes.at(0).title, "下载失败");
  EXPECT_NE(Reason().find("sudo apt install rtmpdump"), std::string::npos) << Reason();
  EXPECT_EQ(view_.disabled_log.size(), 6u);
  EXPECT_EQ(ReadWholeFile(Saved("晨岚测试曲一.aac")), "earlier good download");
  EXPECT_EQ(FilesSaved(), (std::vector<std::string>{"晨岚测试曲一.aac", "晨岚测试曲一.aac.part"}));
}

TEST_F(DownloadJobTest, PartialFilesOfDeadRunsGoAndThoseOfLivingRunsStay) {
  fs::create_directories(context_.download_folder);
  testing_support::WriteWholeFile(Saved("晨岚测试曲一.aac.0badc0de.part"), "left by a killed run");
  std::optional<PartialFile> running = PartialFile::Create(context_.download_folder, "晨岚测试曲一.aac");
  ASSERT_TRUE(running);
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(FilesSaved(), (std::vector<std::string>{"晨岚测试曲一.aac", running->path().filename().string()}));
}

TEST_F(DownloadJobTest, ALinkPlantedUnderAPartialNameIsNeverWrittenThrough) {
  // A neighbour in a shared folder plants a link where the tool used to write.
  fs::create_directories(context_.download_folder);
  testing_support::WriteWholeFile(tools_.path() / "victim", "precious");
  fs::create_symlink(tools_.path() / "victim", Saved("晨岚测试曲一.aac.part"));
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(ReadWholeFile(tools_.path() / "victim"), "precious");
  EXPECT_EQ(SavedAudio("晨岚测试曲一.aac"), audio_);
}

TEST_F(DownloadJobTest, ADownloadFolderThatCannotBeMadeIsAFailure) {
  testing_support::WriteWholeFile(download_folder_.path() / "file", "x");
  context_.download_folder = download_folder_.path() / "file" / "below";
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kNoDownloadFolder);
  EXPECT_EQ(view_.boxes.at(0).title, "下载失败");
  EXPECT_EQ(Reason(), "无法创建下载文件夹 " + context_.download_folder.string());
  EXPECT_FALSE(fs::exists(tools_.path() / "argv"));
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

TEST_F(DownloadJobTest, AHostileTrackNameStaysOneFileInTheDownloadFolder) {
  view_.SetEditText(EditBox::kResult, "../x\" -o \"/tmp/evil");
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  std::string argv = Record();
  EXPECT_EQ(argv.substr(argv.find("-o\n")), "-o\n-\n");
  EXPECT_EQ(FilesSaved(), std::vector<std::string>{"_._x_ -o __tmp_evil.aac"});
  EXPECT_EQ(view_.boxes.at(0).content, "../x\" -o \"/tmp/evil");  // the user sees the real name
}

TEST_F(DownloadJobTest, AnAddressWithBlanksAndQuotesStaysOneArgument) {
  SetAddress("http://127.0.0.1/play/a b.html?x=\"-o\" \"/tmp/evil");
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(Record(),
            "-r\nrtmp://127.0.0.1:1935/rozezeri/\n-p\nhttp://127.0.0.1/play/a%20b.html?x=%22-o%22%20%22/tmp/evil\n"
            "-y\nmp4:music/2015/demo01.mp4\n-s\nhttp://www.example.test/js/mp.swf/\n-o\n-\n");
}

TEST_F(DownloadJobTest, NoSwitchIsGivenAnEmptyValue) {
  // Without a page address "-p" would take "-y" as its value; it is left out.
  for (const char* address : {"", " \r\n"}) {
    SetAddress(address);
    EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded) << address;
    EXPECT_EQ(Record(),
              "-r\nrtmp://127.0.0.1:1935/rozezeri/\n-y\nmp4:music/2015/demo01.mp4\n"
              "-s\nhttp://www.example.test/js/mp.swf/\n-o\n-\n")
        << address;
  }
  // The address the user pasted is taken as the parser took it.
  SetAddress(" www.example.com/play/1.html\n");
  DownloadJob(context_);
  EXPECT_NE(Record().find("-p\nhttp://www.example.com/play/1.html\n-y\n"), std::string::npos) << Record();
}

TEST_F(DownloadJobTest, TheToolsProgressLinesReachTheContextOnTheJobsThread) {
  ScopedEnv progress("TOOL_SAYS",
                     "INFO: Connected...\\n\\r1.000 kB / 0.10 sec (10.0%%)\\r2.500 kB / 0.20 sec (25.0%%)\\n");
  std::vector<std::pair<double, double>> reports;
  std::vector<std::thread::id> threads;
  context_.download_progress = [&](const DownloadProgress& p) {
    reports.emplace_back(p.kilobytes, p.percent.value_or(-1));
    threads.push_back(std::this_thread::get_id());
  };
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kSucceeded);
  EXPECT_EQ(reports, (std::vector<std::pair<double, double>>{{1.0, 10.0}, {2.5, 25.0}}));
  EXPECT_EQ(threads, std::vector<std::thread::id>(2, std::this_thread::get_id()));
}

TEST_F(DownloadJobTest, AStopDuringTheDownloadEndsTheToolKeepsNothingAndShowsNoBox) {
  PutEarlierDownload();
  ScopedEnv hangs("TOOL_HANGS", "1");
  std::string pid_text;
  std::thread stopper([&] {
    for (int i = 0; i < 1000 && (pid_text = ReadWholeFile(tools_.path() / "argv.pid")).empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    context_.stop.Request();
  });
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kStopped);
  stopper.join();
  ASSERT_FALSE(pid_text.empty());
  EXPECT_FALSE(fs::exists("/proc/" + pid_text.substr(0, pid_text.size() - 1)));
  EXPECT_TRUE(view_.boxes.empty());
  EXPECT_TRUE(view_.shown_files.empty());
  // The tool had written its partial file; only the earlier download is left.
  EXPECT_EQ(FilesSaved(), std::vector<std::string>{"晨岚测试曲一.aac"});
  EXPECT_EQ(ReadWholeFile(Saved("晨岚测试曲一.aac")), "earlier good download");
}

TEST_F(DownloadJobTest, AStopRequestedBeforeTheJobStartsNothing) {
  context_.stop.Request();
  EXPECT_EQ(DownloadJob(context_), JobOutcome::kStopped);
  EXPECT_FALSE(fs::exists(tools_.path() / "argv"));
  EXPECT_TRUE(view_.boxes.empty());
  EXPECT_TRUE(view_.disabled_log.empty());
}

TEST_F(DownloadJobTest, AParseStartsTheJobOnAWorkerThatHandsWindowWorkToTheUiThread) {
  std::string script =
      "ab='music/2015/';cd='demo02';var n =\"Demo Track 2\";var t=1;"
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
  EXPECT_EQ(FilesSaved(), std::vector<std::string>{"Demo Track 2.aac"});
  EXPECT_NE(Record().find("mp4:music/2015/demo02.mp4\n"), std::string::npos);
}

}  // namespace
}  // namespace app
