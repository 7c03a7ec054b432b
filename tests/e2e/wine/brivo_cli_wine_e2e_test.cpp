// brivo-cli.exe under Wine against the demo site's nginx (a Linux process on
// loopback), with the rtmpdump.exe that the program holds: the Windows
// program as a user runs it, end to end.
#include <signal.h>

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "tests/support/child_process.h"
#include "tests/support/demo_site.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wine_path.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ChildResult;
using testing_support::RunChild;
using testing_support::WindowsPath;

// What a Windows program printed, with its text-mode "\r\n" line ends as "\n"
// and without the cursor hiding and showing that Wine's console adds.
std::string Printed(std::string output) {
  for (const std::string noise : {"\r\n", "\x1b[?25l", "\x1b[?25h"})
    for (size_t at; (at = output.find(noise)) != std::string::npos;)
      output.replace(at, noise.size(), noise == "\r\n" ? "\n" : "");
  return output;
}

// The processes whose command line holds `text`.
int ProcessesWith(const std::string& text) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::string line = testing_support::ReadWholeFile(entry.path() / "cmdline");
    if (line.find(text) != std::string::npos) ++count;
  }
  return count;
}

// Runs a Wine command to its end with its output dropped.
void RunQuietly(const std::vector<std::string>& argv) {
  const std::map<std::string, std::string> env = {{"WINEPREFIX", BRIVO_WINE_PREFIX}, {"WINEDEBUG", "-all"}};
  testing_support::WaitChild(testing_support::StartChild(argv, env, "/dev/null"));
}

class BrivoCliWineTest : public ::testing::Test {
 protected:
  // One Wine server for the suite, so that a run neither starts one nor waits
  // for it to end (three seconds after its last program). What a run prints
  // goes into a file (Run), as Wine's own services that a run may start keep
  // their output open as long as the server lives.
  static void SetUpTestSuite() {
    RunQuietly({BRIVO_WINESERVER, "--persistent"});
    RunQuietly({BRIVO_WINE, "cmd.exe", "/c", "exit"});
    site_ = std::make_unique<testing_support::DemoSite>();
  }
  static void TearDownTestSuite() {
    site_.reset();
    RunQuietly({BRIVO_WINESERVER, "--kill"});
  }

  BrivoCliWineTest() { UseProgramFolder(folder_.path() / "program"); }

  void UseProgramFolder(const fs::path& folder) {
    program_dir_ = folder;
    fs::create_directories(program_dir_);
    fs::copy_file(BRIVO_CLI_EXE, program_dir_ / "brivo-cli.exe");
  }

