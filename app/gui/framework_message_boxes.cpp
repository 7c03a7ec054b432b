#include "app/gui/framework_message_boxes.h"

#include <iostream>

#include "razezazo/core/message_box.h"
#include "runtime/gbk.h"
#include "runtime/text_ops.h"

namespace app::gui {

int FrameworkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  // A reason is a line of its own under the content, and said on standard
  // error too, where a terminal or the session's log keeps it.
  runtime::Text text = request.content;
  if (!request.reason.empty()) {
    std::cerr << "brivo: " << runtime::GbkToUtf8(request.reason) << std::endl;
    text = runtime::Concat(text, "\n", request.reason);
  }
  return razezazo::ShowMessageBox(
      {.parent = parent_, .text = text, .type = request.type, .caption = request.title, .icon = request.icon});
}

}  // namespace app::gui
