#pragma once
// A RazezaZOHost takes over a window: it replaces the window procedure, draws
// the whole window from its back buffer, and turns mouse and keyboard messages
// into events of its controls and calls of the application's hooks.
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/region.h"
#include "platform/window/window_system.h"
#include "razezazo/core/host_fields.h"
#include "razezazo/core/host_options.h"
#include "razezazo/core/redraw_queue.h"
#include "razezazo/drawing/image.h"
#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/host_surface.h"
#include "runtime/text.h"

namespace razezazo {

class CaptionButton;
class LabelControl;
class PictureControl;

class RazezaZOHost : public HostSurface {
 public:
  RazezaZOHost();
  ~RazezaZOHost() override;

  // Attaches the host to `window`. False when the window does not exist or is
  // already this host's window. A host attached elsewhere lets that window go
  // first, as its destruction would (its controls are destroyed).
  bool Create(winsys::WindowId window, const HostOptions& options = {});

  // The window procedure's body.
  winsys::LResult Message(unsigned message, winsys::WParam wparam, winsys::LParam lparam);
  // Queues a redraw of `rect` (a redraw_mode).
  void QueueRedraw(const FloatRect& rect, int mode);
  void UpdateTooltip(ControlBase* control, const std::optional<runtime::Text>& text = std::nullopt) override;
  void SetAccelerator(ControlBase* control, unsigned key);
  // Moves the focus to a visible, enabled, interactive control (not a caption
  // button): 10241 to the old one, then 10240 to the new one.
  void SetFocus(ControlBase* control, bool by_keyboard) override;
  // Recomposes and presents `rect`, or the whole window.
  void RedrawNow(const std::optional<FloatRect>& rect = std::nullopt);
  // Shows the window: at once (show_animation::kNone), or in ten frames of a
  // fade, a zoom or a wipe (from the bottom for kinds not named).
  void Show(show_animation::Kind kind = show_animation::kNone, int duration_ms = 200);
  // A close_animation kind, played when the window gets WM_CLOSE.
  void SetCloseAnimation(close_animation::Kind kind) { close_animation_ = kind; }
  void SetDefaultCursor(winsys::Cursor cursor) { default_cursor_ = cursor; }
  bool drag_anywhere() const { return drag_anywhere_; }
  void SetDragAnywhere(bool value) { drag_anywhere_ = value; }
  frame_style::Kind frame_style() const override { return frame_style_; }
  std::uint32_t background_colour() const override { return background_colour_; }
  void SetFrameStyle(frame_style::Kind value) { frame_style_ = value; }
  void SetShadowColour(std::int64_t colour) { shadow_colour_ = colour; }
  // Places the caption buttons from the right edge and stretches the title
  // between the icon and the buttons.
  void LayOutCaption();
  LabelControl* title() const { return title_.get(); }
  PictureControl* icon() const { return icon_.get(); }
  const std::vector<std::unique_ptr<CaptionButton>>& caption_buttons() const { return caption_buttons_; }
  // Rebuilds the background picture from an image and/or colour (-1: keep) and
  // recomposes; kPresent presents at once, kFadeIn fades the new picture in
  // over five 50 ms ticks, other modes present nothing. Unless quiet, every visible
  // control is first asked to repaint (event 10262). `image_2x` is the image
  // drawn for 200 % screens, if there is one.
  void SetBackground(std::optional<std::span<const std::uint8_t>> image, std::int64_t colour,
                     background_mode::Kind mode, bool quiet = false,
                     std::optional<std::span<const std::uint8_t>> image_2x = std::nullopt);
  HostHooks& hooks() { return hooks_; }

  // The control under a point of the window (window pixels): the last drawn
  // visible, enabled control whose bounds hold it, a child before its parent;
  // null over the background. This is the control a press there would reach.
  ControlBase* ControlAt(int x, int y) const;

  // The rectangle given at creation (for frame style 1 the nine-grid margins of
  // the background image); empty when none was given.
  const FloatRect& creation_rect() const { return creation_rect_; }
  // The creation options that reproduce this host's look on another window:
  // layer alpha, image placement, frame style, initial paint, blur and the
  // creation rectangle (a message box dresses like its parent this way).
  HostOptions Look() const;

  // --- state the controls and the paint cycle work with ------------------------
  // Clearing busy draws the control placements that arrived meanwhile.
  void SetBusy(bool busy);
  std::uint32_t caption_flags() const { return caption_flags_; }
  bool resizable() const { return resizable_; }

  ControlBase* focused() const override { return focused_; }
  ControlBase* hot() const { return hot_; }
  ControlBase* pressed() const { return pressed_; }
  bool pressing() const { return pressing_; }
  ControlBase* pressing_control() const override { return pressing_ ? pressed_ : nullptr; }
  ControlBase* keyboard_focus() const override { return keyboard_focus_; }
  void ClearFocus() override { focused_ = nullptr; }
  void ForgetControl(ControlBase& control) override;

  std::int64_t GetField(host_field::Index index) const;
  void SetField(host_field::Index index, std::int64_t value);

