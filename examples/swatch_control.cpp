#include "examples/swatch_control.h"

#include "platform/window/messages.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/widgets/paint_cycle.h"

namespace examples {
namespace {

gfx::Argb Scale(gfx::Argb c, int percent) {
  auto part = [percent](unsigned v) { return std::min(255u, v * static_cast<unsigned>(percent) / 100); };
  return gfx::MakeArgb(gfx::AlphaOf(c), part(gfx::RedOf(c)), part(gfx::GreenOf(c)), part(gfx::BlueOf(c)));
}

}  // namespace

std::intptr_t SwatchControl::OnEvent(int code, std::intptr_t, std::intptr_t) {
  switch (code) {
    case razezazo::event::kRepaint: Paint(); return 0;
    case razezazo::event::kMouseEnter:
      hot_ = true;
      Paint();
      return 0;
    case razezazo::event::kMouseLeave:
      hot_ = false, pressed_ = false;
      Paint();
      return 0;
    case winsys::WM_LBUTTONDOWN:
      pressed_ = true;
      Paint();
      return 0;
    case winsys::WM_LBUTTONUP:
      pressed_ = false;
      Paint();
      return 0;
    case razezazo::event::kClick: ++clicks_; return 0;
    default: return razezazo::kNotHandled;
  }
}

void SwatchControl::Paint() {
  razezazo::PaintContext context = razezazo::BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics) {
    gfx::Argb fill = pressed_ ? Scale(colour_, 70) : hot_ ? Scale(colour_, 125) : colour_;
    razezazo::FillRoundRect(*g, {0, 0, width(), height()}, 10, fill);
  }
  razezazo::EndPaint(*this, context);
}

}  // namespace examples
