#pragma once
// Where downloaded tracks go. In order:
//   1. the folder the user asked for (brivo-cli -o, else BRIVO_DOWNLOAD_DIR);
//   2. the program's own folder, when files can be made there and it is no
//      folder of an installation (a portable copy: a build folder, an unpacked
//      archive; never a bin/ folder, a lib/ folder's program folder or /usr);
//   3. "brivo" in the user's music folder: XDG_MUSIC_DIR as user-dirs.dirs sets
//      it, else ~/Music (an installed program cannot write next to itself); on
//      Windows the Music known folder.
// The folder is created when a download first needs it. Paths are the file
// system's bytes.
#include <optional>

#include "runtime/files.h"

namespace app {

struct FolderSources {
  std::optional<runtime::Path> requested;
  runtime::Path program_dir;
  runtime::Path home;
  runtime::Path config_home;  // where user-dirs.dirs lives

  // `requested` is brivo-cli's -o; without it, BRIVO_DOWNLOAD_DIR. HOME and
  // XDG_CONFIG_HOME as the XDG base directory rules read them.
  static FolderSources FromEnvironment(std::optional<runtime::Path> requested);
};

runtime::Path DownloadFolder(const FolderSources& sources);

// The user's home folder (HOME, else the user database; on Windows the
// profile folder) and the folder of the user's settings in it (XDG_CONFIG_HOME,
// else ~/.config; on Windows the roaming application data).
runtime::Path HomeFolder();
runtime::Path ConfigHome(const runtime::Path& home);

// The user's music folder: XDG_MUSIC_DIR from `config_home`/user-dirs.dirs, or
// `home`/Music when the file sets none (or sets it to the home folder itself,
// which is how a user turns a special folder off). On Windows the Music known
// folder, else `home`/Music.
runtime::Path MusicFolder(const runtime::Path& home, const runtime::Path& config_home);

}  // namespace app
