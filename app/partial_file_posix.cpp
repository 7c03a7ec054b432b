#include "app/partial_file.h"
#include "app/partial_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

namespace app {
namespace {

// A partial file whose lock cannot be tested (a file system without locks) is
// taken as abandoned only when nothing has written to it for this long.
constexpr std::chrono::hours kAbandonedAfter{24};

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True when `path` names, without following a link, the file open as `fd`.
bool NameHolds(const runtime::Path& path, int fd) {
  struct stat named {
  }, open{};
  return lstat(path.c_str(), &named) == 0 && fstat(fd, &open) == 0 && SameFile(named, open);
}

bool LongUntouched(const struct stat& info) {
  const auto modified = std::chrono::system_clock::from_time_t(info.st_mtime);
  return std::chrono::system_clock::now() - modified > kAbandonedAfter;
}

// Whether the partial file open as `fd` was left by a run that is gone: nobody
// holds its lock (a living run never lets go of it), or, where locks do not
// work, it has not changed for a day.
bool Abandoned(int fd, const struct stat& info) {
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
  return errno != EWOULDBLOCK && LongUntouched(info);
}

}  // namespace

void RemoveIfAbandoned(const runtime::Path& path) {
  runtime::UniqueFd file(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!file.valid() || fstat(file.get(), &info) != 0) return;
  // Only our own plain files: another user's are none of our business.
  if (!S_ISREG(info.st_mode) || info.st_uid != geteuid()) return;
  if (Abandoned(file.get(), info) && NameHolds(path, file.get())) unlink(path.c_str());
}

std::optional<PartialFile> PartialFile::Create(const runtime::Path& folder, const std::string& result_name) {
  for (int attempt = 0; attempt < kMostPartialNameAttempts; ++attempt) {
    runtime::Path path = NewPartialFilePath(folder, result_name);
    // O_EXCL: never an existing file, and never through a link planted under the name.
    runtime::UniqueFd file(open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file.valid()) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    // Held until the file is closed by this run and by the tool it is handed to.
    flock(file.get(), LOCK_EX | LOCK_NB);
    return PartialFile(std::move(file), std::move(path));
  }
  return std::nullopt;
}

PartialFile::~PartialFile() {
  if (file_.valid() && !kept_ && NameIsStillOurs()) unlink(path_.c_str());
}

long long PartialFile::Size() const {
  struct stat info {};
  return fstat(file_.get(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

std::optional<std::string> PartialFile::ReadAll() const {
  const long long size = Size();
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = pread(file_.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    done += static_cast<size_t>(n);
  }
  return bytes;
}

bool PartialFile::Append(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(file_.get(), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool PartialFile::NameIsStillOurs() const { return NameHolds(path_, file_.get()); }

bool PartialFile::KeepAs(const runtime::Path& result) {
  // A full disk or a failing one shows here at the latest, before any earlier
  // file of the name is replaced.
  if (fsync(file_.get()) != 0 || !NameIsStillOurs()) return false;
  kept_ = std::rename(path_.c_str(), result.c_str()) == 0;
  return kept_;
}

}  // namespace app
