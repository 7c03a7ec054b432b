#include "runtime/process.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "runtime/shell.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using namespace std::chrono_literals;
using testing_support::ReadWholeFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteScript;

// Polls for a file that a detached child writes.
bool Eventually(const std::filesystem::path& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i) std::this_thread::sleep_for(10ms);
  return std::filesystem::exists(path);
}

// A script that writes its arguments, one per line, into `record`.
void WriteArgvRecorder(const std::filesystem::path& script, const std::filesystem::path& record) {
  WriteScript(script, "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record.string() +
                          ".tmp'\n"
                          "mv '" +
                          record.string() + ".tmp' '" + record.string() + "'\n");
}

TEST(RunProgram, SplitsTheCommandLineAndWaitsForTheEnd) {
  TempDir dir;
  WriteArgvRecorder(dir.path() / "rec", dir.path() / "argv");
  std::string line = dir / "rec" + " -o \"晨岚 曲.aac\" a\\\"b";
  ASSERT_TRUE(RunProgram(line, true));
  EXPECT_EQ(ReadWholeFile(dir.path() / "argv"), "-o\n晨岚 曲.aac\na\"b\n");
}

TEST(RunProgram, FailsAtOnceWhenTheProgramCannotBeStarted) {
  TempDir dir;
  EXPECT_FALSE(RunProgram(dir / "no-such-program --flag", true));
  EXPECT_FALSE(RunProgram("", true));
  EXPECT_FALSE(RunProgram("   ", false));
  testing_support::WriteWholeFile(dir.path() / "not-executable", "#!/bin/sh\n");
  EXPECT_FALSE(RunProgram(dir / "not-executable", true));
  EXPECT_FALSE(RunProgram("true", true, {.working_directory = dir / "missing"}));
}

TEST(RunProgramToEnd, TellsAnExitFromADeathBySignal) {
  TempDir dir;
  WriteScript(dir.path() / "exits", "exit 3\n");
  WriteScript(dir.path() / "killed", "kill -KILL $$\n");
  ProgramEnd exited = RunProgramToEnd(dir / "exits");
  EXPECT_TRUE(exited.started);
  EXPECT_FALSE(exited.killed);
  EXPECT_EQ(exited.exit_code, 3);
  ProgramEnd killed = RunProgramToEnd(dir / "killed");
  EXPECT_TRUE(killed.started);
  EXPECT_TRUE(killed.killed);
  EXPECT_FALSE(RunProgramToEnd(dir / "missing").started);
}

TEST(RunProgram, WithoutWaitingReturnsWhileTheProgramRuns) {
  TempDir dir;
  WriteScript(dir.path() / "slow", "sleep 2; touch '" + (dir / "done") + "'\n");
  ASSERT_TRUE(RunProgram(dir / "slow", false));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "done"));
  EXPECT_TRUE(Eventually(dir.path() / "done"));
}

TEST(RunProgram, RunsInTheWorkingDirectoryWithoutInheritedDescriptors) {
  TempDir dir;
  int leaked = ::open("/dev/null", O_RDONLY);  // deliberately without O_CLOEXEC
  ASSERT_GE(leaked, 3);
  WriteScript(dir.path() / "probe", "pwd > where; ls /proc/self/fd > fds\n");
  ASSERT_TRUE(RunProgram(dir / "probe", true, {.working_directory = dir.path().string()}));
  ::close(leaked);
  EXPECT_EQ(ReadWholeFile(dir.path() / "where"), dir.path().string() + "\n");
  // Only 0, 1, 2 and the descriptor ls itself opened to list them.
  std::string fds = ReadWholeFile(dir.path() / "fds");
  EXPECT_EQ(std::count(fds.begin(), fds.end(), '\n'), 4) << fds;
}

TEST(ClampShowMode, KeepsModesInOneToSix) {
  EXPECT_EQ(ClampShowMode(std::nullopt), 2);
  EXPECT_EQ(ClampShowMode(9), 6);
  EXPECT_EQ(ClampShowMode(0), 1);
  EXPECT_EQ(ClampShowMode(-4), 1);
  EXPECT_EQ(ClampShowMode(3), 3);
}

TEST(StartThread, RunsTheRoutineDetached) {
  std::promise<std::thread::id> ran;
  ASSERT_TRUE(StartThread([&ran] { ran.set_value(std::this_thread::get_id()); }));
  auto id = ran.get_future();
  ASSERT_EQ(id.wait_for(10s), std::future_status::ready);
  EXPECT_NE(id.get(), std::this_thread::get_id());
}

TEST(Shell, OpenersAreReplaceableAndGetTheTargetAsOneArgument) {
  TempDir dir;
  WriteArgvRecorder(dir.path() / "opener", dir.path() / "opened");
  WriteArgvRecorder(dir.path() / "files", dir.path() / "shown");
  ScopedEnv opener("BRIVO_OPENER", dir / "opener");
  ScopedEnv files("BRIVO_FILE_MANAGER", dir / "files");
  ShellOpen("http://127.0.0.1/update page?x=1&y=2");
  ShowInFileManager(dir.path() / "晨岚-ä.aac");
  ASSERT_TRUE(Eventually(dir.path() / "opened"));
  ASSERT_TRUE(Eventually(dir.path() / "shown"));
  EXPECT_EQ(ReadWholeFile(dir.path() / "opened"), "http://127.0.0.1/update page?x=1&y=2\n");
  EXPECT_EQ(ReadWholeFile(dir.path() / "shown"), (dir.path() / "晨岚-ä.aac").string() + "\n");
}

}  // namespace
}  // namespace runtime
