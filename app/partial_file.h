#pragma once
// The file a download is written into until it has been judged good.
//
// The download folder may be shared with other users (a 1777 folder, /tmp), so
// the file is made here, exclusively and without following links, under a name
// of this run's own ("<track>.aac.<8 hex digits>.part"); the tool is handed the
// open file and never opens a name in the folder. While a run lives it holds a
// lock on its file, which tells a later run whether a partial file is still
// being written or was left by a run that died.
#include <optional>
#include <string>
#include <string_view>

#include "runtime/files.h"
#include "runtime/unique_fd.h"

namespace app {

class PartialFile {
 public:
  // Makes a new partial file for `result_name` (a file name, e.g. "x.aac") in
  // `folder`. Nothing when no file can be made there.
  static std::optional<PartialFile> Create(const runtime::Path& folder, const std::string& result_name);

  PartialFile(PartialFile&&) = default;
  PartialFile& operator=(PartialFile&&) = delete;
  // Removes the file unless it was kept, and only while the name is still ours.
  ~PartialFile();

  int descriptor() const { return file_.get(); }
  const runtime::Path& path() const { return path_; }
  // Bytes written so far.
  long long Size() const;
  // The whole file as it is now; nothing when it cannot be read.
  std::optional<std::string> ReadAll() const;
  // Appends `bytes`; false when they could not all be written (a full disk).
  bool Append(std::string_view bytes);

  // Makes the file `result` (in the same folder), replacing an earlier file of
  // that name, once its bytes are on the disk. False, and the earlier file
  // untouched, when the bytes cannot be flushed or the partial name no longer
  // holds the file this run made.
  bool KeepAs(const runtime::Path& result);

 private:
  PartialFile(runtime::UniqueFd file, runtime::Path path) : file_(std::move(file)), path_(std::move(path)) {}
  bool NameIsStillOurs() const;

  runtime::UniqueFd file_;
  runtime::Path path_;
  bool kept_ = false;
};

// Removes the partial files in `folder` that no living run holds: left by a run
// that was killed, or by a machine that went down. Files of other users and of
// running downloads (in this process or another) are left alone.
void RemoveAbandonedPartialFiles(const runtime::Path& folder);

// True when `name` is a partial file's name as Create makes them.
bool IsPartialFileName(const std::string& name);

}  // namespace app
