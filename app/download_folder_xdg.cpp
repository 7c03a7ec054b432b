// The music folder of the XDG user directories.
#include <pwd.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <string_view>

#include "app/download_folder.h"
#include "runtime/environment.h"

namespace app {
namespace {

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

}  // namespace

runtime::Path HomeFolder() {
  if (std::optional<std::string> home = runtime::EnvironmentValue("HOME")) return runtime::TextPath(*home);
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir ? user->pw_dir : "/";
}

runtime::Path ConfigHome(const runtime::Path& home) {
  std::optional<std::string> variable = runtime::EnvironmentValue("XDG_CONFIG_HOME");
  return variable ? runtime::TextPath(*variable) : home / ".config";
}

runtime::Path MusicFolder(const runtime::Path& home, const runtime::Path& config_home) {
  std::optional<runtime::Path> music;
  std::ifstream settings(config_home / "user-dirs.dirs");
  for (std::string line; std::getline(settings, line);)
    if (std::optional<runtime::Path> setting = MusicSetting(line, home)) music = setting;  // the last one counts
  if (!music || SameFolder(*music, home)) return home / "Music";
  return *music;
}

}  // namespace app
