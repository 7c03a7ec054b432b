#pragma once
// The desktop's openers. Both commands can be replaced through the environment so
// that tests (and unusual desktops) can see or change what is opened:
//   BRIVO_OPENER        program given the target as its only argument (default xdg-open)
//   BRIVO_FILE_MANAGER  program given the file's path as its only argument (default:
//                       the file manager's "show items" service, else its folder opened)
#include <filesystem>

#include "runtime/text.h"

namespace runtime {

// Opens an address or file in the user's browser or default program. Returns at
// once; failures are not reported.
void ShellOpen(const Text& target);

// Shows `path` (the file system's bytes) selected in the file manager. Returns
// at once; failures are not reported.
void ShowInFileManager(const std::filesystem::path& path);

}  // namespace runtime
