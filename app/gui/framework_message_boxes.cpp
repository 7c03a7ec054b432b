#include "app/gui/framework_message_boxes.h"

#include <iostream>

#include "razezazo/core/message_box.h"
#include "runtime/gbk.h"
#include "runtime/text_ops.h"

namespace app::gui {

int FrameworkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  // The detail is a line of its own under the content; an error's is said on
  // standard error too, where a terminal or the session's log keeps it.
  runtime::Text text = request.content;
  if (!request.detail.empty()) {
    if (request.icon == kIconError) std::cerr << "brivo: " << runtime::GbkToUtf8(request.detail) << std::endl;
    text = runtime::Concat(text, "\n", request.detail);
  }
  return razezazo::ShowMessageBox(
      {.parent = parent_, .text = text, .type = request.type, .caption = request.title, .icon = request.icon});
}

}  // namespace app::gui