 private:
  winsys::LResult Dispatch(unsigned message, winsys::WParam wparam, winsys::LParam lparam);
  winsys::LResult PassOn(unsigned message, winsys::WParam wparam, winsys::LParam lparam);
  std::optional<winsys::LResult> HostMessage(unsigned message, winsys::WParam wparam, winsys::LParam lparam);
  void OnActivate(winsys::WParam wparam, winsys::LParam lparam);
  void OnDestroy();
  void OnSize(winsys::WParam kind);
  // The window moved to a screen of another scale: every picture is drawn again at it.
  void OnScaleChanged();
  void OnMouseLeave();
  void OnMinMaxInfo(winsys::LParam lparam);
  void Mouse(unsigned message, winsys::WParam keys, winsys::LParam position);
  void MouseWhilePressing(unsigned message, winsys::LParam position);
  void Leave(Handle left, Handle now_under, winsys::WParam keys, winsys::LParam position);
  void Enter(Handle entered, Handle before, winsys::WParam keys, winsys::LParam position);
  void LeftDown(Handle hit, winsys::WParam keys, winsys::LParam position);
  void MoveFocusByMouse(Handle control, winsys::WParam keys, winsys::LParam position);
  bool KeyDown(unsigned message, winsys::WParam key, winsys::LParam lparam);
  bool AcceleratorKey(unsigned message, winsys::WParam character, winsys::LParam lparam);
  void TabToNext(bool forward);
  void WheelUnderPointer(winsys::WParam wparam, winsys::LParam lparam);
  void Click(Handle control, std::intptr_t argument1, std::intptr_t argument2, winsys::WParam keys,
             winsys::LParam position);
  // The resize borders: true when the message was theirs.
  bool ResizeBorder(unsigned message, winsys::LParam position);
  void StartMoving();
  void ToggleMaximize();
  void CreateCaption();
  void ReleaseCaption();
  // The title label shows the window text the window was just given.
  void ShowWindowTitle(const char* utf8);
  // The maximise button's face follows the window's zoomed state.
  void RefreshMaximizeFace();
  bool IsTitle(const ControlBase* control) const;
  void CreateBuffers();
  void DrawBackground();
  void DrawBorder(gfx::Graphics& g);
  void DrawShadow(gfx::Graphics& g);
  void FadeInStep();
  void StopFade();
  void BroadcastRepaint();
  void ProcessPendingMessages();
  void DrawShowFrame(show_animation::Kind kind, int frame_number, const gfx::Bitmap& picture, gfx::Bitmap& frame) const;
  void RunCloseAnimation();
  gfx::Region WindowShape(int inset, int diameter) const;
  const gfx::Bitmap* BackgroundImage() const;
  // Composes the place a control left, then the place it has now.
  void DrawPlacement(const FloatRect& before, Handle control);
  void RebuildBackground();
  // The control behind a handle the host held across application code.
  static ControlBase* LiveControl(Handle control);
  void CallHook(const MouseHook& hook, Handle control, winsys::WParam wparam, winsys::LParam lparam);
  void DeliverTo(Handle control, unsigned message, winsys::WParam wparam, winsys::LParam lparam);

  winsys::WindowProc previous_proc_;
  ControlBase* focused_ = nullptr;
  ControlBase* hot_ = nullptr;
  ControlBase* pressed_ = nullptr;
  bool pressing_ = false;
  winsys::WindowId background_source_ = 0;
  ImageHandle background_image_;
  std::uint32_t background_colour_ = 0;
  std::uint32_t caption_flags_ = 0;
  frame_style::Kind frame_style_ = frame_style::kRounded;
  int image_placement_ = 0;
  std::int64_t shadow_colour_ = 0;
  bool resizable_ = false;
  bool drag_anywhere_ = true;
  bool image_edges_ = true;
  close_animation::Kind close_animation_ = close_animation::kNone;
  ControlBase* keyboard_focus_ = nullptr;
  bool blur_behind_ = false;
  bool initial_paint_ = true;
  winsys::Cursor default_cursor_ = winsys::Cursor::Arrow;
  FloatRect creation_rect_;
  bool leave_tracking_ = false;
  std::vector<std::pair<ControlBase*, unsigned>> accelerators_;
  RedrawQueue redraw_queue_;
  // A control moved while the host was busy, and the place it left then: a
  // later move overwrites the control's previous bounds.
  struct DeferredPlacement {
    Handle control = 0;
    FloatRect before;
  };
  std::vector<DeferredPlacement> deferred_placements_;
  gfx::Bitmap snapshot_;
  int fade_alpha_ = 0;
  HostHooks hooks_;
  std::vector<std::unique_ptr<CaptionButton>> caption_buttons_;
  std::unique_ptr<PictureControl> icon_;
  std::unique_ptr<LabelControl> title_;
};

// The host of `window`, or null when the window is not a host.
RazezaZOHost* HostOfWindow(winsys::WindowId window);

}  // namespace razezazo
