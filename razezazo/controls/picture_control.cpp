#include "razezazo/controls/picture_control.h"

#include <algorithm>

#include "razezazo/drawing/shapes.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

// Windows never runs a timer faster than every 10 ms; a frame delay of 0 would
// otherwise spin.
constexpr int kShortestFrameMs = 10;

ControlOptions BaseOptions(const PictureOptions& options) {
  ControlOptions base;
  base.visible = options.visible;
  base.interactive = options.interactive;
  return base;
}

PictureOptions IconOptions(PictureOptions options) {
  options.playing = false;
  options.fix_zero_delays = false;
  options.margins = {};
  return options;
}

ImageHandle IconImage(const Icon& icon) {
  std::vector<gfx::Bitmap> frames;
  frames.push_back(ImageFromIcon(icon));
  return std::make_unique<LoadedImage>(std::move(frames), std::nullopt);
}

}  // namespace

// --- creation ------------------------------------------------------------------------

void PictureControl::Configure(const PictureOptions& options) {
  playing_ = options.playing;
  draw_mode_ = options.draw_mode;
  background_ = options.background;
  border_ = options.border;
  fix_zero_delays_ = options.fix_zero_delays;
  margins_ = options.margins;
  pending_kind_.reset();
}

void PictureControl::ConfigureFromIcon(const Icon& icon, const PictureOptions& options) {
  Configure(IconOptions(options));
  bytes_.clear();
  Adopt(IconImage(icon));
}

bool PictureControl::Create(winsys::WindowId host_window, const FloatRect& bounds, std::span<const std::uint8_t> bytes,
                            const PictureOptions& options) {
  Configure(options);
  Load(bytes);
  return ControlBase::Create(host_window, bounds, kKindPicture, BaseOptions(options));
}

bool PictureControl::Create(ControlBase& parent, const FloatRect& bounds, std::span<const std::uint8_t> bytes,
                            const PictureOptions& options) {
  Configure(options);
  Load(bytes);
  return ControlBase::Create(parent, bounds, kKindPicture, BaseOptions(options));
}

bool PictureControl::CreateFromIcon(winsys::WindowId host_window, const FloatRect& bounds, const Icon& icon,
                                    const PictureOptions& options) {
  ConfigureFromIcon(icon, options);
  return ControlBase::Create(host_window, bounds, kKindPicture, BaseOptions(options));
}

bool PictureControl::CreateFromIcon(ControlBase& parent, const FloatRect& bounds, const Icon& icon,
                                    const PictureOptions& options) {
  ConfigureFromIcon(icon, options);
  return ControlBase::Create(parent, bounds, kKindPicture, BaseOptions(options));
}

// Animated images keep all their frames (the stream is kept).
void PictureControl::Load(std::span<const std::uint8_t> bytes) {
  bytes_.assign(bytes.begin(), bytes.end());
  Adopt(LoadImage(bytes_, false, true));
}

void PictureControl::Adopt(ImageHandle image) {
  image_ = std::move(image);
  if (image_ && image_->Current().IsNull()) image_.reset();
  frame_count_ = image_ ? std::max(image_->FrameCount(), 1) : 0;
  delays_ = image_ ? image_->FrameDelays(fix_zero_delays_) : std::vector<int>{};
  current_frame_ = image_ ? 1 : 0;
}

void PictureControl::Release() {
  StopTimer();
  playing_ = false;
  current_frame_ = frame_count_ = 0;
  image_.reset();
  bytes_.clear();
  delays_.clear();
  pending_kind_.reset();
}

// --- events --------------------------------------------------------------------------

std::intptr_t PictureControl::OnEvent(int code, std::intptr_t, std::intptr_t) {
  switch (code) {
    case event::kDestroyed: Release(); return 0;
    case event::kRepaint:
    case event::kShown: Paint(); return 0;
    case event::kTimer: OnTimer(); return 0;
    case event::kTransitionFinished:
      SetTransitionSteps(0);
      pending_kind_.reset();
      return 0;
    default: return kNotHandled;
  }
}

void PictureControl::OnTimer() {
  if (pending_kind_) return;  // frames wait until the new image has arrived
  if (!playing_ || frame_count_ == 0)
    StopTimer();
  else
    Paint();
}

