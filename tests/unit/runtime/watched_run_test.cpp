// RunWatchedProgram with small shell scripts: output lines, stops, and that no
// process or zombie is left behind in any path.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "runtime/process.h"
#include "runtime/stop_signal.h"
#include "runtime/unique_fd.h"
#include "tests/support/process_table.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing_support::ReadWholeFile;
using testing_support::TempDir;
using testing_support::WriteScript;

// Our own child, ended and already collected: nothing is left to wait for.
bool Reaped(pid_t pid) {
  return waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD && !testing_support::ProcessRunning(pid);
}

pid_t WaitForPidFile(const std::filesystem::path& file) {
  for (int i = 0; i < 500; ++i) {
    if (std::filesystem::exists(file)) {
      std::string text = ReadWholeFile(file);
      if (!text.empty() && text.back() == '\n') return static_cast<pid_t>(std::stol(text));
    }
    std::this_thread::sleep_for(10ms);
  }
  return 0;
}

class WatchedRunTest : public ::testing::Test {
 protected:
  std::string Script(const std::string& name, const std::string& body) {
    WriteScript(dir_.path() / name, body);
    return dir_ / name;
  }

  // Runs `command` on a thread and raises the stop once `pid_file` names the program.
  struct Stopped {
    ProgramEnd end;
    pid_t pid = 0;
    Clock::duration after_request{};
  };
  Stopped RunAndStop(const std::string& command, const std::string& pid_file) {
    StopSignal stop;
    Stopped result;
    Clock::time_point requested;
    std::thread stopper([&] {
      result.pid = WaitForPidFile(dir_.path() / pid_file);
      requested = Clock::now();
      stop.Request();
    });
    result.end = RunWatchedProgram(command, {.working_directory = dir_.path()}, {.stop = &stop});
    result.after_request = Clock::now() - requested;
    stopper.join();
    return result;
  }

  static void ExpectEndedPromptly(const Stopped& run) {
    ASSERT_NE(run.pid, 0) << "the program never started";
    EXPECT_TRUE(run.end.started);
    EXPECT_TRUE(run.end.stopped);
    EXPECT_LT(run.after_request, 1s);
    EXPECT_TRUE(Reaped(run.pid));
  }

  TempDir dir_;
};

TEST_F(WatchedRunTest, HandsOverStandardOutputAndErrorLineByLine) {
  std::string script = Script("talk", "printf 'one\\rtwo\\n'; printf 'err\\n' >&2; printf 'last'; exit 4\n");
  std::vector<std::string> lines;
  ProgramEnd end = RunWatchedProgram(script, {}, {.on_line = [&](std::string_view l) { lines.emplace_back(l); }});
  EXPECT_TRUE(end.started);
  EXPECT_FALSE(end.stopped);
  EXPECT_EQ(end.exit_code, 4);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "err", "last"}));
}

TEST_F(WatchedRunTest, StandardOutputCanGoIntoAnOpenFileWhileErrorLinesAreHandedOver) {
  std::string script = Script("writer", "printf 'data\\0bytes'; printf 'progress\\n' >&2\n");
  testing_support::WriteWholeFile(dir_.path() / "out", "");
  UniqueFd file(::open((dir_.path() / "out").c_str(), O_WRONLY | O_CLOEXEC));
  std::vector<std::string> lines;
  ProgramEnd end = RunWatchedProgram(
      script, {}, {.on_line = [&](std::string_view l) { lines.emplace_back(l); }, .output_file = file.get()});
  EXPECT_EQ(end.exit_code, 0);
  EXPECT_EQ(ReadWholeFile(dir_.path() / "out"), std::string("data\0bytes", 10));
  EXPECT_EQ(lines, std::vector<std::string>{"progress"});
}

TEST_F(WatchedRunTest, TheProgramDiesWithTheProcessThatWatchesIt) {
  // The watcher is killed outright: nothing of ours can run, yet the program goes too.
  std::string script = Script("lingers", "echo $$ > pid; exec sleep 30\n");
  const pid_t watcher = fork();
  ASSERT_GE(watcher, 0);
  if (watcher == 0) {
    RunWatchedProgram(script, {.working_directory = dir_.path()}, {});
    _exit(0);
  }
  const pid_t program = WaitForPidFile(dir_.path() / "pid");
  kill(watcher, SIGKILL);
  waitpid(watcher, nullptr, 0);
  ASSERT_NE(program, 0);
  EXPECT_TRUE(testing_support::EndsSoon(program));
}

