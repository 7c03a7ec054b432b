#pragma once
// The tip window: a small popup of ours that shows a tool's text after the
// pointer rested over the tool, drawn with the drawing layer.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "platform/window/backend/gtk/gtk_ptr.h"
#include "platform/window/backend/gtk/native_window.h"

namespace winsys::gtk {

class TooltipWindow {
 public:
  using ToolKey = std::pair<std::uint32_t, std::uintptr_t>;  // owner window, tool id
  static constexpr guint kDelayMs = 500;

  explicit TooltipWindow(bool rgba) : rgba_(rgba) {}

  // The pointer moved to `screen` over the tool `key` with `text` (none: over no
  // tool). The tip shows once the pointer rested kDelayMs over one tool.
  // `screen` and `bounds` in GDK units; the tip draws at the units' scale.
  void PointerAt(std::optional<ToolKey> key, const std::string& text, gfx::PointF screen, const gfx::RectI& bounds,
                 const GdkUnits& units = {});
  void Hide();
  bool Shown() const { return shown_; }
  const std::string& Text() const { return text_; }
  bool Owns(GdkWindow* window) const { return window_ && window_->Gdk() == window; }
  void Repaint();

 private:
  static gboolean OnDelay(gpointer self);
  void Show();
  gfx::Bitmap Render() const;

  bool rgba_;
  std::unique_ptr<NativeWindow> window_;
  gfx::Bitmap picture_;
  std::optional<ToolKey> key_;
  std::string text_;
  gfx::PointF where_;
  gfx::RectI bounds_;  // keep the tip inside
  GdkUnits units_;
  SourceId delay_;
  bool shown_ = false;
};

}  // namespace winsys::gtk
