#include "app/gui/progress_display.h"

namespace app::gui {

void ProgressDisplay::Show(const DownloadProgress& progress) {
  winsys::WindowSystem& system = winsys::Current();
  if (!system.IsWindow(window_)) return;
  if (!saved_) saved_ = Saved{system.WindowText(window_), button_.caption()};
  // The progress text is ASCII: the same bytes in UTF-8 and GBK.
  const std::string text = ProgressText(progress);
  system.SetWindowText(window_, text + " - " + saved_->title);
  button_.SetCaption(text);
}

void ProgressDisplay::Restore() {
  if (!saved_) return;
  winsys::WindowSystem& system = winsys::Current();
  if (system.IsWindow(window_)) {
    system.SetWindowText(window_, saved_->title);
    button_.SetCaption(saved_->caption);
  }
  saved_.reset();
}

}  // namespace app::gui
