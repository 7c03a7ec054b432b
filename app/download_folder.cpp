#include "app/download_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <string_view>

#include "runtime/environment.h"

namespace app {
namespace {

runtime::Path HomeFolder() {
  if (std::optional<std::string> home = runtime::EnvironmentValue("HOME")) return *home;
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir ? user->pw_dir : "/";
}

// A line of user-dirs.dirs is `XDG_MUSIC_DIR="$HOME/Music"` or holds an absolute
// path in the quotes; anything else is not a setting.
std::optional<runtime::Path> MusicSetting(std::string_view line, const runtime::Path& home) {
  constexpr std::string_view kPrefix = "XDG_MUSIC_DIR=\"";
  if (line.substr(0, kPrefix.size()) != kPrefix || line.size() < kPrefix.size() + 1 || line.back() != '"')
    return std::nullopt;
  std::string_view value = line.substr(kPrefix.size(), line.size() - kPrefix.size() - 1);
  constexpr std::string_view kHome = "$HOME";
  if (value.substr(0, kHome.size()) == kHome) {
    std::string_view rest = value.substr(kHome.size());
    if (!rest.empty() && rest[0] != '/') return std::nullopt;
    return runtime::Path(home.native() + std::string(rest)).lexically_normal();
  }
  if (!value.empty() && value[0] == '/') return runtime::Path(std::string(value)).lexically_normal();
  return std::nullopt;
}

bool SameFolder(const runtime::Path& a, const runtime::Path& b) {
  return a.lexically_normal() / "" == b.lexically_normal() / "";
}

// A folder of an installation (a prefix's bin/, /usr/lib/brivo/, anything under
// /usr) holds programs, not music, even where this user may write in it
// (~/.local/bin, or root's /usr/local/bin).
bool IsInstallFolder(const runtime::Path& folder) {
  const runtime::Path normal = folder.lexically_normal();
  const runtime::Path name = normal.has_filename() ? normal.filename() : normal.parent_path().filename();
  const runtime::Path parent = (normal.has_filename() ? normal : normal.parent_path()).parent_path().filename();
  for (const char* programs : {"bin", "sbin", "games", "libexec"})
    if (name == programs) return true;
  for (const char* libraries : {"lib", "lib64", "libexec"})
    if (parent == libraries) return true;
  return normal.native().starts_with("/usr/");
}

}  // namespace

FolderSources FolderSources::FromEnvironment(std::optional<runtime::Path> requested) {
  if (!requested) requested = runtime::EnvironmentValue("BRIVO_DOWNLOAD_DIR");
  runtime::Path home = HomeFolder();
  runtime::Path config_home = runtime::EnvironmentValue("XDG_CONFIG_HOME").value_or((home / ".config").native());
  return {.requested = std::move(requested),
          .program_dir = runtime::ProgramDir(),
          .home = std::move(home),
          .config_home = std::move(config_home)};
}

runtime::Path MusicFolder(const runtime::Path& home, const runtime::Path& config_home) {
  std::optional<runtime::Path> music;
  std::ifstream settings(config_home / "user-dirs.dirs");
  for (std::string line; std::getline(settings, line);)
    if (std::optional<runtime::Path> setting = MusicSetting(line, home)) music = setting;  // the last one counts
  if (!music || SameFolder(*music, home)) return home / "Music";
  return *music;
}

runtime::Path DownloadFolder(const FolderSources& sources) {
  // The tool runs there and the result is printed, so a relative folder is made absolute now.
  if (sources.requested) {
    std::error_code no_current_folder;
    return std::filesystem::absolute(*sources.requested, no_current_folder).lexically_normal();
  }
  if (!IsInstallFolder(sources.program_dir) && runtime::CanCreateFilesIn(sources.program_dir))
    return sources.program_dir;
  return MusicFolder(sources.home, sources.config_home) / "brivo";
}

}  // namespace app