  std::map<std::string, std::string> Environment(const std::map<std::string, std::string>& env = {}) const {
    std::map<std::string, std::string> environment = site_->ProgramEnvironment();
    environment["WINEPREFIX"] = BRIVO_WINE_PREFIX;
    environment["WINEDEBUG"] = "-all";
    environment["DISPLAY"] = "";
    environment["BRIVO_DOWNLOAD_DIR"] = "";
    environment["no_proxy"] = "127.0.0.1";
    for (auto& [name, value] : env) environment[name] = value;
    return environment;
  }
  std::vector<std::string> Command(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {BRIVO_WINE, (program_dir_ / "brivo-cli.exe").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
  }
  ChildResult Run(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {}) {
    ChildResult result = testing_support::RunChildIntoFile(Command(args), Environment(env), folder_.path() / "output");
    result.output = Printed(result.output);
    if (result.end_signal) result.output += "\n(ended by signal " + std::to_string(result.end_signal) + ")";
    return result;
  }

  // A tool that asks for a one-second play buffer, so that nginx sends the
  // stream in real time: a batch file around a copy of the held rtmpdump.exe.
  std::string RealtimeTool() const {
    fs::copy_file(BRIVO_RTMPDUMP_EXE, folder_.path() / "rtmpdump.exe", fs::copy_options::skip_existing);
    const fs::path batch = folder_.path() / "realtime.cmd";
    testing_support::WriteWholeFile(batch, "@\"" + WindowsPath(folder_.path() / "rtmpdump.exe") + "\" -b 1000 %*\r\n");
    return WindowsPath(batch);
  }

  static std::unique_ptr<testing_support::DemoSite> site_;
  testing_support::TempDir folder_;
  fs::path program_dir_;
};

std::unique_ptr<testing_support::DemoSite> BrivoCliWineTest::site_;

TEST_F(BrivoCliWineTest, DownloadsIntoANonAsciiProgramFolderWithTheToolItHolds) {
  UseProgramFolder(folder_.path() / "Müsic-ä 晨岚");
  ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  const fs::path saved = program_dir_ / "晨岚测试曲一.aac";
  EXPECT_NE(result.output.find("track: 晨岚测试曲一\npath: music/2015/demo01\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("下载完成: 晨岚测试曲一\nsaved: " + WindowsPath(saved) + "\n"), std::string::npos)
      << result.output;
  EXPECT_GT(fs::file_size(saved), 1000u);
  // The tool was written beside the program, and a second start uses it as it is.
  const fs::path tool = program_dir_ / "下载器_.exe";
  EXPECT_EQ(fs::file_size(tool), fs::file_size(BRIVO_RTMPDUMP_EXE));
  testing_support::WriteWholeFile(tool, "not a program");
  ChildResult second = Run({site_->Get("BRIVO_DEMO_PAGE_URL")});
  EXPECT_EQ(second.exit_code, 1) << second.output;
  EXPECT_EQ(testing_support::ReadWholeFile(tool), "not a program");
}

TEST_F(BrivoCliWineTest, SavesWhereTheUserAsks) {
  const fs::path asked = folder_.path() / "曲库 out";
  ChildResult result = Run({"-o", asked.string(), site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  EXPECT_TRUE(fs::exists(asked / "晨岚测试曲一.aac"));
  EXPECT_FALSE(fs::exists(program_dir_ / "晨岚测试曲一.aac"));
}

// Without a tool the job's thread ends at about the moment the program does;
// the program once ended before that thread had, which under Wine killed it
// with a SIGSEGV in about one run of ten: so it runs many times.
TEST_F(BrivoCliWineTest, AMissingToolIsAFailureAndTheProgramEndsNormallyEveryTime) {
  for (int run = 0; run < 30; ++run) {
    ChildResult result = Run({site_->Get("BRIVO_DEMO_PAGE_URL")}, {{"BRIVO_RTMPDUMP", "C:\\nowhere\\rtmpdump.exe"}});
    ASSERT_EQ(result.exit_code, 1) << "run " << run << ":\n" << result.output;
    ASSERT_NE(result.output.find("下载失败: 晨岚测试曲一\n"), std::string::npos) << result.output;
    ASSERT_NE(result.output.find("C:\\nowhere\\rtmpdump.exe"), std::string::npos) << result.output;
    // On Windows nobody installs rtmpdump: the program writes its own.
    ASSERT_NE(result.output.find("程序会把下载工具写进自己所在的文件夹"), std::string::npos) << result.output;
    ASSERT_EQ(result.output.find("apt install"), std::string::npos) << result.output;
    ASSERT_TRUE(testing_support::PartialFiles(program_dir_).empty());
  }
}

TEST_F(BrivoCliWineTest, CtrlCStopsTheDownloadEndsTheToolAndRemovesThePartialFile) {
  const fs::path output = folder_.path() / "output";
  const std::string tool = RealtimeTool();
  pid_t cli =
      testing_support::StartChild(Command({site_->LongTrackPage()}), Environment({{"BRIVO_RTMPDUMP", tool}}), output);
  ASSERT_NE(cli, 0);
  fs::path partial;
  for (int i = 0; i < 3000 && partial.empty(); ++i) {
    std::error_code error;
    fs::path found = testing_support::PartialFile(program_dir_, "晨岚测试长曲四");
    if (!found.empty() && fs::file_size(found, error) > 4000) partial = found;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_FALSE(partial.empty()) << testing_support::ReadWholeFile(output);
  ASSERT_EQ(kill(-cli, SIGINT), 0);  // Wine hands it to the program as a Ctrl+C console event
  EXPECT_EQ(testing_support::WaitChild(cli), 130);
  EXPECT_FALSE(fs::exists(partial));
  std::string printed = Printed(testing_support::ReadWholeFile(output));
  EXPECT_NE(printed.find("brivo-cli: download stopped"), std::string::npos) << printed;
  // The job object took the tool along.
  const std::string tool_name = WindowsPath(folder_.path() / "rtmpdump.exe");
  for (int i = 0; i < 200 && ProcessesWith(tool_name) > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ProcessesWith(tool_name), 0);
}

TEST_F(BrivoCliWineTest, OnAConsoleTheProgressIsOneLineRedrawn) {
  // script(1) gives Wine a terminal, which it makes the program's console.
  const std::string command = "'" + std::string(BRIVO_WINE) + "' '" + (program_dir_ / "brivo-cli.exe").string() +
                              "' '" + site_->Get("BRIVO_DEMO_PAGE_URL") + "'";
  ChildResult result =
      RunChild({"script", "-qec", command, "/dev/null"}, Environment({{"BRIVO_RTMPDUMP", RealtimeTool()}}));
  EXPECT_EQ(result.exit_code, 0) << result.output;
  // Wine's console draws the line anew on the terminal: each report wipes the
  // one before, and the last is wiped before the result.
  const std::string printed = Printed(result.output);
  const size_t first = printed.find("downloading:");
  ASSERT_NE(first, std::string::npos) << printed;
  EXPECT_NE(printed.find("%)\r\x1b[Kdownloading: ", first), std::string::npos) << printed;
  EXPECT_NE(printed.find("%)\r\x1b[K下载完成: 晨岚测试曲一"), std::string::npos) << printed;
}

}  // namespace
