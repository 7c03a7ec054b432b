#include "platform/window/backend/gtk/tooltip_window.h"

#include <algorithm>
#include <cmath>

#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"

namespace winsys::gtk {

namespace {

constexpr float kFontPx = 12;
constexpr float kPaddingX = 4, kPaddingY = 2;
constexpr float kMaxTextWidth = 1024;
constexpr int kBelowPointer = 20;
constexpr gfx::Argb kBackground = 0xFFFFFFE1, kBorder = 0xFF767676, kTextColour = 0xFF000000;

std::u16string ToUtf16(const std::string& utf8) {
  glong units = 0;
  Utf16Ptr text(g_utf8_to_utf16(utf8.c_str(), static_cast<glong>(utf8.size()), nullptr, &units, nullptr));
  if (!text) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text.get()), static_cast<std::size_t>(units));
}

std::string FontFamily() {
  std::string family = gfx::DesktopUiFontFamily();
  return family.empty() ? "Sans" : family;
}

}  // namespace

void TooltipWindow::PointerAt(std::optional<ToolKey> key, const std::string& text, gfx::PointF screen,
                              const gfx::RectI& bounds, const GdkUnits& units) {
  if (key && key == key_ && shown_) return;  // moving inside the shown tool keeps the tip
  if (key != key_) Hide();
  key_ = key;
  text_ = text;
  where_ = screen;
  bounds_ = bounds;
  units_ = units;
  if (!key_ || text_.empty()) return;
  // Every move restarts the wait: the tip needs the pointer at rest.
  delay_.Reset(g_timeout_add(kDelayMs, &TooltipWindow::OnDelay, this));
}

void TooltipWindow::Hide() {
  delay_.Reset();
  key_.reset();
  if (shown_ && window_) window_->SetVisible(false);
  shown_ = false;
}

gboolean TooltipWindow::OnDelay(gpointer self) {
  auto* tip = static_cast<TooltipWindow*>(self);
  tip->delay_.Release();
  tip->Show();
  return G_SOURCE_REMOVE;
}

gfx::Bitmap TooltipWindow::Render() const {
  const gfx::Font font(FontFamily(), kFontPx);
  const std::u16string text = ToUtf16(text_);
  const gfx::StringFormat format;
  gfx::Bitmap probe(1, 1);
  const gfx::RectF size = gfx::Graphics(probe).MeasureString(text, font, {0, 0, kMaxTextWidth, 0}, format);
  const int width = static_cast<int>(std::ceil(size.width + 2 * kPaddingX)) + 2;
  const int height = static_cast<int>(std::ceil(size.height + 2 * kPaddingY)) + 2;
  gfx::Bitmap picture(width, height, units_.scale);
  gfx::Graphics g(picture);
  g.Clear(kBackground);
  g.DrawRectangle({kBorder, 1}, {0, 0, static_cast<float>(width - 1), static_cast<float>(height - 1)});
  g.DrawString(text, font, {kPaddingX + 1, kPaddingY + 1, kMaxTextWidth, 0}, format, kTextColour);
  return picture;
}

void TooltipWindow::Show() {
  picture_ = Render();
  gfx::RectI rect{static_cast<int>(where_.x), static_cast<int>(where_.y) + units_.ToNative(kBelowPointer),
                  units_.ToNative(picture_.Width()), units_.ToNative(picture_.Height())};
  rect.x = std::max(bounds_.x, std::min(rect.x, bounds_.Right() - rect.width));
  if (rect.Bottom() > bounds_.Bottom()) rect.y = static_cast<int>(where_.y) - rect.height - 4;
  if (!window_) window_ = std::make_unique<NativeWindow>(NativeWindow::Kind::kTooltip, rect, "", nullptr, rgba_);
  window_->SetUnits(units_);
  window_->Place(rect);
  window_->SetVisible(true);
  window_->Raise();
  shown_ = true;
  Repaint();
}

void TooltipWindow::Repaint() {
  if (shown_ && window_) window_->Present(picture_, {0, 0, picture_.Width(), picture_.Height()});
}

}  // namespace winsys::gtk
