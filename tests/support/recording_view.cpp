#include "tests/support/recording_view.h"

#include "runtime/gbk.h"

namespace testing_support {

runtime::Text RecordingView::EditText(app::EditBox box) {
  Check();
  return edit_boxes_[box];
}

void RecordingView::SetEditText(app::EditBox box, const runtime::Text& text) {
  Check();
  edit_boxes_[box] = text;
}

void RecordingView::SetDisabled(app::Control control, bool disabled) {
  Check();
  static const std::map<app::Control, std::string> kNames = {{app::Control::kParseButton, "parse"},
                                                             {app::Control::kDownloadButton, "download"},
                                                             {app::Control::kAddressEdit, "address"}};
  disabled_log.push_back(kNames.at(control) + ":" + (disabled ? "1" : "0"));
}

void RecordingView::ShowSavedFile(const std::filesystem::path& file) {
  Check();
  shown_files.push_back(file);
}

int RecordingView::ShowMessageBox(const app::MessageBoxRequest& request) {
  Check();
  boxes.push_back({request.title ? runtime::GbkToUtf8(*request.title) : "<default>",
                   runtime::GbkToUtf8(request.content), request.type, request.icon,
                   runtime::GbkToUtf8(request.detail)});
  if (on_box) on_box();
  if (answers_.empty()) return app::kAnswerOk;
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace testing_support
