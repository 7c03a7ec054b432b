// The message box's background hook.
#include "assets/assets.h"
#include "razezazo/core/framework.h"
#include "razezazo/drawing/image.h"
#include "razezazo/popups/message_box.h"
#include "razezazo/popups/popup_window_hook.h"

namespace razezazo {
namespace {

constexpr float kIconCell = 40;

const gfx::Bitmap* Decoded(const ImageHandle& image) { return image ? &image->Current() : nullptr; }

const gfx::Bitmap* Skin() {
  static const ImageHandle skin = LoadImage(assets::MessageBoxSkin());
  return Decoded(skin);
}

const gfx::Bitmap* Icons(float scale) {
  static const ImageHandle icons = LoadScaledImage(assets::MessageBoxIcons(1), assets::MessageBoxIcons(2));
  return icons ? &icons->ForScale(scale) : nullptr;
}

// Cells of the icon strip, left to right.
std::optional<float> IconCellX(std::intptr_t kind) {
  switch (kind) {
    case kIconError: return 0;
    case kIconWarning: return 40;
    case kIconQuestion: return 80;
    case kIconInformation: return 120;
    case kIconDone: return 160;
    default: return std::nullopt;
  }
}

void DrawBand(gfx::Graphics& g, const gfx::Bitmap& skin, float from_row, float rows, const FloatRect& dest) {
  if (dest.width <= 0 || dest.height <= 0) return;
  g.DrawImage(skin, dest, {0, from_row, static_cast<float>(skin.Width()), rows});
}

}  // namespace

void PaintMessageBoxBackground(winsys::WindowId window, gfx::Graphics& g, int width, int height) {
  const float w = static_cast<float>(width) - 14, h = static_cast<float>(height);
  if (const gfx::Bitmap* skin = Skin()) {
    DrawBand(g, *skin, 0, 96, {7, 7, w, 96});
    DrawBand(g, *skin, 96, 33, {7, 103, w, h - 145});
    DrawBand(g, *skin, 129, 31, {7, h - 42, w, 35});
  }
  winsys::WindowSystem& system = winsys::Current();
  if (system.GetProp(window, property::kFlags) != kPopupMessageBox) return;
  const std::optional<float> cell = IconCellX(system.GetProp(window, property::kMessageBox));
  if (const gfx::Bitmap* icons = Icons(g.Target().Scale()); icons && cell)
    g.DrawImage(*icons, {30, 40, kIconCell, kIconCell}, {*cell, 0, kIconCell, kIconCell});
}

}  // namespace razezazo
