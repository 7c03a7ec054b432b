#include "razezazo/controls/label_control.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "razezazo/controls/automatic_text_colour.h"
#include "razezazo/drawing/clip.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/paint_cycle.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

constexpr int kSingleLineFlags = text_flags::kNoWrap;
constexpr int kMultiLineFlags = text_flags::kMultiLineLabel;

FormatHandle MakeLabelFormat(const LabelOptions& options) {
  TextFormat format;
  format.Create(options.multi_line ? kMultiLineFlags : kSingleLineFlags, 0, false);
  format.SetAlignment(options.alignment);
  format.SetTrimming(options.trimming);
  format.SetHotkeyPrefix(0);
  return format.Handle();
}

ControlOptions BaseOptions(const LabelOptions& options) {
  ControlOptions base;
  base.visible = options.visible;
  base.interactive = false;
  return base;
}

}  // namespace

FloatRect LabelTextRect(const FloatRect& t, float text_height, float font_height, bool multi_line,
                        vertical_alignment::Kind vertical_alignment) {
  if (multi_line) return {t.x, t.y, t.width, t.height + font_height + 3};
  float y = t.y + (t.height - text_height) / 2;
  if (vertical_alignment == vertical_alignment::kTop) y = t.y + 2;
  if (vertical_alignment == vertical_alignment::kBottom) y = t.y + t.height - text_height - 2;
  return {t.x, y, t.width, text_height};
}

// --- creation ------------------------------------------------------------------------

void LabelControl::Configure(const runtime::Text& text, const LabelOptions& options) {
  font_ = ControlFont(options.font);
  text_ = runtime::GbkToUtf16(text);
  text_colour_ = options.text_colour;
  background_mode_ = options.background_mode;
  background_colour1_ = options.background_colour1;
  background_colour2_ = options.background_colour2;
  multi_line_ = options.multi_line;
  vertical_alignment_ = options.vertical_alignment;
  text_effect_ = options.text_effect;
  border_ = options.border;
  automatic_text_colour_ = options.automatic_text_colour;
  halo_colour_ = options.halo_colour;
  format_ = MakeLabelFormat(options);
  text_width_ = text_height_ = 0;
  pending_change_.reset();
}

// The fields are set before the base creates the canvas: creation already
// measures and paints (events 1 and 15).
bool LabelControl::Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& text,
                          const LabelOptions& options) {
  Configure(text, options);
  return ControlBase::Create(host_window, bounds, kKindLabel, BaseOptions(options));
}

bool LabelControl::Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& text,
                          const LabelOptions& options) {
  Configure(text, options);
  return ControlBase::Create(parent, bounds, kKindLabel, BaseOptions(options));
}

void LabelControl::Release() {
  text_.clear();
  font_.reset();
  format_.reset();
  pending_change_.reset();
}

// --- events --------------------------------------------------------------------------

std::intptr_t LabelControl::OnEvent(int code, std::intptr_t, std::intptr_t) {
  switch (code) {
    case event::kCreated:
    case event::kBoundsChanged: Measure(); return 0;
    case event::kDestroyed: Release(); return 0;
    case event::kRepaint: Paint(); return 0;
    case event::kFocusGained:
    case event::kFocusLost:
      if (interactive()) Paint();
      return 0;
    case event::kRepaintBroadcast:
      if (automatic_text_colour_) Paint();
      return 0;
    case event::kTransitionFinished:
      pending_change_.reset();
      SetTransitionSteps(0);
      return 0;
    default: return kNotHandled;
  }
}

// --- text ----------------------------------------------------------------------------

runtime::Text LabelControl::text() const { return runtime::Utf16ToGbk(text_); }

void LabelControl::SetText(const runtime::Text& text, std::optional<TextChange> change) {
  std::u16string wide = runtime::GbkToUtf16(text);
  if (wide == text_) return;
  text_ = std::move(wide);
  if (change) {
    SetTransitionKind(change->kind);
    pending_change_ = change;
  }
  Remeasure();
}

// --- plain setters: compare, store, repaint ------------------------------------------

void LabelControl::SetTextColour(Color colour) { UpdateProperty(text_colour_, colour); }
void LabelControl::SetHaloColour(Color colour) { UpdateProperty(halo_colour_, colour); }
void LabelControl::SetBackgroundColour1(Color colour) { UpdateProperty(background_colour1_, colour); }
void LabelControl::SetBackgroundColour2(Color colour) { UpdateProperty(background_colour2_, colour); }
void LabelControl::SetBackgroundMode(label_background::Kind mode) { UpdateProperty(background_mode_, mode); }
void LabelControl::SetVerticalAlignment(vertical_alignment::Kind alignment) {
  UpdateProperty(vertical_alignment_, alignment);
}
void LabelControl::SetTextEffect(int effect) { UpdateProperty(text_effect_, effect); }
void LabelControl::SetBorder(BorderStyle border) { UpdateProperty(border_, border); }
void LabelControl::SetAutomaticTextColour(bool automatic) { UpdateProperty(automatic_text_colour_, automatic); }

// --- font and format: they change the text's size, so measure again -----------------

void LabelControl::Remeasure() {
  Measure();
  Paint();
}

void LabelControl::SetFontName(const runtime::Text& name) {
  if (name == font_name()) return;
  font_ = WithName(font_, name);
  Remeasure();
}

