// brivo-cli against the demo site's nginx with the real rtmpdump: a download as a
// user makes it, end to end.
#include <signal.h>

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <tuple>

#include "runtime/gbk.h"
#include "tests/support/child_process.h"
#include "tests/support/cutting_relay.h"
#include "tests/support/demo_site.h"
#include "tests/support/http_test_server.h"
#include "tests/support/process_table.h"
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
    // A portable copy saves into its own folder, so each test runs a copy in a
    // folder of its own.
    UseProgramFolder(folder_.path() / "program");
    testing_support::WriteScript(FileManager(), "printf '%s' \"$1\" > \"$0.record\"\n");
  }

  void UseProgramFolder(const fs::path& folder) {
    program_dir_ = folder;
    fs::create_directories(program_dir_);
    fs::copy_file(BRIVO_CLI_PATH, program_dir_ / "brivo-cli");
  }

  fs::path FileManager() const { return folder_.path() / "file-manager"; }

  std::map<std::string, std::string> Environment(const std::map<std::string, std::string>& env) const {
    std::map<std::string, std::string> environment = site_->ProgramEnvironment();
    environment["BRIVO_FILE_MANAGER"] = FileManager().string();
    environment["BRIVO_DOWNLOAD_DIR"] = "";
    environment["no_proxy"] = "127.0.0.1";
    for (auto& [name, value] : env) environment[name] = value;
    return environment;
  }
  std::vector<std::string> Command(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {(program_dir_ / "brivo-cli").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
  }
  ChildResult Run(const std::vector<std::string>& args, std::map<std::string, std::string> env = {}) {
    return RunChild(Command(args), Environment(env));
  }

  // Files in a folder, the program itself left out.
  std::vector<std::string> FilesIn(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().filename() != "brivo-cli") names.push_back(entry.path().filename().string());
    return names;
  }
  std::vector<std::string> SavedFiles() const { return FilesIn(program_dir_); }

  void PutEarlierDownload() const {
    testing_support::WriteWholeFile(program_dir_ / "晨岚测试曲一.aac", "earlier good download");
  }
  std::string EarlierDownload() const { return testing_support::ReadWholeFile(program_dir_ / "晨岚测试曲一.aac"); }

  static std::unique_ptr<testing_support::DemoSite> site_;
  testing_support::TempDir folder_;
  fs::path program_dir_;
};

std::unique_ptr<testing_support::DemoSite> BrivoCliTest::site_;

