#include "razezazo/controls/push_button.h"

#include <algorithm>

#include "razezazo/controls/automatic_text_colour.h"
#include "razezazo/drawing/border.h"
#include "razezazo/drawing/clip.h"
#include "razezazo/widgets/host_surface.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

constexpr int kTransitionIntervalMs = 60;
constexpr int kFadeSteps = 4;

FormatHandle MakeButtonFormat() {
  TextFormat format;
  format.Create(text_flags::kNoWrap, 0, false);
  format.SetAlignment(alignment::kNear);
  format.SetTrimming(0);
  format.SetHotkeyPrefix(static_cast<int>(gfx::HotkeyPrefix::Show));
  return format.Handle();
}

ControlOptions BaseOptions(const PushButtonOptions& options) {
  ControlOptions base;
  base.visible = options.visible;
  base.interactive = true;
  base.transition_interval_ms = kTransitionIntervalMs;
  base.transition_steps = 0;
  return base;
}

std::uint32_t HostBackgroundRgb(const HostSurface* host) {
  return host ? static_cast<std::uint32_t>(host->background_colour()) : 0;
}

SizeF SizeOf(const std::optional<FloatRect>& r) { return r ? SizeF{r->width, r->height} : SizeF{}; }

FloatRect Moved(const FloatRect& r, float dx, float dy) { return {r.x + dx, r.y + dy, r.width, r.height}; }

}  // namespace

unsigned AcceleratorKeyOf(const runtime::Text& caption) {
  const size_t amp = caption.find('&');
  if (amp == runtime::Text::npos || amp + 1 >= caption.size()) return 0;
  return static_cast<unsigned char>(caption[amp + 1]);
}

// --- creation ------------------------------------------------------------------------

void PushButton::Configure(const runtime::Text& caption, const PushButtonOptions& options, const HostSurface* host) {
  state_ = kButtonNormal;
  caption_ = runtime::GbkToUtf16(caption);
  font_ = ControlFont(options.font);
  text_effect_ = options.text_effect;
  text_colour_ = options.text_colour;
  rounded_ = options.rounded.value_or(host && host->frame_style() != frame_style::kSquare);
  format_ = MakeButtonFormat();
  halo_colour_ = options.halo_colour;
  automatic_text_colour_ = false;
  icon_bytes_.clear();
  icon_.reset();
  icon_layout_ = IconTextLayout::kIconLeftOfText;
  offset_x_ = offset_y_ = gap_ = 0;
}

// The fields are set before the base creates the canvas: creation already
// registers the accelerator and paints (events 1 and 15).
bool PushButton::Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& caption,
                        const PushButtonOptions& options) {
  Configure(caption, options, HostSurfaceOfWindow(host_window));
  return ControlBase::Create(host_window, bounds, ButtonKind(), BaseOptions(options));
}

bool PushButton::Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& caption,
                        const PushButtonOptions& options) {
  Configure(caption, options, HostSurfaceOfWindow(parent.host_window()));
  return ControlBase::Create(parent, bounds, ButtonKind(), BaseOptions(options));
}

// --- events --------------------------------------------------------------------------

std::intptr_t PushButton::OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) {
  const std::intptr_t hooked = EventHook(code, argument1, argument2);
  if (hooked != kNotHandled) return hooked;
  return SharedHandler(code);
}

std::intptr_t PushButton::SharedHandler(int code) {
  switch (code) {
    case event::kCreated: RegisterAccelerator(); return 0;
    case event::kDestroyed:
      format_.reset();
      font_.reset();
      icon_.reset();
      return 0;
    case event::kRepaint: Paint(); return 0;
    case winsys::WM_LBUTTONDOWN:
      if (interactive()) Paint(kButtonPressed);
      return 0;
    case winsys::WM_LBUTTONUP:
      if (interactive()) Paint(kButtonHot);
      return 0;
    case event::kFocusGained: Paint(kButtonFocused); return 0;
    case event::kFocusLost:
    case event::kMouseLeave: FadeTo(kButtonNormal); return 0;
    case event::kMouseEnter: FadeTo(kButtonHot); return 0;
    case event::kRepaintBroadcast:
      if (kind() == kKindPushButton) Paint();
      return 0;
    case event::kTransitionFinished: SetTransitionSteps(0); return 0;
    default: return kNotHandled;
  }
}

// A hidden or frozen button cannot run a transition; it keeps painting at once
// so that a later press does not fade.
void PushButton::FadeTo(int state) {
  SetTransitionSteps(visible() && redraw_enabled() ? kFadeSteps : 0);
  Paint(state);
}

void PushButton::RegisterAccelerator() {
  if (!self()) return;
  winsys::Current().Send(host_window(), host_message::kSetAccelerator, self(),
                         static_cast<winsys::LParam>(AcceleratorKeyOf(caption())));
}

// --- caption -------------------------------------------------------------------------

runtime::Text PushButton::caption() const { return runtime::Utf16ToGbk(caption_); }

