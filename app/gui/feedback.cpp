#include "app/gui/feedback.h"

#include "razezazo/controls/caption_button.h"
#include "runtime/gbk.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"

namespace app::gui {
namespace {

// The caption-button kind of a control: its own for a caption button, else -1.
int CaptionButtonKindOf(const razezazo::ControlBase* control) {
  if (!control || control->kind() != razezazo::kKindCaptionButton) return -1;
  return static_cast<const razezazo::CaptionButton*>(control)->button_kind();
}

}  // namespace

runtime::Text FeedbackLink(const Config& config) {
  return runtime::Concat("http://", config.feedback_mail_host,
                         "/cgi-bin/qm_share?t=qm_mailme&email=", config.feedback_address_param,
                         "&subject=brivo_report");
}

void ClearFields(MainView& view) {
  for (EditBox box : {EditBox::kAddress, EditBox::kResult, EditBox::kPath}) view.SetEditText(box, {});
}

razezazo::MouseHook FeedbackHook(const Config& config) {
  return [link = FeedbackLink(config)](winsys::WindowId, razezazo::ControlBase* control, winsys::WParam, winsys::LParam,
                                       int kind) {
    if (kind != razezazo::kKindCaptionButton) return;
    if (CaptionButtonKindOf(control) == razezazo::kCaptionButtonFree128) runtime::ShellOpen(link);
  };
}

}  // namespace app::gui