TEST_F(BrivoCliTest, DownloadsADemoTrackIntoAProgramFolderGbkCannotName) {
  UseProgramFolder(folder_.path() / "Müsic-ä");
  ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  fs::path saved = program_dir_ / "晨岚测试曲一.aac";
  EXPECT_NE(result.output.find("track: 晨岚测试曲一\npath: music/2015/demo01\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("下载完成: 晨岚测试曲一\nsaved: " + saved.string() + "\n"), std::string::npos)
      << result.output;
  ASSERT_EQ(SavedFiles(), std::vector<std::string>{"晨岚测试曲一.aac"});
  EXPECT_GT(fs::file_size(saved), 1000u);
  ChildResult probe =
      RunChild({"ffprobe", "-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0", saved.string()});
  EXPECT_EQ(probe.output, "aac\n");
  // The tool asked the RTMP server for the page's stream.
  EXPECT_NE(site_->Log().find("mp4:music/2015/demo01.mp4"), std::string::npos);
  // A console user gets the path, not a file manager window.
  EXPECT_FALSE(fs::exists(FileManager().string() + ".record"));
}

// What ffmpeg decodes a file's audio to (16-bit PCM), for comparing sound.
std::string DecodedSound(const fs::path& file) {
  return RunChild({"sh", "-c", "ffmpeg -v error -i \"$0\" -f s16le - | od -An -tx1 | md5sum", file.string()}).output;
}

TEST_F(BrivoCliTest, EachTrackIsSavedAsWhatItsExtensionSaysWithItsTitleAndTheStreamsSound) {
  const std::string aac_page = site_->Get("BRIVO_DEMO_PAGE_URL");
  const std::string mp3_page = aac_page.substr(0, aac_page.rfind("demo01")) + "demo05.html";
  for (const auto& [page, stream, name, format] : {std::tuple{aac_page, "demo01", "晨岚测试曲一.aac", "aac"},
                                                   std::tuple{mp3_page, "demo05", "晨岚测试曲五.mp3", "mp3"}}) {
    const fs::path reference = folder_.path() / (std::string(stream) + ".flv");
    RunChild({"rtmpdump", "-q", "-r", "rtmp://" + site_->Get("BRIVO_SITE_RTMP_HOST") + "/rozezeri/", "-y",
              "mp4:music/2015/" + std::string(stream) + ".mp4", "-o", reference.string()});
    ChildResult result = Run({page});
    ASSERT_EQ(result.exit_code, 0) << result.output;
    const fs::path saved = program_dir_ / name;
    EXPECT_NE(result.output.find("saved: " + saved.string() + "\n"), std::string::npos) << result.output;
    ChildResult probe = RunChild({"ffprobe", "-v", "error", "-show_entries", "format=format_name:format_tags=title",
                                  "-of", "default=noprint_wrappers=1", saved.string()});
    EXPECT_EQ(probe.output,
              "format_name=" + std::string(format) + "\nTAG:title=" + fs::path(name).stem().string() + "\n");
    // Sample for sample the sound of the stream, so as long as it too.
    const std::string sound = DecodedSound(reference);
    EXPECT_EQ(DecodedSound(saved), sound) << name;
    EXPECT_NE(sound, DecodedSound("/dev/null"));
  }
  // Asked for, the stream is kept as it came.
  ChildResult kept = Run({"--keep-flv", aac_page});
  ASSERT_EQ(kept.exit_code, 0) << kept.output;
  EXPECT_EQ(testing_support::ReadWholeFile(program_dir_ / "晨岚测试曲一.flv"),
            testing_support::ReadWholeFile(folder_.path() / "demo01.flv"));
}

TEST_F(BrivoCliTest, SavesWhereTheUserAsksAndTakesTheToolFromAnyFolder) {
  fs::path tools = folder_.path() / "Tööls-ä";
  fs::create_directories(tools);
  fs::create_symlink(RunChild({"sh", "-c", "command -v rtmpdump | tr -d '\\n'"}).output, tools / "rtmpdump");
  fs::path asked = folder_.path() / "Äsked" / "tracks";
  std::string page = site_->Get("BRIVO_DEMO_PAGE_URL");
  ChildResult by_option = Run({"-o", asked.string(), page}, {{"BRIVO_RTMPDUMP", (tools / "rtmpdump").string()}});
  EXPECT_EQ(by_option.exit_code, 0) << by_option.output;
  EXPECT_EQ(FilesIn(asked), std::vector<std::string>{"晨岚测试曲一.aac"});
  fs::path from_environment = folder_.path() / "env-tracks";
  ChildResult by_variable = Run({page}, {{"BRIVO_DOWNLOAD_DIR", from_environment.string()}, {"BRIVO_RTMPDUMP", ""}});
  EXPECT_EQ(by_variable.exit_code, 0) << by_variable.output;
  EXPECT_EQ(FilesIn(from_environment), std::vector<std::string>{"晨岚测试曲一.aac"});
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, AnAddressPastedWithBlanksOrWithoutSchemeIsFetched) {
  std::string page = site_->AddPage("pasted.html", "Demo Track 2", "music/2015/", "demo02");
  for (std::string typed : {"  " + page + "\n", page.substr(std::string("http://").size())}) {
    ChildResult result = Run({"--parse-only", typed});
    EXPECT_EQ(result.exit_code, 0) << typed;
    EXPECT_EQ(result.output, "track: Demo Track 2\npath: music/2015/demo02\n") << typed;
  }
  ChildResult unusable = Run({"ftp://127.0.0.1/x"});
  EXPECT_EQ(unusable.exit_code, 2);
  EXPECT_EQ(unusable.output, "提示：: 请输入播放地址 \n");
}

TEST_F(BrivoCliTest, ParseOnlyPrintsTheResultsAndDownloadsNothing) {
  ChildResult result = Run({"--parse-only", site_->AddPage("latin.html", "Demo Track 2", "music/2015/", "demo02")});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.output, "track: Demo Track 2\npath: music/2015/demo02\n");
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, ParseOnlyWithoutAUsablePlayPathIsAnError) {
  EXPECT_EQ(Run({"--parse-only", site_->AddFile("none.html", "<html>no player here</html>")}).exit_code, 2);
  EXPECT_EQ(Run({"--parse-only", site_->AddPage("blank.html", "x", "music/2015/ a", "b")}).exit_code, 2);
}

TEST_F(BrivoCliTest, AMissingStreamFailsAndLeavesNoFile) {
  ChildResult result = Run({site_->AddPage("missing.html", "不存在的曲", "music/2015/", "demo99")});
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_NE(result.output.find("下载失败: 不存在的曲\n"), std::string::npos) << result.output;
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, AStreamServerThatIsDownLeavesAnEarlierDownloadAlone) {
  PutEarlierDownload();
  std::string down = "127.0.0.1:" + std::to_string(testing_support::ClosedPort());
  ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")}, {{"BRIVO_SITE_RTMP_HOST", down}});
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_NE(result.output.find("下载失败: 晨岚测试曲一\n"), std::string::npos) << result.output;
  EXPECT_EQ(SavedFiles(), std::vector<std::string>{"晨岚测试曲一.aac"});
  EXPECT_EQ(EarlierDownload(), "earlier good download");
}

TEST_F(BrivoCliTest, AMissingToolIsAFailureThatSaysWhatToInstall) {
  PutEarlierDownload();
  ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")}, {{"BRIVO_RTMPDUMP", "/nonexistent/rtmpdump"}});
  EXPECT_EQ(result.exit_code, 1) << result.output;
  EXPECT_NE(result.output.find("下载失败: 晨岚测试曲一\n"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("下载完成"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("/nonexistent/rtmpdump"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("apt install rtmpdump"), std::string::npos) << result.output;
  EXPECT_EQ(EarlierDownload(), "earlier good download");
}

TEST_F(BrivoCliTest, ControlCharactersOfAPageNeverReachTheTerminal) {
  std::string name = "\x1b[31mred\x1b]0;title\x07\x1b[2J";
  ChildResult result = Run({site_->AddPage("escapes.html", name, "music/2015/", "demo03")});
  EXPECT_EQ(result.exit_code, 0) << result.output;
  EXPECT_EQ(result.output.find('\x1b'), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find('\x07'), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("track: \\x1b[31mred\\x1b]0;title\\x07\\x1b[2J\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("下载完成: \\x1b[31mred"), std::string::npos) << result.output;
}

TEST_F(BrivoCliTest, AHostileTrackNameCannotWriteOutsideTheProgramFolder) {
  fs::path outside = folder_.path() / "evil.aac";
  std::string name = "../evil\" -o \"" + outside.string();
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
  EXPECT_TRUE(SavedFiles().empty());
}

TEST_F(BrivoCliTest, CtrlCStopsTheDownloadRemovesThePartialFileAndLeavesNoTool) {
  PutEarlierDownload();
  testing_support::WriteWholeFile(program_dir_ / "晨岚测试长曲四.aac", "earlier good download");
  const fs::path output = folder_.path() / "output";
  pid_t cli = testing_support::StartChild(Command({site_->LongTrackPage()}),
                                          Environment({{"BRIVO_RTMPDUMP", site_->RealtimeTool()}}), output);
  ASSERT_NE(cli, 0);
  // Half a second of stream on disk, then Ctrl+C as a terminal sends it: to the
  // whole foreground group.
  std::vector<pid_t> tools;
  fs::path partial;
  for (int i = 0; i < 1000; ++i) {
    partial = testing_support::PartialFile(program_dir_, "晨岚测试长曲四");
    std::error_code error;
    if (!partial.empty() && fs::file_size(partial, error) > 4000) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  tools = testing_support::ChildProcesses(cli, "rtmpdump");
  ASSERT_FALSE(partial.empty());
  auto interrupted = std::chrono::steady_clock::now();
  ASSERT_EQ(kill(-cli, SIGINT), 0);
  EXPECT_EQ(testing_support::WaitChild(cli), 130);
  EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(1));
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_FALSE(testing_support::ProcessRunning(tools[0]));
  EXPECT_FALSE(fs::exists(partial));
  EXPECT_EQ(testing_support::ReadWholeFile(program_dir_ / "晨岚测试长曲四.aac"), "earlier good download");
  EXPECT_EQ(EarlierDownload(), "earlier good download");
  std::string printed = testing_support::ReadWholeFile(output);
  EXPECT_NE(printed.find("brivo-cli: download stopped"), std::string::npos) << printed;
  // Neither a box line nor progress: the output is no terminal.
  EXPECT_EQ(printed.find("下载"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("downloading"), std::string::npos) << printed;
}

TEST_F(BrivoCliTest, OnATerminalTheProgressIsOneLineRedrawnAndWipedBeforeTheResult) {
  // script(1) gives brivo-cli a terminal as its standard streams.
  std::string command = "'" + (program_dir_ / "brivo-cli").string() + "' '" + site_->Get("BRIVO_DEMO_PAGE_URL") + "'";
  ChildResult result =
      RunChild({"script", "-qec", command, "/dev/null"}, Environment({{"BRIVO_RTMPDUMP", site_->RealtimeTool()}}));
  EXPECT_EQ(result.exit_code, 0) << result.output;
  const size_t first = result.output.find("\r\x1b[Kdownloading: ");
  const size_t done = result.output.find("下载完成: 晨岚测试曲一");
  ASSERT_NE(first, std::string::npos) << result.output;
  ASSERT_NE(done, std::string::npos) << result.output;
  EXPECT_NE(result.output.find("%)\r\x1b[Kdownloading: ", first), std::string::npos) << result.output;
  EXPECT_EQ(result.output.substr(done - 4, 4), "\r\x1b[K");  // wiped, not left above the result
  // rtmpdump's own console output stays hidden.
  EXPECT_EQ(result.output.find("RTMPDump"), std::string::npos) << result.output;
}

TEST_F(BrivoCliTest, HelpGoesToStandardOutputAndBadUsageIsRefused) {
  ChildResult help = RunChild({"sh", "-c", "\"$0\" --help 2>/dev/null", (program_dir_ / "brivo-cli").string()});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.output.rfind(
                "usage: brivo-cli [--parse-only] [--keep-flv] [-o DIR | --output-dir DIR] <play-page-address>\n", 0),
            0u)
      << help.output;
  for (std::vector<std::string> bad :
       std::vector<std::vector<std::string>>{{}, {"a", "b"}, {"--bogus", "a"}, {"-o"}, {"-o", "", "a"}})
    EXPECT_EQ(Run(bad).exit_code, 64) << bad.size();
  ChildResult on_stderr = RunChild({"sh", "-c", "\"$0\" --bogus a >/dev/null", (program_dir_ / "brivo-cli").string()});
  EXPECT_EQ(on_stderr.exit_code, 64);
  EXPECT_EQ(on_stderr.output.rfind("usage: brivo-cli", 0), 0u) << on_stderr.output;
  EXPECT_TRUE(SavedFiles().empty());
}

// --- faults on the way: a full disk, a dropped stream, a neighbour, a kill -----------

// A small file system of its own, as a nearly full disk is (root only).
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& folder) : folder_(folder) {
    fs::create_directories(folder_);
    mounted_ = RunChild({"mount", "-t", "tmpfs", "-o", "size=800k", "tmpfs", folder_.string()}).exit_code == 0;
  }
  ~SmallDisk() {
    if (mounted_) RunChild({"umount", "-l", folder_.string()});
  }
  bool mounted() const { return mounted_; }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

TEST_F(BrivoCliTest, AFullDiskIsAFailureThatKeepsTheEarlierCompleteFile) {
  const fs::path disk = folder_.path() / "disk";
  SmallDisk small(disk);
  if (!small.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  // The one-minute track's stream (about 528 KB) fits once, not twice: the
  // disk fills while the tool writes.
  ChildResult first = Run({"--keep-flv", "-o", disk.string(), site_->LongTrackPage()});
  ASSERT_EQ(first.exit_code, 0) << first.output;
  const fs::path saved = disk / "晨岚测试长曲四.flv";
  const std::string complete = testing_support::ReadWholeFile(saved);
  ChildResult second = Run({"--keep-flv", "-o", disk.string(), site_->LongTrackPage()});
  EXPECT_EQ(second.exit_code, 1) << second.output;
  EXPECT_NE(second.output.find("下载失败: 晨岚测试长曲四\n"), std::string::npos) << second.output;
  EXPECT_NE(second.output.find("brivo-cli: 下载工具出错：Download: Failed writing"), std::string::npos)
      << second.output;
  EXPECT_EQ(testing_support::ReadWholeFile(saved), complete);
  EXPECT_EQ(FilesIn(disk), std::vector<std::string>{"晨岚测试长曲四.flv"});
  // The stream fits, and its audio beside it does not: the disk fills while
  // the audio is written out.
  fs::remove(saved);
  ChildResult third = Run({"-o", disk.string(), site_->LongTrackPage()});
  EXPECT_EQ(third.exit_code, 1) << third.output;
  EXPECT_NE(third.output.find("brivo-cli: 无法保存文件 " + (disk / "晨岚测试长曲四.aac").string()), std::string::npos)
      << third.output;
  EXPECT_TRUE(FilesIn(disk).empty());
}

TEST_F(BrivoCliTest, AStreamCutHalfWayIsAFailureThatKeepsTheEarlierFile) {
  testing_support::CuttingRelay relay(std::stoi(site_->Get("BRIVO_DEMO_RTMP_PORT")), 200000);
  testing_support::WriteWholeFile(program_dir_ / "晨岚测试长曲四.aac", "earlier good download");
  ChildResult cut =
      Run({site_->LongTrackPage()}, {{"BRIVO_SITE_RTMP_HOST", "127.0.0.1:" + std::to_string(relay.port())}});
  EXPECT_EQ(cut.exit_code, 1) << cut.output;
  EXPECT_NE(cut.output.find("下载失败: 晨岚测试长曲四\n"), std::string::npos) << cut.output;
  EXPECT_NE(cut.output.find("brivo-cli: 数据流提前结束，下载不完整\n"), std::string::npos) << cut.output;
  EXPECT_EQ(testing_support::ReadWholeFile(program_dir_ / "晨岚测试长曲四.aac"), "earlier good download");
  EXPECT_EQ(SavedFiles(), std::vector<std::string>{"晨岚测试长曲四.aac"});
}

TEST_F(BrivoCliTest, TwoDownloadsOfOneTrackIntoOneFolderBothSaveTheWholeTrack) {
  const fs::path shared = folder_.path() / "shared";
  const fs::path reference = folder_.path() / "reference.flv";
  RunChild({"rtmpdump", "-q", "-r", "rtmp://" + site_->Get("BRIVO_SITE_RTMP_HOST") + "/rozezeri/", "-y",
            "mp4:music/2015/demo01.mp4", "-o", reference.string()});
  const auto environment = Environment({{"BRIVO_RTMPDUMP", site_->RealtimeTool()}});
  const std::vector<std::string> command = Command({"-o", shared.string(), site_->Get("BRIVO_DEMO_PAGE_URL")});
  pid_t first = testing_support::StartChild(command, environment, folder_.path() / "first");
  pid_t second = testing_support::StartChild(command, environment, folder_.path() / "second");
  EXPECT_EQ(testing_support::WaitChild(first), 0) << testing_support::ReadWholeFile(folder_.path() / "first");
  EXPECT_EQ(testing_support::WaitChild(second), 0) << testing_support::ReadWholeFile(folder_.path() / "second");
  EXPECT_EQ(FilesIn(shared), std::vector<std::string>{"晨岚测试曲一.aac"});
  EXPECT_EQ(DecodedSound(shared / "晨岚测试曲一.aac"), DecodedSound(reference));
}

TEST_F(BrivoCliTest, AKilledRunTakesItsToolAlongAndTheNextRunClearsWhatItLeft) {
  pid_t cli =
      testing_support::StartChild(Command({site_->LongTrackPage()}),
                                  Environment({{"BRIVO_RTMPDUMP", site_->RealtimeTool()}}), folder_.path() / "output");
  fs::path partial;
  for (int i = 0; i < 1000 && partial.empty(); ++i) {
    partial = testing_support::PartialFile(program_dir_, "晨岚测试长曲四");
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const std::vector<pid_t> tools = testing_support::ChildProcesses(cli, "rtmpdump");
  ASSERT_EQ(tools.size(), 1u);
  kill(cli, SIGKILL);
  testing_support::WaitChild(cli);
  EXPECT_TRUE(testing_support::EndsSoon(tools[0]));
  ASSERT_TRUE(fs::exists(partial));  // nothing of a killed program can clean up
  ChildResult next = Run({site_->Get("BRIVO_DEMO_PAGE_URL")});
  EXPECT_EQ(next.exit_code, 0) << next.output;
  EXPECT_EQ(SavedFiles(), std::vector<std::string>{"晨岚测试曲一.aac"});
}

}  // namespace