void PushButton::SetCaption(const runtime::Text& caption) {
  std::u16string wide = runtime::GbkToUtf16(caption);
  if (wide == caption_) return;
  caption_ = std::move(wide);
  // The host's message hook sees the registration and may delete the button.
  const Handle me = self();
  RegisterAccelerator();
  if (Lookup<ControlBase>(me)) RepaintNow();
}

std::vector<std::uint8_t> PushButton::caption_bytes() const {
  const runtime::Text gbk = caption();
  return {gbk.begin(), gbk.end()};
}

void PushButton::SetCaptionBytes(std::span<const std::uint8_t> bytes) {
  SetCaption(runtime::Text(bytes.begin(), bytes.end()));
}

// --- plain setters: compare, store, repaint ------------------------------------------

void PushButton::SetTextColour(Color colour) { UpdateProperty(text_colour_, colour); }
void PushButton::SetTextEffect(int effect) { UpdateProperty(text_effect_, effect); }
void PushButton::SetHaloColour(Color colour) { UpdateProperty(halo_colour_, colour); }
void PushButton::SetRounded(bool rounded) { UpdateProperty(rounded_, rounded); }
void PushButton::SetAutomaticTextColour(bool automatic) { UpdateProperty(automatic_text_colour_, automatic); }
void PushButton::SetIconLayout(IconTextLayout layout) { UpdateProperty(icon_layout_, layout); }
void PushButton::SetOffsetX(float offset) { UpdateProperty(offset_x_, offset); }
void PushButton::SetOffsetY(float offset) { UpdateProperty(offset_y_, offset); }
void PushButton::SetGap(float gap) { UpdateProperty(gap_, gap); }
void PushButton::SetFont(FontHandle font) { UpdateProperty(font_, std::move(font)); }
void PushButton::SetFormat(FormatHandle format) { UpdateProperty(format_, std::move(format)); }

void PushButton::SetFontName(const runtime::Text& name) {
  if (font_ && name == font_name()) return;
  SetFont(font_ ? WithName(font_, name) : MakeFont(name));
}

void PushButton::SetFontSize(float size) {
  if (font_ && NearlyEqual(size, font_->Size())) return;
  SetFont(font_ ? WithSize(font_, size) : MakeFont(FontName(DefaultFont()), size));
}

void PushButton::SetFontStyle(int style) {
  if (font_ && style == font_->Style()) return;
  SetFont(font_ ? WithStyle(font_, style) : MakeFont(FontName(DefaultFont()), kDefaultFontSize, style));
}

void PushButton::ReleaseFont() { font_.reset(); }

void PushButton::SetIconBytes(std::span<const std::uint8_t> bytes) {
  if (std::equal(bytes.begin(), bytes.end(), icon_bytes_.begin(), icon_bytes_.end())) return;
  icon_bytes_.assign(bytes.begin(), bytes.end());
  // Decoded once here rather than on every paint; a block that does not decode shows no icon.
  icon_ = LoadImage(icon_bytes_);
  RepaintNow();
}

// --- paint ---------------------------------------------------------------------------

void PushButton::Paint(std::optional<int> state, bool erase) {
  if (!self()) return;
  if (state) state_ = *state;
  const int s = state_;
  PaintContext context = BeginPaint(*this, std::nullopt, erase);
  if (context.control_gone) return;  // composing the old picture ran handlers that deleted it
  if (gfx::Graphics* g = context.graphics) {
    if (!BackgroundHook(context, s)) DrawButtonFace(*g, width(), height(), s, HostBackgroundRgb(host()), rounded_);
    const bool no_focus_rect = DrawCaptionAndIcon(context, s);
    HostSurface* h = host();
    if (!no_focus_rect && h && h->focused() == this)
      DrawBorder(*g, Adjust(context.rect, 2, 2, -4, -5), border_style::kFocus);
  }
  EndPaint(*this, context);
}

bool PushButton::DrawCaptionAndIcon(PaintContext& context, int state) {
  gfx::Graphics& g = *context.graphics;
  const FloatRect area = Inset(context.rect);
  ClipToRect(g, area);
  const SizeF icon_size = icon_ ? SizeF{float(icon_->Width()), float(icon_->Height())} : SizeF{};
  const SizeF text_size = SizeOf(MeasureText(g, caption_, font_, format_, area));
  IconTextRects rects = LayoutIconText(area, text_size, icon_size, icon_layout_, offset_x_, offset_y_, gap_);
  if (state == kButtonPressed) {
    rects.icon = Moved(rects.icon, 1, 1);
    rects.text = Moved(rects.text, 1, 1);
  }
  const bool no_focus_rect = RectangleHook(context, state, rects.icon, rects.text);
  if (icon_) DrawNatural(g, icon_->Current(), rects.icon);
  if (!caption_.empty())
    DrawText(g, rects.text, caption_, font_, EffectiveTextColour(), format_, text_effect_, halo_colour_);
  ResetClip(g);
  return no_focus_rect;
}

Color PushButton::EffectiveTextColour() const {
  return automatic_text_colour_ ? AutomaticTextColour(*this, text_colour_) : text_colour_;
}

}  // namespace razezazo
