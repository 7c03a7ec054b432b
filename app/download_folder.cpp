#include "app/download_folder.h"

#include <string>

#include "runtime/environment.h"

namespace app {
namespace {

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
  return runtime::PathText(normal).starts_with("/usr/");
}

}  // namespace

FolderSources FolderSources::FromEnvironment(std::optional<runtime::Path> requested) {
  if (!requested)
    if (std::optional<std::string> variable = runtime::EnvironmentValue("BRIVO_DOWNLOAD_DIR"))
      requested = runtime::TextPath(*variable);
  runtime::Path home = HomeFolder();
  runtime::Path config_home = ConfigHome(home);
  return {.requested = std::move(requested),
          .program_dir = runtime::ProgramDir(),
          .home = std::move(home),
          .config_home = std::move(config_home)};
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
