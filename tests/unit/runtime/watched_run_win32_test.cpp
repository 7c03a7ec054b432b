// RunWatchedProgram on Windows with cmd.exe as the program: output lines, the
// exit code, the output file, and a stop that ends the program at once.
#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>
#include <chrono>
#include <thread>

#include "runtime/process.h"
#include "runtime/stop_signal.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using namespace std::chrono_literals;

TEST(WatchedRun, ReportsEachLineOfBothStreamsAndTheExitCode) {
  std::vector<std::string> lines;
  ProgramWatch watch{.on_line = [&lines](std::string_view line) { lines.emplace_back(line); }};
  ProgramEnd end = RunWatchedProgram("cmd /c \"echo one& echo two 1>&2& exit 3\"", {}, watch);
  EXPECT_TRUE(end.started);
  EXPECT_FALSE(end.stopped);
  EXPECT_EQ(end.exit_code, 3);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two "}));
}

TEST(WatchedRun, AProgramThatCannotStartAndAStopBeforeTheStart) {
  EXPECT_FALSE(RunWatchedProgram("no-such-program-anywhere.exe", {}, {}).started);
  StopSignal stop;
  stop.Request();
  ProgramEnd end = RunWatchedProgram("cmd /c exit 0", {}, {.stop = &stop});
  EXPECT_FALSE(end.started);
  EXPECT_TRUE(end.stopped);
}

TEST(WatchedRun, StandardOutputGoesIntoTheOutputFile) {
  testing_support::TempDir dir;
  const int file = _wopen((dir.path() / "out").c_str(), _O_CREAT | _O_RDWR | _O_BINARY, 0600);
  ASSERT_GE(file, 0);
  std::vector<std::string> lines;
  ProgramWatch watch{.on_line = [&lines](std::string_view line) { lines.emplace_back(line); }, .output_file = file};
  EXPECT_EQ(RunWatchedProgram("cmd /c \"echo data& echo note 1>&2\"", {}, watch).exit_code, 0);
  _close(file);
  EXPECT_EQ(testing_support::ReadWholeFile(dir.path() / "out"), "data\r\n");
  EXPECT_EQ(lines, std::vector<std::string>{"note "});
}

TEST(WatchedRun, AStopEndsTheProgramAtOnce) {
  StopSignal stop;
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(300ms);
    stop.Request();
  });
  const auto started = std::chrono::steady_clock::now();
  // cmd starts ping, which would wait half a minute.
  ProgramEnd end = RunWatchedProgram("cmd /c \"ping -n 30 127.0.0.1 >NUL\"", {}, {.stop = &stop});
  stopper.join();
  EXPECT_TRUE(end.stopped);
  EXPECT_TRUE(end.killed);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}

}  // namespace
}  // namespace runtime
