#include "app/gui/window_view.h"

#include "runtime/shell.h"

namespace app::gui {

bool WindowView::WindowAlive() const { return winsys::Current().IsWindow(window_); }

razezazo::EditBox& WindowView::Box(EditBox box) {
  switch (box) {
    case EditBox::kAddress: return controls_.address_edit;
    case EditBox::kResult: return controls_.result_edit;
    case EditBox::kPath: break;
  }
  return controls_.path_edit;
}

runtime::Text WindowView::EditText(EditBox box) {
  runtime::Text& last = last_texts_[static_cast<size_t>(box)];
  if (WindowAlive()) last = Box(box).text();
  return last;
}

void WindowView::SetEditText(EditBox box, const runtime::Text& text) {
  last_texts_[static_cast<size_t>(box)] = text;
  if (WindowAlive()) Box(box).SetText(text);
}

void WindowView::SetDisabled(Control control, bool disabled) {
  if (!WindowAlive()) return;
  switch (control) {
    case Control::kParseButton: controls_.parse_button.SetDisabled(disabled); return;
    case Control::kDownloadButton:
      // The download button comes back when the tool has ended: so do its
      // caption and the title.
      if (!disabled) progress_.Restore();
      controls_.download_button.SetDisabled(disabled);
      return;
    case Control::kAddressEdit: controls_.address_edit.SetDisabled(disabled); return;
  }
}

int WindowView::ShowMessageBox(const MessageBoxRequest& request) {
  // A box after the window has closed would be a window the user no longer expects.
  return WindowAlive() ? boxes_.ShowMessageBox(request) : kAnswerCancel;
}

void WindowView::ShowSavedFile(const std::filesystem::path& file) {
  if (WindowAlive()) runtime::ShowInFileManager(file);
}

}  // namespace app::gui
