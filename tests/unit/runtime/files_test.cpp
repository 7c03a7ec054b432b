// The file operations that both systems share; each system's own parts are in
// files_posix_test.cpp and files_win32_test.cpp.
#include "runtime/files.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using testing_support::ReadWholeFile;
using testing_support::TempDir;

TEST(Files, ExistenceAndSize) {
  TempDir dir;
  Path empty = dir / "empty", missing = dir / "missing";
  ASSERT_TRUE(WriteFile(empty, {}));
  EXPECT_TRUE(FileExists(empty));
  EXPECT_EQ(FileSize(empty), 0);
  EXPECT_FALSE(FileExists(missing));
  EXPECT_EQ(FileSize(missing), -1);
  EXPECT_TRUE(FileExists(dir.path().string()));
  EXPECT_FALSE(FileExists(""));
}

TEST(Files, WriteFileTruncatesAndWritesEveryBlockInOrder) {
  TempDir dir;
  // A path is the system's bytes, also where GBK has no such character.
  Path path = dir.path() / "Müsic-ä" / "下载器_.exe";
  ASSERT_TRUE(MakeFolders(path.parent_path()));
  ASSERT_TRUE(WriteFile(path, {"a much longer first content"}));
  ASSERT_TRUE(WriteFile(path, {"ab", "", std::string_view("c\0d", 3)}));
  EXPECT_EQ(ReadWholeFile(dir.path() / "Müsic-ä/下载器_.exe"), std::string("abc\0d", 5));
  EXPECT_EQ(FileSize(path), 5);
  EXPECT_FALSE(WriteFile("", {"x"}));
  EXPECT_FALSE(WriteFile(dir / "no/such/dir", {"x"}));
}

TEST(Files, DeleteFile) {
  TempDir dir;
  Path path = dir / "x";
  ASSERT_TRUE(WriteFile(path, {"x"}));
  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(DeleteFile(path));
}

TEST(Files, RenameFileReplacesTheTarget) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir / "new.part", {"new"}));
  ASSERT_TRUE(WriteFile(dir / "name", {"old"}));
  EXPECT_TRUE(RenameFile(dir / "new.part", dir / "name"));
  EXPECT_EQ(ReadWholeFile(dir.path() / "name"), "new");
  EXPECT_FALSE(FileExists(dir / "new.part"));
  EXPECT_FALSE(RenameFile(dir / "new.part", dir / "name"));
  EXPECT_EQ(ReadWholeFile(dir.path() / "name"), "new");
}

TEST(Files, MakeFoldersAndCanCreateFilesIn) {
  TempDir dir;
  Path nested = dir.path() / "a" / "b";
  EXPECT_TRUE(MakeFolders(nested));
  EXPECT_TRUE(MakeFolders(nested));  // already there
  EXPECT_TRUE(CanCreateFilesIn(nested));
  EXPECT_TRUE(std::filesystem::is_empty(nested));  // the probe is gone
  ASSERT_TRUE(WriteFile(dir / "file", {"x"}));
  EXPECT_FALSE(MakeFolders(dir.path() / "file"));
  EXPECT_FALSE(MakeFolders(dir.path() / "file" / "below"));
  EXPECT_FALSE(CanCreateFilesIn(dir.path() / "missing"));
}

}  // namespace
}  // namespace runtime
