#pragma once
// The tool's progress where a desktop user looks: in the window's title (so
// docks and task switchers show it too) and on the download button's face.
// Both get their own texts back when the download is over.
#include <optional>

#include "app/download_progress.h"
#include "platform/window/window_system.h"
#include "razezazo/controls/push_button.h"

namespace app::gui {

class ProgressDisplay {
 public:
  ProgressDisplay(winsys::WindowId window, razezazo::PushButton& button) : window_(window), button_(button) {}

  // "1234.5 kB (45.6%) - <title>" and "1234.5 kB (45.6%)" on the button.
  void Show(const DownloadProgress& progress);
  // Puts the title and the caption back; nothing when no progress is shown.
  void Restore();

 private:
  struct Saved {
    std::string title;      // UTF-8
    runtime::Text caption;  // GBK
  };

  winsys::WindowId window_;
  razezazo::PushButton& button_;
  std::optional<Saved> saved_;
};

}  // namespace app::gui
