// brivo-cli against the demo site's nginx with the real rtmpdump: a download as a
// user makes it, end to end.
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "runtime/gbk.h"
#include "tests/support/child_process.h"
#include "tests/support/demo_site.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ChildResult;
using testing_support::RunChild;

class BrivoCliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { site_ = std::make_unique<testing_support::DemoSite>(); }
  static void TearDownTestSuite() { site_.reset(); }

  BrivoCliTest() {
    // The program saves into its own folder, so each test runs a copy in a folder of its own.
    fs::copy_file(BRIVO_CLI_PATH, program_dir_.path() / "brivo-cli");
    testing_support::WriteScript(program_dir_.path().parent_path() / Shown(),
                                 "printf '%s' \"$1\" > \"$0.record\"\n");
  }

  std::string Shown() const { return program_dir_.path().filename().string() + "-show"; }

  ChildResult Run(const std::vector<std::string>& args, std::map<std::string, std::string> env = {}) {
    std::map<std::string, std::string> environment = site_->ProgramEnvironment();
    environment["BRIVO_FILE_MANAGER"] = (program_dir_.path().parent_path() / Shown()).string();
    environment["no_proxy"] = "127.0.0.1";
    for (auto& [name, value] : env) environment[name] = value;
    std::vector<std::string> argv = {(program_dir_.path() / "brivo-cli").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunChild(argv, environment);
  }

  // Files in the program folder besides the program itself.
  std::vector<std::string> SavedFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(program_dir_.path()))
      if (entry.path().filename() != "brivo-cli") names.push_back(entry.path().filename().string());
    return names;
  }

  static std::unique_ptr<testing_support::DemoSite> site_;
  testing_support::TempDir program_dir_;
};

std::unique_ptr<testing_support::DemoSite> BrivoCliTest::site_;

TEST_F(BrivoCliTest, DownloadsADemoTrackIntoTheProgramFolder) {
  ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  EXPECT_NE(result.output.find("track: 晨岚测试曲一\npath: music/2015/demo01\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("下载完成: 晨岚测试曲一\n"), std::string::npos) << result.output;
  fs::path saved = program_dir_.path() / "晨岚测试曲一.aac";
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_GT(fs::file_size(saved), 1000u);
  ChildResult probe = RunChild({"ffprobe", "-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0",
                                saved.string()});
  EXPECT_EQ(probe.output, "aac\n");
  // The tool asked the RTMP server for the page's stream.
  EXPECT_NE(site_->Log().find("mp4:music/2015/demo01.mp4"), std::string::npos);
}

TEST_F(BrivoCliTest, ParseOnlyPrintsTheResultsAndDownloadsNothing) {
  ChildResult result = Run({"--parse-only", site_->AddPage("latin.html", "Demo Track 2", "music/2015/", "demo02")});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.output, "track: Demo Track 2\npath: music/2015/demo02\n");
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, AMissingStreamFailsAndLeavesNoFile) {
  ChildResult result = Run({site_->AddPage("missing.html", "不存在的曲", "music/2015/", "demo99")});
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_NE(result.output.find("下载失败: 不存在的曲\n"), std::string::npos) << result.output;
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, AStreamServerThatIsDownFailsAndLeavesNoFile) {
  std::string down = "127.0.0.1:" + std::to_string(testing_support::ClosedPort());
  ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")}, {{"BRIVO_SITE_RTMP_HOST", down}});
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, AHostileTrackNameCannotWriteOutsideTheProgramFolder) {
  fs::path outside = program_dir_.path().parent_path() / (program_dir_.path().filename().string() + "-evil.aac");
  std::string name = "../" + outside.stem().string() + "\" -o \"" + outside.string();
  ChildResult result = Run({site_->AddPage("hostile.html", name, "music/2015/", "demo03")});
  EXPECT_EQ(result.exit_code, 0) << result.output;
  EXPECT_FALSE(fs::exists(outside));
  ASSERT_EQ(SavedFiles().size(), 1u);
  EXPECT_EQ(SavedFiles()[0].find('/'), std::string::npos);
  EXPECT_EQ(SavedFiles()[0].rfind("_._", 0), 0u) << SavedFiles()[0];
}

TEST_F(BrivoCliTest, PagesThatDoNotParseAndEmptyAddressesAreErrors) {
  ChildResult not_a_play_page = Run({site_->AddFile("plain.html", "<html>no player here</html>")});
  EXPECT_EQ(not_a_play_page.exit_code, 2);
  EXPECT_NE(not_a_play_page.output.find("错误: 由于网络原因或网站更新导致本次解析失败! \n"), std::string::npos);
  ChildResult hostile_path = Run({site_->AddPage("path.html", "x", "music/2015/ -o /tmp/", "x")});
  EXPECT_EQ(hostile_path.exit_code, 2) << hostile_path.output;
  ChildResult empty = Run({""});
  EXPECT_EQ(empty.exit_code, 2);
  EXPECT_EQ(empty.output, "提示：: 请输入播放地址 \n");
  EXPECT_EQ(Run({}).exit_code, 64);
  EXPECT_EQ(Run({"a", "b"}).exit_code, 64);
  EXPECT_EQ(Run({"--bogus", "a"}).exit_code, 64);
  EXPECT_TRUE(SavedFiles().empty());
}

}  // namespace
