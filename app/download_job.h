#pragma once
#include "app/app_context.h"

namespace app {

struct DownloadRequest {
  runtime::Text page_url;
  runtime::Text play_path;
  runtime::Text track_name;
};

// The downloader tool's command line: the tool, then -r, -p, -y, -s and -o in
// that order; only the output name is quoted (and the tool when it holds a blank).
runtime::Text DownloadCommandLine(const Config& config, const runtime::Text& tool_path,
                                  const DownloadRequest& request);

// The file a track is saved to: the program directory, the track's safe file
// name and ".aac".
runtime::Text ResultFile(const runtime::Text& program_dir, const runtime::Text& track_name);

// Downloads the track that the edit boxes describe and reports the result.
// Runs on the calling thread; every window action goes through context.ui, so
// it may run on the UI thread (the download button) or on a worker.
JobOutcome DownloadJob(AppContext& context);

// Runs DownloadJob on a new worker thread and reports its end through
// context.job_finished.
void StartDownloadJob(AppContext& context);

}  // namespace app
