#pragma once
// ScrollBar: two arrows and a rounded thumb drawn in translucent black, so that
// the bar suits any background. An arrow steps the position at once and
// every 100 ms while held; the thumb is dragged; a press on the track pages
// towards the pointer, repeating while held, as in every toolkit. Every
// change of the position reaches the position handler.
//
// The mouse, message by message (positions in host-window coordinates):
//   513 press        -> the part under the point is pressed (arrows, thumb,
//                       track, in that order); an arrow steps and the track
//                       pages at once; the 100 ms timer starts
//   275 timer        -> a pressed arrow steps, a pressed track pages until the
//                       thumb reaches the pointer; at either end the position
//                       is clamped and the timer stops
//   512 move         -> a pressed thumb follows the point, a pressed track
//                       notes it; otherwise the part under the point becomes
//                       the hot part
//   514 release      -> nothing pressed; a thumb dragged without notifying
//                       reports its position now
#include <cstdint>
#include <functional>
#include <optional>

#include "razezazo/controls/scroll_bar_geometry.h"
#include "razezazo/widgets/control_base.h"

namespace razezazo {

struct ScrollBarOptions {
  std::optional<int> position;  // none: the minimum
  int minimum = 0;
  int maximum = 100;
  int page = 10;
  int step = 1;
  bool notify_while_dragging = true;
  int orientation = kHorizontalBar;
  bool arrows_only_when_active = true;
  bool visible = true;
};

// Called with the bar's parent control (null for a top-level bar) and the new position.
using PositionHandler = std::function<void(ControlBase* parent, int position)>;

class ScrollBar : public ControlBase {
 public:
  enum Part : int { kNoPart = 0, kFirstArrow = 1, kSecondArrow = 2, kThumb = 3, kTrack = 4 };

  ScrollBar() = default;
  ~ScrollBar() override { Destroy(); }

  bool Create(winsys::WindowId host_window, const FloatRect& bounds, const ScrollBarOptions& options = {});
  bool Create(ControlBase& parent, const FloatRect& bounds, const ScrollBarOptions& options = {});

  int position() const { return position_; }
  // Kept within minimum .. maximum; repaints when it changed. Never calls the handler.
  void SetPosition(int position);
  int minimum() const { return minimum_; }
  void SetMinimum(int minimum);
  int maximum() const { return maximum_; }
  void SetMaximum(int maximum);
  int page() const { return page_; }
  void SetPage(int page) { page_ = page; }
  int step() const { return step_; }
  void SetStep(int step) { step_ = step; }
  bool notify_while_dragging() const { return notify_while_dragging_; }
  void SetNotifyWhileDragging(bool notify) { notify_while_dragging_ = notify; }
  bool arrows_only_when_active() const { return arrows_only_when_active_; }
  void SetArrowsOnlyWhenActive(bool value) { UpdateProperty(arrows_only_when_active_, value); }
  void SetPositionHandler(PositionHandler handler) { position_handler_ = std::move(handler); }

  int orientation() const { return orientation_; }
  int thumb_length() const { return thumb_length_; }
  const ScrollBarParts& parts() const { return parts_; }
  FloatRect Thumb() const;
  int pressed_part() const { return pressed_part_; }
  int hot_part() const { return hot_part_; }
  bool hot() const { return hot_; }

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  void Configure(const ScrollBarOptions& options);
  void UpdateGeometry();
  int Clamp(int position) const;
  float TrackStart() const;
  float TrackLength() const;
  // The coordinate along the bar of a host-window point.
  float Along(std::intptr_t point) const;
  int PartAt(std::intptr_t point) const;
  void Press(std::intptr_t point);
  void Step();
  int Stride() const;
  void Move(std::intptr_t point);
  void Release();
  void StopTimer();
  // Hands the position to the handler. Last thing a caller does: the handler
  // may destroy the bar.
  void Notify();
  void Paint();
  void DrawArrow(gfx::Graphics& g, const FloatRect& box, bool first, bool pressed) const;

  int minimum_ = 0;
  int maximum_ = 100;
  int page_ = 10;
  int step_ = 1;
  bool notify_while_dragging_ = true;
  int orientation_ = kHorizontalBar;
  int pressed_part_ = kNoPart;
  float pressed_along_ = 0;  // where a pressed track is held, along the bar
  bool arrows_only_when_active_ = true;
  int position_ = 0;
  int thumb_length_ = 0;
  float grab_offset_ = 0;
  ScrollBarParts parts_;
  int hot_part_ = kNoPart;
  bool hot_ = false;
  PositionHandler position_handler_;
};

}  // namespace razezazo
