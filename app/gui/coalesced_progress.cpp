#include "app/gui/coalesced_progress.h"

namespace app::gui {

void CoalescedProgress::Report(const DownloadProgress& progress) {
  std::lock_guard lock(mutex_);
  const bool queued = latest_.has_value();
  latest_ = progress;
  if (!queued) ui_.Post([this] { ShowLatest(); });
}

void CoalescedProgress::ShowLatest() {
  DownloadProgress progress;
  {
    std::lock_guard lock(mutex_);
    progress = *latest_;
    latest_.reset();
  }
  show_(progress);
}

}  // namespace app::gui
