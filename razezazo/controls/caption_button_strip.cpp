#include "razezazo/controls/caption_button_strip.h"

#include "assets/assets.h"
#include "razezazo/controls/caption_button.h"
#include "razezazo/drawing/image.h"

namespace razezazo {
namespace {

constexpr int kFaceY = 2;
constexpr int kFaceHeight = 19;

// The normal face's x; the hot and pressed faces follow, each one face width + 1 further.
int NormalX(int button_kind, bool zoomed) {
  switch (button_kind) {
    case kCaptionButtonClose: return 0;
    case kCaptionButtonMaximize: return zoomed ? 207 : 120;
    case kCaptionButtonMinimize: return 294;
    case kCaptionButtonFree32: return 381;
    case kCaptionButtonFree64: return 468;
    case kCaptionButtonFree128: return 555;
    case kCaptionButtonFree256: return 642;
    default: return -1;
  }
}

}  // namespace

const gfx::Bitmap& CaptionButtonStrip(float scale) {
  static const ImageHandle strip = LoadScaledImage(assets::CaptionButtons(1), assets::CaptionButtons(2));
  static const gfx::Bitmap none;
  return strip ? strip->ForScale(scale) : none;
}

int CaptionButtonWidth(int button_kind) { return button_kind == kCaptionButtonClose ? 39 : 28; }

FloatRect CaptionButtonFace(int button_kind, int state, bool zoomed) {
  const int normal_x = NormalX(button_kind, zoomed);
  if (normal_x < 0) return {};
  const int width = CaptionButtonWidth(button_kind);
  const int step = (state == kCaptionHot || state == kCaptionPressed) ? state : 0;
  return {static_cast<float>(normal_x + step * (width + 1)), kFaceY, static_cast<float>(width), kFaceHeight};
}

}  // namespace razezazo
