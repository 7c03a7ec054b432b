#include "app/gui/program_icon.h"

#include "assets/assets.h"
#include "platform/gfx/image_decoder.h"

namespace app {

std::vector<gfx::Bitmap> ProgramIconImages() {
  std::vector<gfx::Bitmap> images;
  for (int size : {16, 32, 48, 256}) {
    std::optional<gfx::DecodedImage> decoded = gfx::DecodeImage(assets::ProgramIcon(size));
    if (decoded && !decoded->frames.empty()) images.push_back(std::move(decoded->frames.front()));
  }
  return images;
}

}  // namespace app
