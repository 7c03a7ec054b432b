#pragma once
// Hands the tool's progress from the job's thread to the UI thread without
// flooding it: a report only replaces the latest value, and at most one task
// is queued at a time; that task shows whatever is latest when it runs.
#include <functional>
#include <mutex>
#include <optional>

#include "app/download_progress.h"
#include "app/ui_thread.h"

namespace app::gui {

class CoalescedProgress {
 public:
  using Show = std::function<void(const DownloadProgress&)>;
  // `show` runs on the UI thread; the object must outlive every job that reports.
  CoalescedProgress(UiThread& ui, Show show) : ui_(ui), show_(std::move(show)) {}

  // Safe from any thread.
  void Report(const DownloadProgress& progress);

 private:
  void ShowLatest();

  UiThread& ui_;
  Show show_;
  std::mutex mutex_;
  std::optional<DownloadProgress> latest_;  // set while a task is queued
};

}  // namespace app::gui
