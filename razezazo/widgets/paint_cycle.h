#pragma once
// How a control's picture reaches the screen: a control paints into its canvas
// between BeginPaint and EndPaint; the host restores a dirty rectangle from its
// background picture, composes the visible controls over it back to front (with
// opacity, the half-opacity disabled look, clipping to parents and transition
// frames) and presents it.
#include <cstdint>
#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "platform/window/window_system.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

class ControlBase;
class HostSurface;

// Modes of host message 10256 (a rectangle to recompose), as its first argument:
// queued at the end, drawn at once, queued at the start.
namespace redraw_mode {
inline constexpr int kAppend = 0, kNow = 1, kFront = 2;
}  // namespace redraw_mode

struct PaintContext {
  winsys::WindowId host_window = 0;
  gfx::Graphics* graphics = nullptr;  // the control's canvas graphics; null: draw nothing
  FloatRect rect;                     // canvas coordinates
  bool erase = false;
  HostSurface* host = nullptr;
  gfx::Bitmap* canvas = nullptr;
  bool control_gone = false;  // deleted during BeginPaint: EndPaint must not touch it
};

// What the compositor hands a control that draws its own transition frames
// (event 10248, second argument: a pointer to this record).
struct CompositeRecord {
  gfx::Graphics* back_graphics = nullptr;
  gfx::Bitmap* back_buffer = nullptr;
  gfx::Bitmap* scratch = nullptr;
  const gfx::Bitmap* new_picture = nullptr;
  const gfx::Bitmap* previous_picture = nullptr;
  FloatRect bounds;
  FloatRect saved_clip;
  int step = 0;
  int steps = 0;
};

// Without a rect the whole canvas is painted. Erasing clears the rectangle to
// transparent and, when the control has a transition, keeps the old picture
// (finishing the one that ran recomposes the host, which runs application code:
// when that deleted the control, the context has no graphics).
PaintContext BeginPaint(ControlBase& control, const std::optional<FloatRect>& rect = std::nullopt, bool erase = true);
// Asks the host to recompose the painted rectangle of the control, or starts its transition (event
// 10263). False when the control did not survive the application code this
// ran: the caller must not touch it then.
bool EndPaint(ControlBase& control, PaintContext& context);
// Asks the host of `host_window` to recompose `rect` (posted; the payload is
// freed when the message never arrives).
void PostRedraw(winsys::WindowId host_window, const FloatRect& rect);

// Restores `rect` from the background picture, composes the controls over it
// and, when asked, presents it. Nothing happens while the host is busy. The
// rectangle is a copy: composing may delete the control whose bounds it was.
void RepaintHostRegion(HostSurface& host, FloatRect rect, bool present);
// False when a control's query handler deleted a control: the walk stopped and
// `dirty` was posted for another round.
bool ComposeChildren(HostSurface& host, ControlBase* first, const FloatRect& dirty, gfx::Graphics& graphics);
// Every control of the host over `dirty`, then what the focused control draws
// straight into the picture (ControlBase::OnHostComposed). Same answer as
// ComposeChildren.
bool ComposeHostArea(HostSurface& host, const FloatRect& dirty, gfx::Graphics& graphics);
void Present(HostSurface& host, const FloatRect& rect);

// One tick of the control's transition timer.
void AdvanceTransition(ControlBase& control);

// True when the rectangles overlap by more than the framework's tolerance.
bool Overlaps(const FloatRect& a, const FloatRect& b);
// The whole pixels that cover `rect`, clipped to width x height.
gfx::RectI PixelArea(const FloatRect& rect, int width, int height);

}  // namespace razezazo
