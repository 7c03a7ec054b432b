// The partial file on Windows: held open by its run, so that another run's
// clean-up leaves it alone, kept under its result name or removed with it.
#include <gtest/gtest.h>

#include "app/partial_file.h"
#include "tests/support/temp_dir.h"

namespace app {
namespace {

namespace fs = std::filesystem;

TEST(PartialFile, OnWindowsAHeldFileSurvivesTheCleanUpAndAnAbandonedOneGoes) {
  testing_support::TempDir dir;
  std::optional<PartialFile> held = PartialFile::Create(dir.path(), "晨岚.aac");
  ASSERT_TRUE(held);
  ASSERT_TRUE(held->Append("stream"));
  const fs::path abandoned = dir.path() / "晨岚.aac.0123abcd.part";
  testing_support::WriteWholeFile(abandoned, "left by a run that died");
  const fs::path other = dir.path() / "晨岚.aac";
  testing_support::WriteWholeFile(other, "earlier download");
  RemoveAbandonedPartialFiles(dir.path());
  EXPECT_TRUE(fs::exists(held->path()));
  EXPECT_FALSE(fs::exists(abandoned));
  EXPECT_EQ(testing_support::ReadWholeFile(other), "earlier download");
  EXPECT_EQ(held->ReadAll(), "stream");
  EXPECT_EQ(held->Size(), 6);
  // Not merely there until its run lets go: it is whole once kept.
  const fs::path kept = dir.path() / "kept.aac";
  EXPECT_TRUE(held->KeepAs(kept));
  held.reset();
  EXPECT_EQ(testing_support::ReadWholeFile(kept), "stream");
}

TEST(PartialFile, OnWindowsItIsKeptUnderTheResultNameOrRemovedWithItsRun) {
  testing_support::TempDir dir;
  const fs::path result = dir.path() / "track.aac";
  testing_support::WriteWholeFile(result, "earlier download");
  {
    std::optional<PartialFile> kept = PartialFile::Create(dir.path(), "track.aac");
    ASSERT_TRUE(kept);
    ASSERT_TRUE(kept->Append("new download"));
    ASSERT_TRUE(kept->KeepAs(result));
  }
  EXPECT_EQ(testing_support::ReadWholeFile(result), "new download");
  fs::path dropped_path;
  {
    std::optional<PartialFile> dropped = PartialFile::Create(dir.path(), "track.aac");
    ASSERT_TRUE(dropped);
    dropped_path = dropped->path();
    EXPECT_TRUE(fs::exists(dropped_path));
  }
  EXPECT_FALSE(fs::exists(dropped_path));
  EXPECT_EQ(testing_support::PartialFiles(dir.path()).size(), 0u);
}

}  // namespace
}  // namespace app
