#include "app/gui/framework_message_boxes.h"

#include <iostream>

#include "app/gui/main_window_look.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/message_box.h"
#include "runtime/gbk.h"
#include "runtime/text_ops.h"

namespace app::gui {
namespace {

// A box that keeps its start size has its caption where the host made it, the
// title from x = 0 in the window's margin; laid out, it starts clear of the
// margin and may reach the caption buttons.
void LayOutCaption(winsys::WindowId box, int, int) {
  if (razezazo::RazezaZOHost* host = razezazo::HostOfWindow(box)) host->LayOutCaption();
}

// The view's types, icons and answers carry the framework's numbers; this is
// the one place that turns them into the framework's names and back.
static_assert(int{kBoxOk} == int{razezazo::kBoxOk} && int{kBoxYesNo} == int{razezazo::kBoxYesNo});
static_assert(int{kIconError} == int{razezazo::kIconError} && int{kIconQuestion} == int{razezazo::kIconQuestion} &&
              int{kIconWarning} == int{razezazo::kIconWarning} &&
              int{kIconInformation} == int{razezazo::kIconInformation});
static_assert(int{kAnswerOk} == int{razezazo::kResultOk} && int{kAnswerCancel} == int{razezazo::kResultCancel} &&
              int{kAnswerYes} == int{razezazo::kResultYes} && int{kAnswerNo} == int{razezazo::kResultNo});

}  // namespace

int FrameworkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  // The detail is a line of its own under the content; an error's is said on
  // standard error too, where a terminal or the session's log keeps it.
  runtime::Text text = request.content;
  if (!request.detail.empty()) {
    if (request.icon == kIconError) std::cerr << "brivo: " << runtime::GbkToUtf8(request.detail) << std::endl;
    text = runtime::Concat(text, "\n", request.detail);
  }
  return razezazo::ShowMessageBox({.parent = parent_,
                                   .text = text,
                                   .type = static_cast<razezazo::MessageBoxType>(request.type),
                                   .caption = request.title,
                                   .icon = static_cast<razezazo::MessageBoxIcon>(request.icon),
                                   .caption_flags = kMessageBoxCaption,
                                   .look = MessageBoxLook(),
                                   .on_built = LayOutCaption});
}

}  // namespace app::gui
