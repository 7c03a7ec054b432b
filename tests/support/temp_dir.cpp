#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "brivo-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
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

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  const char* old = ::getenv(name);
  had_value_ = old != nullptr;
  if (old) old_value_ = old;
  ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_value_)
    ::setenv(name_.c_str(), old_value_.c_str(), 1);
  else
    ::unsetenv(name_.c_str());
}

}  // namespace testing_support
