#include "app/gui/main_window_look.h"

#include "assets/assets.h"

namespace app::gui {

razezazo::FrameworkWindowOptions MainWindowOptions() {
  return {.width = 380,
          .height = 338,
          .style = winsys::WS_POPUP | winsys::WS_CLIPCHILDREN | winsys::WS_MINIMIZEBOX | winsys::WS_SYSMENU};
}

razezazo::HostOptions MainHostOptions() {
  return {.background_image = assets::MainBackground(),
          .background_image_2x = assets::MainBackground(2),
          .background_colour = 0xFFFFFF,
          .caption_flags = razezazo::kCaptionFromStyles | razezazo::kCaptionFree128,
          .layer_alpha = -1,
          .frame_style = razezazo::frame_style::kSquare,
          .initial_paint = false,
          .resizable = false,
          .drag_anywhere = true,
          .image_edges = false,
          .blur_behind = false,
          .creation_rect = razezazo::FloatRect{}};
}

razezazo::HostOptions MessageBoxLook() {
  return {.background_colour = 0xFFFFFF,
          .layer_alpha = -1,
          .frame_style = razezazo::frame_style::kSquare,
          .image_edges = false,
          .blur_behind = false};
}

}  // namespace app::gui
