#include "assets/assets.h"

#include <cstddef>

namespace assets::embedded {
#define BRIVO_EMBEDDED(id)         \
  extern const unsigned char id[]; \
  extern const std::size_t id##_size;
BRIVO_EMBEDDED(main_background_jpg)
BRIVO_EMBEDDED(main_background_2x_jpg)
BRIVO_EMBEDDED(caption_buttons_png)
BRIVO_EMBEDDED(caption_buttons_2x_png)
BRIVO_EMBEDDED(push_button_skin_png)
BRIVO_EMBEDDED(push_button_skin_2x_png)
BRIVO_EMBEDDED(message_box_skin_png)
BRIVO_EMBEDDED(message_box_icons_png)
BRIVO_EMBEDDED(message_box_icons_2x_png)
BRIVO_EMBEDDED(program_icon_16_png)
BRIVO_EMBEDDED(program_icon_32_png)
BRIVO_EMBEDDED(program_icon_48_png)
BRIVO_EMBEDDED(program_icon_256_png)
#undef BRIVO_EMBEDDED
}  // namespace assets::embedded

namespace assets {

namespace e = embedded;

namespace {
Bytes AtScale(int scale, Bytes at_1x, Bytes at_2x) { return scale == 2 ? at_2x : at_1x; }
}  // namespace

Bytes MainBackground(int scale) {
  return AtScale(scale, {e::main_background_jpg, e::main_background_jpg_size},
                 {e::main_background_2x_jpg, e::main_background_2x_jpg_size});
}
Bytes CaptionButtons(int scale) {
  return AtScale(scale, {e::caption_buttons_png, e::caption_buttons_png_size},
                 {e::caption_buttons_2x_png, e::caption_buttons_2x_png_size});
}
Bytes PushButtonSkin(int scale) {
  return AtScale(scale, {e::push_button_skin_png, e::push_button_skin_png_size},
                 {e::push_button_skin_2x_png, e::push_button_skin_2x_png_size});
}
Bytes MessageBoxSkin() { return {e::message_box_skin_png, e::message_box_skin_png_size}; }
Bytes MessageBoxIcons(int scale) {
  return AtScale(scale, {e::message_box_icons_png, e::message_box_icons_png_size},
                 {e::message_box_icons_2x_png, e::message_box_icons_2x_png_size});
}

Bytes ProgramIcon(int size) {
  switch (size) {
    case 16: return {e::program_icon_16_png, e::program_icon_16_png_size};
    case 32: return {e::program_icon_32_png, e::program_icon_32_png_size};
    case 256: return {e::program_icon_256_png, e::program_icon_256_png_size};
    default: return {e::program_icon_48_png, e::program_icon_48_png_size};
  }
}

}  // namespace assets
