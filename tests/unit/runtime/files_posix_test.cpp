// The file operations as Linux does them: the executable's folder from /proc,
// read-only as the write permission, folders that nobody may write into.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <filesystem>

#include "runtime/files.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using testing_support::TempDir;

TEST(Files, ProgramDirIsTheFolderOfTheRunningExecutable) {
  Path dir = ProgramDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.native().back(), '/');
  char exe[4096] = {};
  ASSERT_GT(::readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  EXPECT_EQ(dir, std::filesystem::path(exe).parent_path());
}

TEST(Files, ReadOnlyIsTheWritePermission) {
  TempDir dir;
  Path path = dir / "tool";
  ASSERT_TRUE(WriteFile(path, {"x"}));
  ASSERT_TRUE(SetFileAttributes(path, kAttributeReadOnly | kAttributeArchive));
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  // Setting "hidden" alone clears read-only: the owner may write again.
  ASSERT_TRUE(SetFileAttributes(path, kAttributeHidden));
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IWUSR, 0u);
  EXPECT_FALSE(SetFileAttributes(dir / "missing", kAttributeHidden));
}

TEST(Files, NoFilesInAFolderThatNobodyMayWriteInto) {
  EXPECT_FALSE(CanCreateFilesIn("/proc"));  // not even root can
}

}  // namespace
}  // namespace runtime
