#pragma once
// How Wine names a Linux path, for tests that run Windows programs under Wine.
#include <filesystem>
#include <string>

namespace testing_support {

// The Z: drive holds the Linux root.
inline std::string WindowsPath(const std::filesystem::path& path) {
  std::string windows = "Z:" + path.string();
  for (char& c : windows)
    if (c == '/') c = '\\';
  return windows;
}

}  // namespace testing_support
