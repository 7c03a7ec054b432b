// The file operations as Windows does them: the executable's folder, the
// attributes as the file system keeps them.
#include <windows.h>
// windows.h names its ANSI/wide pairs by macros that would rename ours.
#undef DeleteFile
#undef SetFileAttributes

#include <gtest/gtest.h>

#include "runtime/files.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using testing_support::TempDir;

TEST(Files, ProgramDirIsTheFolderOfTheRunningExecutable) {
  wchar_t exe[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
  EXPECT_EQ(ProgramDir(), Path(exe).parent_path());
  EXPECT_NE(ProgramDir().native().back(), L'\\');
}

TEST(Files, AttributesAreTheFileSystemsOwn) {
  TempDir dir;
  Path path = dir / "下载器_.exe";
  ASSERT_TRUE(WriteFile(path, {"x"}));
  ASSERT_TRUE(SetFileAttributes(path, kAttributeReadOnly | kAttributeArchive | 0x100));
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & 0x127,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_FALSE(DeleteFile(path));  // read-only
  ASSERT_TRUE(SetFileAttributes(path, kAttributeHidden));
  // Read-only cleared (Wine reports every file as archived).
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & 0x07, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(SetFileAttributes(dir / "missing", kAttributeHidden));
}

}  // namespace
}  // namespace runtime
