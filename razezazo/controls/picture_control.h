#pragma once
// PictureControl: a still or animated image (from image bytes or from an icon)
// drawn at natural size, stretched, centred or as a nine-grid, over an optional
// background and under an optional border. Animated images play with their own
// frame delays on the control's timer (id = the control's handle).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "razezazo/drawing/border.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/image.h"
#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/transition.h"

namespace razezazo {

enum class DrawMode : int { kNatural = 0, kStretched = 1, kCentred = 2, kNineGrid = 3 };

// The stretchable centre cell of a nine-grid, in source pixels.
struct NineGridMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const NineGridMargins&) const = default;
};

struct PictureOptions {
  bool playing = true;
  DrawMode draw_mode = DrawMode::kStretched;
  Color background = 0;  // 0: none
  BorderStyle border = border_style::kNone;
  bool fix_zero_delays = false;
  NineGridMargins margins;
  bool visible = true;
  bool interactive = true;
};

// An image change that arrives through a transition.
struct ImageChange {
  TransitionKind kind = TransitionKind::kFade;
  int steps = 5;
  int interval_ms = 60;
};

class PictureControl : public ControlBase {
 public:
  PictureControl() = default;
  ~PictureControl() override { Destroy(); }

  // From encoded image bytes (PNG, JPEG, GIF, ...); unreadable bytes show nothing.
  bool Create(winsys::WindowId host_window, const FloatRect& bounds, std::span<const std::uint8_t> bytes,
              const PictureOptions& options = {});
  bool Create(ControlBase& parent, const FloatRect& bounds, std::span<const std::uint8_t> bytes,
              const PictureOptions& options = {});
  // From an icon; such a picture never plays.
  bool CreateFromIcon(winsys::WindowId host_window, const FloatRect& bounds, const Icon& icon,
                      const PictureOptions& options = {});
  bool CreateFromIcon(ControlBase& parent, const FloatRect& bounds, const Icon& icon,
                      const PictureOptions& options = {});

  bool playing() const { return playing_; }
  void SetPlaying(bool playing);
  // Replaces the image; with a change the new image arrives through a
  // transition. Returns the stored bytes.
  const std::vector<std::uint8_t>& SetImage(std::span<const std::uint8_t> bytes,
                                            std::optional<ImageChange> change = std::nullopt);
  const std::vector<std::uint8_t>& image_bytes() const { return bytes_; }
  Color background() const { return background_; }
  void SetBackground(Color colour);
  BorderStyle border() const { return border_; }
  void SetBorder(BorderStyle border);
  DrawMode draw_mode() const { return draw_mode_; }
  void SetDrawMode(DrawMode mode);
  const NineGridMargins& margins() const { return margins_; }
  void SetMargins(const NineGridMargins& margins);
  bool fix_zero_delays() const { return fix_zero_delays_; }
  void SetFixZeroDelays(bool fix);

  bool has_image() const { return image_ != nullptr; }
  // 1-based; 0 when there is no image. It goes on counting while disabled.
  int current_frame() const { return current_frame_; }
  int frame_count() const { return frame_count_; }
  // Hundredths of a second per frame.
  const std::vector<int>& frame_delays() const { return delays_; }
  // The kind of the transition that brings the next image, if one is pending.
  std::optional<TransitionKind> pending_change() const { return pending_kind_; }

  void Paint();

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  void Configure(const PictureOptions& options);
  void ConfigureFromIcon(const Icon& icon, const PictureOptions& options);
  void Load(std::span<const std::uint8_t> bytes);
  void Adopt(ImageHandle image);
  void DrawImage(gfx::Graphics& g, const FloatRect& r);
  void ScheduleNextFrame(int shown_frame);
  void OnTimer();
  void StopTimer();
  void Release();

  std::vector<std::uint8_t> bytes_;
  ImageHandle image_;
  bool playing_ = false;
  BorderStyle border_ = border_style::kNone;
  int current_frame_ = 0;
  int frame_count_ = 0;
  Color background_ = 0;
  std::vector<int> delays_;
  DrawMode draw_mode_ = DrawMode::kStretched;
  bool fix_zero_delays_ = false;
  NineGridMargins margins_;
  std::optional<TransitionKind> pending_kind_;
};

}  // namespace razezazo
