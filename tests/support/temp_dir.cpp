#include "tests/support/temp_dir.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testing_support {

// A fresh folder of a random name, as mkdtemp makes them, on any system.
TempDir::TempDir() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "brivo-test-%08x", static_cast<unsigned>(random()));
    std::filesystem::path candidate = std::filesystem::temp_directory_path() / name;
    if (std::filesystem::create_directory(candidate)) {
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all);
      path_ = std::move(candidate);
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be made");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void WriteScript(const std::filesystem::path& path, const std::string& body) {
  WriteWholeFile(path, "#!/bin/sh\n" + body);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                         std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                         std::filesystem::perms::others_exec);
}

std::vector<std::filesystem::path> PartialFiles(const std::filesystem::path& folder, const std::string& track) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with(track + ".") && name.ends_with(".part") && name.size() == track.size() + 18)
      found.push_back(it->path());
    else if (track.empty() && name.ends_with(".part"))
      found.push_back(it->path());
  }
  return found;
}

std::filesystem::path PartialFile(const std::filesystem::path& folder, const std::string& track) {
  std::vector<std::filesystem::path> found = PartialFiles(folder, track);
  return found.size() == 1 ? found.front() : std::filesystem::path();
}

}  // namespace testing_support
