#include "app/tool_verdict.h"

namespace app {
namespace {

constexpr int kToolComplete = 0;
constexpr int kToolIncomplete = 2;
// The last frame of an audio stream lasts at most this long (AAC at 8 kHz:
// 128 ms); a stream this close to its announced end has all of it.
constexpr double kMostMissingSeconds = 0.3;

bool ReachedTheEnd(const std::optional<DownloadProgress>& progress) {
  if (!progress || !progress->percent || *progress->percent <= 0) return false;
  const double announced = progress->seconds * 100 / *progress->percent;
  return announced - progress->seconds <= kMostMissingSeconds;
}

}  // namespace

std::optional<DownloadProgress> ToolReport::Read(std::string_view line) {
  constexpr std::string_view kError = "ERROR: ";
  std::optional<DownloadProgress> progress = ParseToolProgress(line);
  if (progress)
    last_progress = progress;
  else if (line.starts_with(kError))
    last_error = line.substr(kError.size());
  return progress;
}

ToolVerdict JudgeTool(const runtime::ProgramEnd& end, const ToolReport& report) {
  if (!end.started) return ToolVerdict::kFailed;
  if (end.killed) return ToolVerdict::kIncomplete;
  if (end.exit_code == kToolComplete) return ToolVerdict::kComplete;
  if (end.exit_code == kToolIncomplete)
    return ReachedTheEnd(report.last_progress) ? ToolVerdict::kComplete : ToolVerdict::kIncomplete;
  return ToolVerdict::kFailed;
}

}  // namespace app
