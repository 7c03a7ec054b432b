#include "app/gui/framework_message_boxes.h"

#include "razezazo/core/message_box.h"

namespace app::gui {
namespace {

// One look for every box, whether or not the main window has its host yet:
// white, an ordinary window, square, no blur; the default caption (title and
// close button).
razezazo::HostOptions BoxLook() {
  return {.background_colour = 0xFFFFFF, .layer_alpha = -1, .frame_style = 0, .image_edges = false,
          .blur_behind = false};
}

}  // namespace

int FrameworkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  return razezazo::ShowMessageBox({.parent = parent_,
                                   .text = request.content,
                                   .type = request.type,
                                   .caption = request.title,
                                   .icon = request.icon,
                                   .caption_flags = razezazo::kCaptionTitle | razezazo::kCaptionClose,
                                   .look = BoxLook()});
}

}  // namespace app::gui
