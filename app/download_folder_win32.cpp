// The user's folders on Windows: the known folders of the shell.
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include "app/download_folder.h"

namespace app {
namespace {

std::optional<runtime::Path> KnownFolder(REFKNOWNFOLDERID id) {
  wchar_t* folder = nullptr;
  std::optional<runtime::Path> path;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &folder))) path = runtime::Path(folder);
  CoTaskMemFree(folder);
  return path;
}

}  // namespace

runtime::Path HomeFolder() { return KnownFolder(FOLDERID_Profile).value_or(runtime::ProgramDir()); }

runtime::Path ConfigHome(const runtime::Path& home) { return KnownFolder(FOLDERID_RoamingAppData).value_or(home); }

runtime::Path MusicFolder(const runtime::Path& home, const runtime::Path&) {
  return KnownFolder(FOLDERID_Music).value_or(home / "Music");
}

}  // namespace app
