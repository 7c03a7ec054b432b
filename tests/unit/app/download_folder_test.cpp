#include "app/download_folder.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteWholeFile;

class DownloadFolderTest : public ::testing::Test {
 protected:
  void WriteUserDirs(const std::string& lines) {
    fs::create_directories(config_);
    WriteWholeFile(config_ / "user-dirs.dirs", "# written by xdg-user-dirs-update\n" + lines);
  }
  FolderSources Sources(const fs::path& program_dir) const {
    return {.program_dir = program_dir, .home = home_, .config_home = config_};
  }

  TempDir dir_;
  fs::path home_ = dir_.path() / "home";
  fs::path config_ = home_ / ".config";
};

TEST_F(DownloadFolderTest, AWritableProgramFolderKeepsTheTracks) {
  EXPECT_EQ(DownloadFolder(Sources(dir_.path())), dir_.path());
}

TEST_F(DownloadFolderTest, AnInstalledProgramSavesIntoTheMusicFolder) {
  // /proc stands for a folder the user cannot write in, such as /usr/local/bin.
  EXPECT_EQ(DownloadFolder(Sources("/proc")), home_ / "Music" / "brivo");
  WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_MUSIC_DIR=\"$HOME/Musik\"\n");
  EXPECT_EQ(DownloadFolder(Sources("/proc")), home_ / "Musik" / "brivo");
}

TEST_F(DownloadFolderTest, AnInstalledProgramSavesIntoTheMusicFolderWhereverItMayWrite) {
  // ~/.local/bin and root's /usr/local/bin are writable, yet no place for music.
  for (const fs::path& installed :
       {dir_.path() / ".local" / "bin", dir_.path() / "usr" / "lib" / "brivo", dir_.path() / "prefix" / "sbin" / ""}) {
    fs::create_directories(installed);
    EXPECT_EQ(DownloadFolder(Sources(installed)), home_ / "Music" / "brivo") << installed;
  }
  // A portable copy, such as an unpacked archive or a build folder, keeps its tracks.
  const fs::path portable = dir_.path() / "brivo-2015.11.02" / "build-run" / "app";
  fs::create_directories(portable);
  EXPECT_EQ(DownloadFolder(Sources(portable)), portable);
}

TEST_F(DownloadFolderTest, MusicFolderReadsUserDirsAsXdgUserDirDoes) {
  WriteUserDirs("XDG_MUSIC_DIR=\"/srv/music\"\n");
  EXPECT_EQ(MusicFolder(home_, config_), "/srv/music");
  WriteUserDirs("XDG_MUSIC_DIR=\"$HOME/A\"\nXDG_MUSIC_DIR=\"$HOME/Müsic-ä\"\n");  // the last one counts
  EXPECT_EQ(MusicFolder(home_, config_), home_ / "Müsic-ä");
  // Set to the home folder itself: turned off, so the usual folder.
  WriteUserDirs("XDG_MUSIC_DIR=\"$HOME/\"\n");
  EXPECT_EQ(MusicFolder(home_, config_), home_ / "Music");
  WriteUserDirs("XDG_MUSIC_DIR=\"relative\"\n# XDG_MUSIC_DIR=\"/commented\"\nXDG_MUSIC_DIR=\"$HOMEX\"\n");
  EXPECT_EQ(MusicFolder(home_, config_), home_ / "Music");
}

TEST_F(DownloadFolderTest, AFolderTheUserAskedForWinsAndIsMadeAbsolute) {
  FolderSources sources = Sources(dir_.path());
  sources.requested = "/srv/tracks/";
  EXPECT_EQ(DownloadFolder(sources), "/srv/tracks/");
  sources.requested = "tracks";
  EXPECT_EQ(DownloadFolder(sources), fs::current_path() / "tracks");
}

TEST_F(DownloadFolderTest, FromEnvironmentTakesBrivoDownloadDirUnlessEmptyOrOverridden) {
  testing_support::ScopedEnv download("BRIVO_DOWNLOAD_DIR", "/srv/env");
  EXPECT_EQ(FolderSources::FromEnvironment(std::nullopt).requested, fs::path("/srv/env"));
  EXPECT_EQ(FolderSources::FromEnvironment("/srv/cli").requested, fs::path("/srv/cli"));
  testing_support::ScopedEnv empty("BRIVO_DOWNLOAD_DIR", "");
  EXPECT_EQ(FolderSources::FromEnvironment(std::nullopt).requested, std::nullopt);
  testing_support::ScopedEnv home("HOME", "/home/someone");
  testing_support::ScopedEnv no_config("XDG_CONFIG_HOME", "");
  EXPECT_EQ(FolderSources::FromEnvironment(std::nullopt).config_home, fs::path("/home/someone/.config"));
}

}  // namespace
}  // namespace app