void LabelControl::SetFontSize(float size) {
  if (font_ && NearlyEqual(size, font_->Size())) return;
  font_ = WithSize(font_, size);
  Remeasure();
}

void LabelControl::SetFontStyle(int style) {
  if (font_ && style == font_->Style()) return;
  font_ = WithStyle(font_, style);
  Remeasure();
}

void LabelControl::SetFont(FontHandle font) {
  if (font == font_) return;
  font_ = std::move(font);
  Remeasure();
}

void LabelControl::SetFormat(FormatHandle format) {
  if (format == format_) return;
  format_ = std::move(format);
  Remeasure();
}

// A format handle may be held by other controls too (SetFormat takes any
// handle): a change makes a new format for this label and leaves the one it
// held as it is. True when the format changed (and the label re-measured).
bool LabelControl::ChangeFormat(const std::function<void(gfx::StringFormat&)>& change) {
  if (!format_) return false;
  auto changed = std::make_shared<gfx::StringFormat>(*format_);
  change(*changed);
  if (*changed == *format_) return false;
  format_ = std::move(changed);
  Remeasure();
  return true;
}

int LabelControl::trimming() const { return format_ ? static_cast<int>(format_->trimming) : 0; }
void LabelControl::SetTrimming(int trimming) {
  ChangeFormat([&](gfx::StringFormat& f) { f.trimming = static_cast<gfx::Trimming>(std::clamp(trimming, 0, 5)); });
}

int LabelControl::format_flags() const { return format_ ? format_->flags : 0; }
void LabelControl::SetFormatFlags(int flags) {
  ChangeFormat([&](gfx::StringFormat& f) { f.flags = flags; });
}

alignment::Kind LabelControl::alignment() const {
  return format_ ? static_cast<alignment::Kind>(format_->alignment) : alignment::kNear;
}
void LabelControl::SetAlignment(alignment::Kind alignment) {
  ChangeFormat(
      [&](gfx::StringFormat& f) { f.alignment = static_cast<gfx::StringAlignment>(std::clamp<int>(alignment, 0, 2)); });
}

// Multi-line replaces no-wrap by its own flags and back; other flags stay.
void LabelControl::SetMultiLine(bool multi_line) {
  if (multi_line == multi_line_) return;
  multi_line_ = multi_line;
  const bool remeasured = ChangeFormat([&](gfx::StringFormat& f) {
    const int kept = f.flags & ~(kSingleLineFlags | kMultiLineFlags);
    f.flags = kept | (multi_line ? kMultiLineFlags : kSingleLineFlags);
  });
  if (!remeasured) Remeasure();
}

// --- measure and paint ---------------------------------------------------------------

void LabelControl::Measure() {
  gfx::Graphics* g = canvas_graphics();
  if (!g) return;
  // A single line measures in the label's width at one line's height; a
  // multi-line text in an unbounded rectangle.
  const FloatRect layout = multi_line_ ? FloatRect{} : FloatRect{x(), y(), width(), FontHeight(font_)};
  const FloatRect size = MeasureTextSize(*g, text_, font_, format_, layout);
  text_width_ = std::round(PaddedTextWidth(size.width, font_));
  text_height_ = std::round(size.height);
}

// A text change animates only when the transition can really start (the label
// is shown and redrawn); otherwise the change is dropped, so that a later
// unrelated repaint does not animate.
void LabelControl::ApplyPendingChange() {
  if (!pending_change_) return;
  if (visible() && redraw_enabled()) {
    SetTransitionSteps(pending_change_->steps, pending_change_->interval_ms);
    return;
  }
  pending_change_.reset();
  SetTransitionSteps(0);
}

void LabelControl::Paint() {
  if (!self()) return;
  ApplyPendingChange();
  PaintContext context = BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics) {
    const FloatRect& r = context.rect;
    // The background goes first so that it does not hide the border's top and left lines.
    if (background_mode_ != label_background::kNone)
      GradientFillRect(*g, r, background_colour1_, background_colour2_,
                       static_cast<gfx::GradientMode>(std::clamp<int>(background_mode_, 0, 3)));
    if (border_ != border_style::kNone) DrawBorder(*g, r, border_);
    if (!text_.empty()) DrawCaption(*g, r);
  }
  EndPaint(*this, context);
}

void LabelControl::DrawCaption(gfx::Graphics& g, const FloatRect& r) {
  const FloatRect area = Adjust(r, 2, 2, -4, -4);
  ClipToRect(g, area);
  const FloatRect text_rect = TextRect(area);
  OnDrawText(g, text_rect);
  DrawText(g, InsideMeasuringPadding(text_rect, font_), text_, font_, EffectiveTextColour(), format_, text_effect_,
           halo_colour_);
  ResetClip(g);
  HostSurface* h = host();
  if (h && h->focused() == this) DrawBorder(g, r, border_style::kFocus);
}

FloatRect LabelControl::TextRect(const FloatRect& area) const {
  return LabelTextRect(area, text_height_, FontHeight(font_), multi_line_, vertical_alignment_);
}

Color LabelControl::EffectiveTextColour() const {
  return automatic_text_colour_ ? AutomaticTextColour(*this, text_colour_) : text_colour_;
}

}  // namespace razezazo
