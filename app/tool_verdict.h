#pragma once
// Whether the downloader tool brought the whole stream, from how it ended and
// what it said while it worked.
#include <optional>
#include <string>

#include "app/download_progress.h"
#include "runtime/process.h"

namespace app {

enum class ToolVerdict {
  kComplete,    // the whole stream is in the file
  kIncomplete,  // the stream ended early (a dropped connection, a stop)
  kFailed,      // the tool gave up or could not write (its last error says why)
};

// What the tool said that matters for the verdict, gathered line by line.
struct ToolReport {
  std::optional<DownloadProgress> last_progress;
  std::string last_error;  // its last "ERROR: …" line, without the prefix

  // Takes in one line of the tool's; its progress, when it is a progress line.
  std::optional<DownloadProgress> Read(std::string_view line);
};

// rtmpdump exits 0 only for a complete stream, 2 for one that ended early and
// anything else for a failure. Its test for "early" is that the last packet's
// time stamp is below 99.9 % of the announced length, which every track shorter
// than about 23 s fails by its last frame alone: an exit of 2 whose stream came
// to within a fraction of a second of its end is complete.
ToolVerdict JudgeTool(const runtime::ProgramEnd& end, const ToolReport& report);

}  // namespace app
