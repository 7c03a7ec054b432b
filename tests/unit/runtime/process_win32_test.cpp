// Starting programs on Windows, with cmd.exe as the program: exit codes, the
// working folder, arguments quoted by the C runtime's rules, names that are
// not ASCII.
#include <gtest/gtest.h>
#include <chrono>
#include <thread>

#include "runtime/files.h"
#include "runtime/process.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

// Waits up to ten seconds for `path` to appear: a detached program runs on its own.
bool Appears(const Path& path) {
  for (int i = 0; i < 1000 && !FileExists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return FileExists(path);
}

TEST(Process, RunsToTheEndInItsWorkingFolder) {
  testing_support::TempDir dir;
  const Path folder = dir.path() / L"Müsic-ä 晨岚";
  ASSERT_TRUE(MakeFolders(folder));
  ProgramEnd end = RunProgramToEnd("cmd /c \"echo x> here.txt& exit 7\"", {.working_directory = folder});
  EXPECT_TRUE(end.started);
  EXPECT_EQ(end.exit_code, 7);
  EXPECT_TRUE(FileExists(folder / "here.txt"));
  EXPECT_FALSE(RunProgramToEnd("cmd /c exit 0", {.working_directory = dir.path() / "missing"}).started);
  EXPECT_FALSE(RunProgram("no-such-program-anywhere.exe", true));
  EXPECT_TRUE(RunProgram("cmd /c exit 0", false));
}

TEST(Process, StartDetachedQuotesEachArgument) {
  testing_support::TempDir dir;
  // One argument with a blank and characters outside any code page but UTF-16's.
  const Path made = dir.path() / L"新 文件夹 ä";
  ASSERT_TRUE(StartDetached({"cmd", "/c", "mkdir", PathText(made)}));
  EXPECT_TRUE(Appears(made));
  EXPECT_FALSE(StartDetached({}));
  EXPECT_FALSE(StartDetached({"no-such-program-anywhere.exe"}));
}

}  // namespace
}  // namespace runtime
