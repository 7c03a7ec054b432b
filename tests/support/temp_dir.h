#pragma once
// Test helpers for files: a directory that removes itself, and small readers.
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
// Writes a shell script and makes it executable.
void WriteScript(const std::filesystem::path& path, const std::string& body);
// The partial files of downloads in `folder` ("<track>.flv.<tag>.part") whose
// names start with `track` (any track when empty).
std::vector<std::filesystem::path> PartialFiles(const std::filesystem::path& folder, const std::string& track = "");
// The one partial file of `track` in `folder`; empty when there is none or more.
std::filesystem::path PartialFile(const std::filesystem::path& folder, const std::string& track);

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_value_;
  std::string old_value_;
};

}  // namespace testing_support
