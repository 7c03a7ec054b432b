#include "runtime/files.h"

namespace runtime {

std::string PathText(const Path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

Path TextPath(std::string_view utf8) { return Path(std::u8string(utf8.begin(), utf8.end())); }

bool MakeFolders(const Path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return !folder.empty() && std::filesystem::is_directory(folder, error);
}

}  // namespace runtime
