#include "razezazo/controls/caption_button_strip.h"

#include "assets/assets.h"
#include "razezazo/drawing/image.h"

namespace razezazo {
namespace {

constexpr int kFaceY = 2;
constexpr int kFaceHeight = 19;

// The normal face's x; the hot and pressed faces follow, each one face width + 1 further.
int NormalX(int button_kind, bool zoomed) {
  switch (button_kind) {
    case 4: return 0;
    case 8: return zoomed ? 207 : 120;
    case 16: return 294;
    case 32: return 381;
    case 64: return 468;
    case 128: return 555;
    case 256: return 642;
    default: return -1;
  }
}

}  // namespace

const gfx::Bitmap& CaptionButtonStrip() {
  static const gfx::Bitmap strip = [] {
    ImageHandle image = LoadImage(assets::CaptionButtons());
    return image ? image->Current().Clone() : gfx::Bitmap();
  }();
  return strip;
}

int CaptionButtonWidth(int button_kind) { return button_kind == 4 ? 39 : 28; }

FloatRect CaptionButtonFace(int button_kind, int state, bool zoomed) {
  const int normal_x = NormalX(button_kind, zoomed);
  if (normal_x < 0) return {};
  const int width = CaptionButtonWidth(button_kind);
  const int step = (state == 1 || state == 2) ? state : 0;
  return {static_cast<float>(normal_x + step * (width + 1)), kFaceY, static_cast<float>(width), kFaceHeight};
}

}  // namespace razezazo
