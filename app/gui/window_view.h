#pragma once
// The main view drawn by RazezaZO: the edit boxes, the disabled states and the
// framework's message boxes over the start window; the tool's progress while
// the download button is disabled; a saved track is shown in the file manager. Once the window has gone (closed while a
// job still ends) nothing is shown any more and the boxes answer with the texts they last held.
#include <array>

#include "app/gui/framework_message_boxes.h"
#include "app/gui/main_window.h"
#include "app/gui/progress_display.h"
#include "app/main_view.h"

namespace app::gui {

class WindowView final : public MainView {
 public:
  WindowView(MainWindow& controls, winsys::WindowId window)
      : controls_(controls), window_(window), boxes_(window), progress_(window, controls.download_button) {}

  runtime::Text EditText(EditBox box) override;
  void SetEditText(EditBox box, const runtime::Text& text) override;
  void SetDisabled(Control control, bool disabled) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  void ShowSavedFile(const std::filesystem::path& file) override;
  // On the UI thread, while a download runs.
  void ShowProgress(const DownloadProgress& progress) { progress_.Show(progress); }

 private:
  bool WindowAlive() const;
  razezazo::EditBox& Box(EditBox box);

  MainWindow& controls_;
  winsys::WindowId window_;
  FrameworkMessageBoxes boxes_;
  ProgressDisplay progress_;
  std::array<runtime::Text, 3> last_texts_;
};

}  // namespace app::gui
