#include "app/gui/framework_message_boxes.h"

#include "razezazo/core/message_box.h"

namespace app::gui {

int FrameworkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  return razezazo::ShowMessageBox(
      {.parent = parent_, .text = request.content, .type = request.type, .caption = request.title, .icon = request.icon});
}

}  // namespace app::gui
