#include "razezazo/controls/group_box_control.h"

#include <cmath>

#include "razezazo/drawing/clip.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/widgets/paint_cycle.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

FormatHandle MakeCaptionFormat() {
  TextFormat format;
  format.Create(text_flags::kNoWrap, 0, false);
  format.SetHotkeyPrefix(0);
  return format.Handle();
}

ControlOptions BaseOptions(const GroupBoxOptions& options) {
  ControlOptions base;
  base.visible = options.visible;
  base.interactive = false;
  return base;
}

}  // namespace

GroupBoxGeometry LayOutGroupBox(float w, float h, float cw, float ch, alignment::Kind caption_alignment) {
  const float k = std::trunc(ch / 2);
  const FloatRect frame = Adjust({0, 0, w, h}, 1, k + 1, -2, -k - 2);
  float x = 8;
  if (caption_alignment == alignment::kCentre) x = (w - 2 - 14 - cw) / 2 + 8;
  if (caption_alignment == alignment::kFar) x = w - 2 - 8 - cw;
  return {frame, {x, 2, cw - 1, ch}};
}

void GroupBoxControl::Configure(const runtime::Text& caption, const GroupBoxOptions& options) {
  caption_ = runtime::GbkToUtf16(caption);
  caption_alignment_ = options.caption_alignment;
  font_ = ControlFont(options.font);
  text_colour_ = options.text_colour;
  format_ = MakeCaptionFormat();
  text_effect_ = options.text_effect;
  halo_colour_ = options.halo_colour;
  background_colour_ = options.background_colour;
  border_ = options.border;
  rounded_ = options.rounded;
  caption_width_ = caption_height_ = 0;
}

bool GroupBoxControl::Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& caption,
                             const GroupBoxOptions& options) {
  Configure(caption, options);
  return ControlBase::Create(host_window, bounds, kKindGroupBox, BaseOptions(options));
}

bool GroupBoxControl::Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& caption,
                             const GroupBoxOptions& options) {
  Configure(caption, options);
  return ControlBase::Create(parent, bounds, kKindGroupBox, BaseOptions(options));
}

std::intptr_t GroupBoxControl::OnEvent(int code, std::intptr_t, std::intptr_t) {
  switch (code) {
    case event::kCreated:
    case event::kBoundsChanged: Measure(); return 0;
    case event::kDestroyed:
      font_.reset();
      format_.reset();
      return 0;
    case event::kRepaint: Paint(); return 0;
    default: return kNotHandled;
  }
}

runtime::Text GroupBoxControl::caption() const { return runtime::Utf16ToGbk(caption_); }

void GroupBoxControl::SetCaption(const runtime::Text& caption) {
  std::u16string wide = runtime::GbkToUtf16(caption);
  if (wide == caption_) return;
  caption_ = std::move(wide);
  Measure();
  Paint();
}

void GroupBoxControl::SetFont(FontHandle font) {
  if (font == font_) return;
  font_ = std::move(font);
  Measure();
  Paint();
}

void GroupBoxControl::SetTextColour(Color colour) { UpdateProperty(text_colour_, colour); }
void GroupBoxControl::SetCaptionAlignment(alignment::Kind alignment) { UpdateProperty(caption_alignment_, alignment); }
void GroupBoxControl::SetBackgroundColour(Color colour) { UpdateProperty(background_colour_, colour); }
void GroupBoxControl::SetBorder(BorderStyle border) { UpdateProperty(border_, border); }
void GroupBoxControl::SetRounded(bool rounded) { UpdateProperty(rounded_, rounded); }

// The caption measures in one line's height, 8 pixels in from either side,
// with the measuring padding that keeps the frame line off its glyphs.
void GroupBoxControl::Measure() {
  gfx::Graphics* g = canvas_graphics();
  if (!g) return;
  FloatRect layout = bounds();
  layout.height = FontHeight(font_);
  layout = Adjust(layout, 8, 0, -16, 0);
  const FloatRect size = MeasureTextSize(*g, caption_, font_, format_, layout);
  caption_width_ = std::round(PaddedTextWidth(size.width, font_));
  caption_height_ = std::round(size.height);
}

void GroupBoxControl::Paint() {
  if (!self()) return;
  PaintContext context = BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics) {
    const FloatRect& r = context.rect;
    const GroupBoxGeometry geometry =
        LayOutGroupBox(r.width, r.height, caption_width_, caption_height_, caption_alignment_);
    const FloatRect& frame = geometry.frame;
    const gfx::Path path = RoundRectPath(frame, 6);
    if (background_colour_ != 0) {
      if (rounded_) {
        FillPath(*g, path, background_colour_);
      } else {
        ClipToRect(*g, frame);
        SolidFillRect(*g, frame, background_colour_);
      }
    }
    // The caption is cut out of the clip while the frame is drawn.
    ClipToRect(*g, frame);
    ClipToRect(*g, geometry.caption, 4);
    if (rounded_)
      OutlinePath(*g, path, border_);
    else
      DrawBorder(*g, frame, border_);
    ResetClip(*g);
    const FloatRect caption_rect = InsideMeasuringPadding(Adjust(geometry.caption, 0, 0, 5, 0), font_);
    DrawText(*g, caption_rect, caption_, font_, text_colour_, format_, text_effect_, halo_colour_);
  }
  EndPaint(*this, context);
}

}  // namespace razezazo