TEST_F(WatchedRunTest, OutputNeverReachesOurOwnStandardStreams) {
  std::string script = Script("noisy", "echo to-stdout; echo to-stderr >&2; read line; echo \"read:$line\"\n");
  std::filesystem::path ours = dir_.path() / "ours";
  // Our standard output and error go to a file while the program runs.
  int saved_out = dup(STDOUT_FILENO), saved_err = dup(STDERR_FILENO);
  int file = ::open(ours.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(file, 0);
  dup2(file, STDOUT_FILENO);
  dup2(file, STDERR_FILENO);
  std::vector<std::string> lines;
  ProgramEnd end = RunWatchedProgram(script, {}, {.on_line = [&](std::string_view l) { lines.emplace_back(l); }});
  ProgramEnd dropped = RunWatchedProgram(script, {}, {});
  dup2(saved_out, STDOUT_FILENO);
  dup2(saved_err, STDERR_FILENO);
  ::close(saved_out);
  ::close(saved_err);
  ::close(file);
  EXPECT_EQ(end.exit_code, 0);
  EXPECT_EQ(dropped.exit_code, 0);
  EXPECT_EQ(ReadWholeFile(ours), "");
  // Its input is empty rather than our terminal.
  EXPECT_EQ(lines, (std::vector<std::string>{"to-stdout", "to-stderr", "read:"}));
}

TEST_F(WatchedRunTest, AStopEndsTheProgramAndWhatItStartedPromptly) {
  std::string script = Script("slow", "sleep 30 & echo $! > child; echo $$ > pid; wait\n");
  Stopped run = RunAndStop(script, "pid");
  ExpectEndedPromptly(run);
  // The grandchild went with its group (it may wait as a zombie for its new parent).
  EXPECT_TRUE(testing_support::EndsSoon(WaitForPidFile(dir_.path() / "child")));
}

TEST_F(WatchedRunTest, AProgramThatIgnoresTheStopIsKilled) {
  std::string script = Script("stubborn", "trap '' TERM; echo $$ > pid; while :; do sleep 0.05; done\n");
  Stopped run = RunAndStop(script, "pid");
  ExpectEndedPromptly(run);  // half a second after SIGTERM came SIGKILL
}

TEST_F(WatchedRunTest, AStopRaisedBeforeTheStartStartsNothing) {
  std::string script = Script("marker", "touch ran\n");
  StopSignal stop;
  stop.Request();
  ProgramEnd end = RunWatchedProgram(script, {.working_directory = dir_.path()}, {.stop = &stop});
  EXPECT_FALSE(end.started);
  EXPECT_TRUE(end.stopped);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "ran"));
}

TEST_F(WatchedRunTest, AProgramThatClosesItsOutputEarlyIsStillWaitedFor) {
  std::string script = Script("quiet", "exec >/dev/null 2>&1; sleep 0.3; touch done; exit 7\n");
  ProgramEnd end = RunWatchedProgram(script, {.working_directory = dir_.path()}, {});
  EXPECT_EQ(end.exit_code, 7);
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / "done"));
}

TEST_F(WatchedRunTest, AMissingProgramIsNotStarted) {
  ProgramEnd end = RunWatchedProgram(dir_ / "missing", {}, {});
  EXPECT_FALSE(end.started);
  EXPECT_FALSE(end.stopped);
}

TEST_F(WatchedRunTest, AProgramThatEndsOnItsOwnIsReaped) {
  std::string script = Script("short", "echo $$ > pid\n");
  ProgramEnd end = RunWatchedProgram(script, {.working_directory = dir_.path()}, {});
  EXPECT_EQ(end.exit_code, 0);
  EXPECT_TRUE(Reaped(WaitForPidFile(dir_.path() / "pid")));
}

}  // namespace
}  // namespace runtime
