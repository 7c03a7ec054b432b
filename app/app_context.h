#pragma once
// Everything the application's handlers work with, owned by whoever runs them
// (the window program, brivo-cli, a test) and alive for as long as a job may run.
#include <atomic>
#include <functional>

#include "app/app_state.h"
#include "app/config.h"
#include "app/download_progress.h"
#include "app/main_view.h"
#include "app/stop_request.h"
#include "app/ui_thread.h"
#include "runtime/http_get.h"

namespace app {

enum class JobOutcome {
  kNotRun,            // no usable play path: the "错误" box
  kSucceeded,         // a non-empty file, now under the track's name: "下载完成"
  kFailed,            // the tool failed, brought nothing, or the file could not be kept: "下载失败"
  kIncomplete,        // "下载失败" because the stream ended early (a dropped connection, a killed tool)
  kToolNotStarted,    // "下载失败" because the downloader tool could not be started
  kNoDownloadFolder,  // "下载失败" because the download folder could not be made
  kCannotWrite,       // "下载失败" because no file could be made in the download folder
  kStopped,           // a stop was requested: the tool was ended (or never started), no file kept, no box
};

struct AppContext {
  Config config;
  AppState state;
  MainView& view;
  UiThread& ui;
  runtime::Path download_folder;  // where tracks are saved; the tool runs there
  // Saves the stream's FLV container as it came (.flv) instead of its audio
  // as a file of its own kind (.aac, .mp3).
  bool keep_flv = false;
  // Called on the UI thread when a job that a parse started on a worker thread
  // has ended, including its clean-up. Optional.
  std::function<void(JobOutcome)> job_finished;
  // Fetches the play page (the parse's HttpGet); the window program's keeps its
  // window alive meanwhile. Optional: runtime::HttpGet when empty.
  std::function<runtime::ByteBlock(const runtime::Text& address, const runtime::FetchLimits& limits)> fetch_page;
  // Called on the job's thread for each progress line of the tool. Optional.
  std::function<void(const DownloadProgress&)> download_progress;
  // Raised, the running job ends its tool within a second, removes the partial
  // file and returns kStopped without touching the window again.
  StopRequest stop;
  // Jobs that StartDownloadJob started and whose thread has not yet returned:
  // after a stop, 0 means the tool has ended and the partial file is gone.
  std::atomic<int> jobs_on_workers{0};
};

}  // namespace app
