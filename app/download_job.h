#pragma once
#include <chrono>
#include <string>
#include <string_view>

#include "app/app_context.h"

namespace app {

struct DownloadRequest {
  runtime::Text page_url;
  runtime::Text play_path;
  runtime::Text track_name;
};

// The downloader tool's command line (in the system's encoding): the tool, then
// -r, -p, -y, -s and -o in that order, the tool quoted when it holds a blank.
// The output is "-", standard output, which the job makes the track's partial
// file. -p is left out when there is no page address, so that no switch has an
// empty value.
std::string DownloadCommandLine(const Config& config, const runtime::Path& tool_path, const DownloadRequest& request);

// The file a track is saved to: the folder, the track's safe file name and the
// extension of what was saved (".aac", ".mp3" or ".flv").
runtime::Path ResultFile(const runtime::Path& folder, const runtime::Text& track_name, std::string_view extension);

// Whether the user asked for the stream's FLV as it came: BRIVO_KEEP_FLV=1.
bool KeepFlvRequested();

// Downloads the track that the edit boxes describe and reports the result.
// Runs on the calling thread; every window action goes through context.ui, so
// it may run on the UI thread (the download button) or on a worker.
JobOutcome DownloadJob(AppContext& context);

// Runs DownloadJob on a new worker thread and reports its end through
// context.job_finished.
void StartDownloadJob(AppContext& context);

// Waits (at most `limit`) until no job that StartDownloadJob started is still
// on its thread, without needing the UI thread: for the moment the program is
// about to end because the UI thread cannot go on. True when none is left.
bool WaitForWorkerJobs(const AppContext& context, std::chrono::milliseconds limit);

}  // namespace app