void PictureControl::StopTimer() {
  if (self()) winsys::Current().KillTimer(host_window(), self());
}

// --- setters -------------------------------------------------------------------------

void PictureControl::SetPlaying(bool playing) { UpdateProperty(playing_, playing); }
void PictureControl::SetBackground(Color colour) { UpdateProperty(background_, colour); }
void PictureControl::SetBorder(BorderStyle border) { UpdateProperty(border_, border); }
void PictureControl::SetDrawMode(DrawMode mode) { UpdateProperty(draw_mode_, mode); }
void PictureControl::SetMargins(const NineGridMargins& margins) { UpdateProperty(margins_, margins); }

void PictureControl::SetFixZeroDelays(bool fix) {
  if (fix == fix_zero_delays_) return;
  fix_zero_delays_ = fix;
  if (image_) delays_ = image_->FrameDelays(fix_zero_delays_);
  Paint();
}

const std::vector<std::uint8_t>& PictureControl::SetImage(std::span<const std::uint8_t> bytes,
                                                          std::optional<ImageChange> change) {
  if (change) {
    pending_kind_ = change->kind;
    SetTransitionKind(change->kind);
  } else {
    pending_kind_.reset();
  }
  std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());  // bytes may be our own
  Load(copy);
  if (change) SetTransitionSteps(change->steps, change->interval_ms);
  Paint();
  return bytes_;
}

// --- paint ---------------------------------------------------------------------------

void PictureControl::Paint() {
  if (!self()) return;
  // A change that cannot animate now (nothing to draw, hidden, frozen) is
  // dropped: a pending change holds the frame timer back until it finishes.
  const bool can_animate = current_frame_ != 0 && !disabled() && visible() && redraw_enabled();
  if (pending_kind_ && !can_animate) {
    pending_kind_.reset();
    SetTransitionSteps(0);
  }
  if (current_frame_ == 0) return;
  if (disabled()) {
    ++current_frame_;  // the visible frame stays; the count goes on
    return;
  }
  if (current_frame_ > frame_count_ || !playing_) current_frame_ = 1;
  const int shown = current_frame_;
  PaintContext context = BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics) {
    const FloatRect& r = context.rect;
    if (background_ != 0) SolidFillRect(*g, r, background_);
    if (frame_count_ > 1) image_->SelectFrame(shown - 1);
    DrawImage(*g, r);
    if (border_ != border_style::kNone) DrawBorder(*g, r, border_);
    HostSurface* h = host();
    if (h && h->focused() == this) DrawBorder(*g, r, border_style::kFocus);
  }
  if (EndPaint(*this, context)) ScheduleNextFrame(shown);
}

void PictureControl::DrawImage(gfx::Graphics& g, const FloatRect& r) {
  const gfx::Bitmap& picture = image_->Current();
  switch (draw_mode_) {
    case DrawMode::kNatural: return DrawNatural(g, picture, r);
    case DrawMode::kCentred: return DrawCentred(g, picture, r);
    case DrawMode::kNineGrid:
      if (margins_.IsEmpty()) return DrawNatural(g, picture, r);
      return DrawNineGrid(
          g, picture, r,
          {static_cast<float>(margins_.left), static_cast<float>(margins_.top),
           static_cast<float>(margins_.right - margins_.left), static_cast<float>(margins_.bottom - margins_.top)});
    default: return DrawStretched(g, picture, r);
  }
}

// Each frame stays for its own delay: the timer that ends the frame just
// shown runs for that frame's delay. A still image needs no timer at all.
void PictureControl::ScheduleNextFrame(int shown) {
  if (frame_count_ < 2) {
    ++current_frame_;
    StopTimer();
    return;
  }
  StopTimer();
  current_frame_ = (current_frame_ >= frame_count_ || !playing_) ? 1 : current_frame_ + 1;
  const size_t index = static_cast<size_t>(shown - 1);
  const int delay = index < delays_.size() ? delays_[index] : 10;
  winsys::Current().SetTimer(host_window(), self(), static_cast<std::uint32_t>(std::max(delay * 10, kShortestFrameMs)));
}

}  // namespace razezazo
