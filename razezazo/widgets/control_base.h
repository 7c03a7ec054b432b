#pragma once
// The common base of every control: its place in the host's control tree, its
// bounds and flags, its event table, and its Canvas — an off-screen ARGB picture
// exactly as large as the control, into which it paints between BeginPaint and
// EndPaint. The host composes the canvases into the window.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "platform/window/window_system.h"
#include "razezazo/drawing/float_rect.h"
#include "razezazo/widgets/control_fields.h"
#include "razezazo/widgets/control_tree.h"
#include "razezazo/widgets/events.h"
#include "razezazo/widgets/framework_object.h"
#include "razezazo/widgets/transition.h"
#include "runtime/text.h"

namespace razezazo {

class HostSurface;
struct PaintContext;

// Control kinds (field 13).
enum ControlKind : int {
  kKindCaptionButton = 1,
  kKindPushButton = 2,
  kKindLabel = 3,
  kKindPicture = 4,
  kKindEditBox = 9,
  kKindGroupBox = 16,
  kKindScrollBar = 19,
  kKindMenuItem = 20,
  kKindCanvasless = 21,
  kKindSkinButton = 23,
};

struct ControlOptions {
  bool visible = true;
  bool interactive = true;
  std::optional<winsys::Cursor> cursor;
  int transition_interval_ms = 0;
  int transition_steps = 0;
  TransitionKind transition_kind = TransitionKind::kFade;
};

// Set-bounds arguments: a missing component keeps its current value.
struct BoundsUpdate {
  std::optional<float> x, y, width, height;
  bool redraw = true;
};

// Application code runs inside every event: a bound handler, or a class's own
// OnEvent, may destroy or even delete the control it was handed (and others).
// Framework code that calls into events therefore never touches a control
// afterwards unless it has looked it up again by handle: it uses
// DeliverSurvived() below, or holds a WeakRef (framework_object.h).
class ControlBase : public FrameworkObject {
 public:
  ControlBase() = default;
  ~ControlBase() override;

  // --- creation and tree ----------------------------------------------------------
  // A top-level control of the host that owns `host_window`; false when that
  // window has no host.
  bool Create(winsys::WindowId host_window, const FloatRect& bounds, ControlKind kind,
              const ControlOptions& options = {});
  // A child of `parent`, in the parent's host.
  bool Create(ControlBase& parent, const FloatRect& bounds, ControlKind kind, const ControlOptions& options = {});
  void Destroy();

  Handle self() const { return handle(); }
  winsys::WindowId host_window() const { return host_window_; }
  HostSurface* host() const;
  ControlBase* parent() const { return links_.parent; }
  ControlBase* first_child() const { return links_.children.first; }
  ControlBase* last_child() const { return links_.children.last; }
  ControlBase* previous_sibling() const { return links_.previous; }
  ControlBase* next_sibling() const { return links_.next; }
  ControlKind kind() const { return kind_; }

  // Moves the control to the end of `parent`'s children (or of the host's
  // top-level controls when null) and invalidates. Refused (false) when
  // `parent` is the control itself, one of its descendants, or a control of
  // another host.
  bool SetParent(ControlBase* parent);
  // Front: last among its siblings (drawn last); back: first. False for an
  // unlinked control.
  bool ChangeZOrder(bool to_front = true, bool invalidate = true);
  // Takes the control (with its children) out of the tree: it is no longer
  // drawn, hit or walked, until SetParent links it again. The place it showed
  // in is composed again without it.
  void Unlink();

  // --- properties ----------------------------------------------------------------
  const FloatRect& bounds() const { return bounds_; }
  const FloatRect& previous_bounds() const { return previous_bounds_; }
  void SetBounds(const BoundsUpdate& update);
  float x() const { return bounds_.x; }
  float y() const { return bounds_.y; }
  float width() const { return bounds_.width; }
  float height() const { return bounds_.height; }
  void SetX(float value) { SetComponent(&BoundsUpdate::x, bounds_.x, value); }
  void SetY(float value) { SetComponent(&BoundsUpdate::y, bounds_.y, value); }
  void SetWidth(float value) { SetComponent(&BoundsUpdate::width, bounds_.width, value); }
  void SetHeight(float value) { SetComponent(&BoundsUpdate::height, bounds_.height, value); }

  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible, and so is every ancestor: its picture is composed.
  bool Shown() const;
  bool disabled() const { return disabled_; }
  void SetDisabled(bool disabled);
  bool interactive() const { return interactive_; }
  void SetInteractive(bool interactive) { interactive_ = interactive; }
  bool redraw_enabled() const { return redraw_enabled_; }
  void SuspendRedraw() { redraw_enabled_ = false; }
  void ResumeRedraw() { redraw_enabled_ = true; }
  int opacity() const { return opacity_; }
  void SetOpacity(int opacity, bool invalidate = true);
  std::optional<winsys::Cursor> cursor() const { return cursor_; }
  void SetCursor(std::optional<winsys::Cursor> cursor) { cursor_ = cursor; }
  const runtime::Text& name() const { return name_; }
  void SetName(const runtime::Text& name, bool as_tooltip = false);
  const runtime::Text& tag() const { return tag_; }
  void SetTag(const runtime::Text& tag) { tag_ = tag; }
  // Hands the text (the name when absent) to the host's tooltip for this control.
  void SetTooltip(const std::optional<runtime::Text>& text);

