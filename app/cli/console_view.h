#pragma once
// The main window's view on a console: edit boxes are plain texts, disabling does
// nothing visible, a message box is one line "<title>: <content>" and a saved
// track one line "saved: <path>" (UTF-8, control characters escaped). A console
// user expects no window, so no file manager is opened.
#include <array>
#include <iosfwd>

#include "app/download_progress.h"
#include "app/main_view.h"

namespace app {

class ConsoleView final : public MainView {
 public:
  // An error box's detail goes to `errors` as "brivo-cli: <detail>" when given.
  explicit ConsoleView(std::ostream& out, std::ostream* progress = nullptr, std::ostream* errors = nullptr)
      : out_(out), progress_(progress), errors_(errors) {}

  runtime::Text EditText(EditBox box) override { return boxes_[Index(box)]; }
  void SetEditText(EditBox box, const runtime::Text& text) override { boxes_[Index(box)] = text; }
  void SetDisabled(Control, bool) override {}
  int ShowMessageBox(const MessageBoxRequest& request) override;
  void ShowSavedFile(const std::filesystem::path& file) override;

  void ShowProgress(const DownloadProgress& progress);
  // Wipes a shown progress line.
  void EndProgress();

 private:
  static size_t Index(EditBox box) { return static_cast<size_t>(box); }

  std::ostream& out_;
  std::ostream* progress_;
  std::ostream* errors_;
  bool progress_shown_ = false;
  std::array<runtime::Text, 3> boxes_;
};

}  // namespace app
