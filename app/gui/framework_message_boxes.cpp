#include "app/gui/framework_message_boxes.h"

#include "razezazo/core/host.h"
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

// A box that keeps its start size has its caption where the host made it, the
// title from x = 0 in the window's margin; laid out, it starts clear of the
// margin and may reach the caption buttons.
void LayOutCaption(winsys::WindowId box, int, int) {
  if (razezazo::RazezaZOHost* host = razezazo::HostOfWindow(box)) host->LayOutCaption();
}

}  // namespace

int FrameworkMessageBoxes::ShowMessageBox(const MessageBoxRequest& request) {
  return razezazo::ShowMessageBox({.parent = parent_,
                                   .text = request.content,
                                   .type = request.type,
                                   .caption = request.title,
                                   .icon = request.icon,
                                   .caption_flags = razezazo::kCaptionTitle | razezazo::kCaptionClose,
                                   .look = BoxLook(),
                                   .on_built = LayOutCaption});
}

}  // namespace app::gui