  bool HasFocus();
  // Asks the control to repaint itself now (event 15).
  void RepaintNow();
  // A new canvas at the host's scale, repainted.
  void RescaleCanvas();
  // Asks the host to recompose the control's bounds (posted).
  void Invalidate();

  // --- transitions ---------------------------------------------------------------
  const Transition& transition() const { return transition_; }
  void SetTransitionSteps(int steps, std::optional<int> interval_ms = std::nullopt);
  void SetTransitionInterval(int interval_ms) { transition_.interval_ms = interval_ms; }
  void SetTransitionKind(TransitionKind kind) { transition_.kind = kind; }
  // The transition timer's tick.
  void TransitionTick();

  // --- events --------------------------------------------------------------------
  // Replaces the handler bound to `code`, or appends one.
  void AddEventHandler(int code, EventHandler handler);
  // Runs the event through the class handler, then the first matching bound
  // handler; returns the class handler's answer (kNotHandled when it has none).
  // The bound handlers are skipped when the class handler deleted the control.
  std::intptr_t Deliver(int code, std::intptr_t argument1, std::intptr_t argument2);
  // Delivers the event and answers whether the control outlived it: false when
  // a handler destroyed or deleted it, and then the caller must not touch it.
  [[nodiscard]] bool DeliverSurvived(int code, std::intptr_t argument1 = 0, std::intptr_t argument2 = 0);
  // Through the host window, synchronously or queued; UI thread. Workers use
  // SendControlEvent / PostControlEvent (control_events.h) with the handle.
  std::intptr_t SendEvent(int code, std::intptr_t argument1, std::intptr_t argument2);
  bool PostEvent(int code, std::intptr_t argument1, std::intptr_t argument2);

  // --- canvas --------------------------------------------------------------------
  gfx::Bitmap& canvas() { return canvas_; }
  gfx::Graphics* canvas_graphics() { return canvas_graphics_.get(); }
  gfx::Bitmap& previous_picture() { return previous_picture_; }
  Transition& mutable_transition() { return transition_; }

  // Paint hooks: BeginPaint and EndPaint call them.
  virtual void OnPaintBegins(PaintContext&) {}
  virtual void OnPaintEnds(PaintContext&) {}
  // The host has just recomposed `area` (window coordinates) of its picture
  // while this control held the focus, and presents it next: what the control
  // draws straight into the host's picture (a caret) is drawn again here, with
  // `back` on that picture.
  virtual void OnHostComposed(gfx::Graphics& /*back*/, const FloatRect& /*area*/) {}

  // --- numbered fields, for applications that address them by index -------------
  // Scalars, logicals and object handles read as stored; fields that hold
  // pictures, texts or rectangles read 0 and ignore writes.
  std::int64_t GetField(control_field::Index index) const;
  void SetField(control_field::Index index, std::int64_t value);

 protected:
  // The setters' rule: store a property and repaint (event 15) only when it changed.
  template <typename T>
  void UpdateProperty(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    RepaintNow();
  }

  // The class's own event handler; kNotHandled when it does not handle `code`.
  virtual std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2);

 private:
  friend class ControlTree;  // the only writer of the links

  bool CreateIn(HostSurface& host, ControlBase* parent, const FloatRect& bounds, ControlKind kind,
                const ControlOptions& options);
  void MakeCanvas();
  void CreateCanvas();
  ControlTree* tree() const;
  void MoveDescendants(float dx, float dy);
  void SetComponent(std::optional<float> BoundsUpdate::*member, float current, float value);
  void ReportPlacement(bool redraw);
  // Asks the host to compose the control's place again when its picture is
  // part of the window (before it leaves it).
  void InvalidateIfComposed();
  void ClearHostReferences();

  winsys::WindowId host_window_ = 0;
  Handle host_handle_ = 0;
  TreeLinks links_;
  bool visible_ = false;
  bool disabled_ = false;
  bool interactive_ = true;
  bool redraw_enabled_ = true;
  std::optional<winsys::Cursor> cursor_;
  std::vector<std::pair<int, EventHandler>> event_table_;
  FloatRect bounds_;
  FloatRect previous_bounds_;
  runtime::Text name_;
  runtime::Text tag_;
  ControlKind kind_{};
  int opacity_ = 255;
  Transition transition_;
  gfx::Bitmap canvas_;
  std::unique_ptr<gfx::Graphics> canvas_graphics_;
  gfx::Bitmap previous_picture_;
};

}  // namespace razezazo
