#pragma once
// The main window's view in memory, for tests: it keeps the edit boxes, records
// every disabled-state change and message box, checks that each call happens on
// the UI thread, and answers boxes from a script.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "app/ui_thread.h"

namespace testing_support {

struct ShownBox {
  std::string title;    // UTF-8; "<default>" when no title was given
  std::string content;  // UTF-8
  int type;
  int icon;
  std::string detail;  // UTF-8
};

class RecordingView final : public app::MainView {
 public:
  explicit RecordingView(const app::UiThread& ui) : ui_(ui) {}

  runtime::Text EditText(app::EditBox box) override;
  void SetEditText(app::EditBox box, const runtime::Text& text) override;
  void SetDisabled(app::Control control, bool disabled) override;
  int ShowMessageBox(const app::MessageBoxRequest& request) override;
  void ShowSavedFile(const std::filesystem::path& file) override;

  // Answers for the next boxes, in order; kAnswerOk once they run out.
  void AnswerWith(int answer) { answers_.push_back(answer); }

  std::vector<ShownBox> boxes;
  std::vector<std::string> disabled_log;  // "parse:1", "download:0", ...
  std::vector<std::filesystem::path> shown_files;
  int calls_off_ui_thread = 0;
  // Runs inside ShowMessageBox, before it answers (to look at files mid-job).
  std::function<void()> on_box;

 private:
  void Check() {
    if (!ui_.IsCurrent()) ++calls_off_ui_thread;
  }

  const app::UiThread& ui_;
  std::map<app::EditBox, runtime::Text> edit_boxes_;
  std::deque<int> answers_;
};

}  // namespace testing_support
