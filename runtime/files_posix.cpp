#include "runtime/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace runtime {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

Path ProgramDir() {
  std::string exe(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
  if (n <= 0) return ".";
  exe.resize(static_cast<size_t>(n));
  size_t slash = exe.rfind('/');
  return slash == 0 ? "/" : exe.substr(0, slash);
}

bool FileExists(const Path& path) {
  struct stat st;
  return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

long long FileSize(const Path& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<long long>(st.st_size);
}

bool WriteFile(const Path& path, std::initializer_list<std::string_view> blocks) {
  if (path.empty()) return false;
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) return false;
  for (std::string_view block : blocks)
    if (!WriteAll(fd.get(), block)) return false;
  return fd.Close();
}

bool SetFileAttributes(const Path& path, unsigned bits) {
  const char* name = path.c_str();
  struct stat st;
  if (path.empty() || ::stat(name, &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = (bits & 0x27 & kAttributeReadOnly) ? mode & ~static_cast<mode_t>(0222) : mode | S_IWUSR;
  return ::chmod(name, mode) == 0;
}

bool DeleteFile(const Path& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

bool RenameFile(const Path& from, const Path& to) {
  return !from.empty() && !to.empty() && ::rename(from.c_str(), to.c_str()) == 0;
}

bool CanCreateFilesIn(const Path& folder) {
  std::string probe = (folder / ".brivo-probe-XXXXXX").string();
  FileDescriptor fd(::mkostemp(probe.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;
  ::unlink(probe.c_str());
  return true;
}

}  // namespace runtime
