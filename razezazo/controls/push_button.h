#pragma once
// PushButton: a button drawn with the standard ButtonFace (tinted with the
// host's background colour), an optional icon and a caption whose "&x" marks
// the accelerator key. Hover changes and focus loss fade over four 60 ms
// steps; presses redraw at once.
//
// Events, after the event hook has let them through:
//   1 created: register the accelerator      2 destroyed: drop font and format
//   15 repaint: paint the stored state       513 / 514 (interactive): pressed / hot
//   10240 focus gained: focused face         10241 focus lost, 10243 leave: fade to normal
//   10242 enter: fade to hot                 10262 (kind 2 only): repaint
//   10264 transition finished: no more fading until the next hover change
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "razezazo/controls/button_face.h"
#include "razezazo/controls/control_font.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/icon_text_layout.h"
#include "razezazo/drawing/image.h"
#include "razezazo/drawing/text.h"
#include "razezazo/drawing/text_format.h"
#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/paint_cycle.h"
#include "runtime/text.h"

namespace razezazo {

class HostSurface;

struct PushButtonOptions {
  FontRequest font;
  Color text_colour = 0xD2000000;  // black at alpha 210
  int text_effect = kNoEffect;
  Color halo_colour = 0;        // 0: chosen from the text colour
  std::optional<bool> rounded;  // none: the host's frame style decides (non-zero: rounded)
  bool visible = true;
};

// The accelerator key a caption registers: the byte after its first "&" (GBK
// text), 0 when there is none. "解析&&下载" gives '&' (38).
unsigned AcceleratorKeyOf(const runtime::Text& caption);

class PushButton : public ControlBase {
 public:
  PushButton() = default;
  ~PushButton() override { Destroy(); }

  // A top-level button of the host of `host_window`, or a child of `parent`.
  bool Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& caption,
              const PushButtonOptions& options = {});
  bool Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& caption,
              const PushButtonOptions& options = {});

  int state() const { return state_; }

  // The caption as GBK text, as wide text, or as the GBK bytes of a block.
  runtime::Text caption() const;
  const std::u16string& wide_caption() const { return caption_; }
  void SetCaption(const runtime::Text& caption);
  std::vector<std::uint8_t> caption_bytes() const;
  void SetCaptionBytes(std::span<const std::uint8_t> bytes);

  Color text_colour() const { return text_colour_; }
  void SetTextColour(Color colour);
  int text_effect() const { return text_effect_; }
  void SetTextEffect(int effect);
  Color halo_colour() const { return halo_colour_; }
  void SetHaloColour(Color colour);
  bool rounded() const { return rounded_; }
  void SetRounded(bool rounded);
  bool automatic_text_colour() const { return automatic_text_colour_; }
  void SetAutomaticTextColour(bool automatic);

  // Each rebuilds the font keeping the other two parts.
  runtime::Text font_name() const { return FontName(font_); }
  void SetFontName(const runtime::Text& name);
  float font_size() const { return font_ ? font_->Size() : 0.0f; }
  void SetFontSize(float size);
  int font_style() const { return font_ ? font_->Style() : 0; }
  void SetFontStyle(int style);
  const FontHandle& font() const { return font_; }
  void SetFont(FontHandle font);
  // Goes back to no font: the caption is not drawn until a font is set.
  void ReleaseFont();
  const FormatHandle& format() const { return format_; }
  void SetFormat(FormatHandle format);

  // The icon as an encoded image block (PNG, JPEG, GIF, ...); empty: none.
  const std::vector<std::uint8_t>& icon_bytes() const { return icon_bytes_; }
  void SetIconBytes(std::span<const std::uint8_t> bytes);
  IconTextLayout icon_layout() const { return icon_layout_; }
  void SetIconLayout(IconTextLayout layout);
  float offset_x() const { return offset_x_; }
  void SetOffsetX(float offset);
  float offset_y() const { return offset_y_; }
  void SetOffsetY(float offset);
  float gap() const { return gap_; }
  void SetGap(float gap);

  // Paints `state` (and keeps it), or the stored state when none is given.
  void Paint(std::optional<int> state = std::nullopt, bool erase = true);

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) final;

  // --- what a derived look changes ------------------------------------------------
  // The control kind the button is created with.
  virtual ControlKind ButtonKind() const { return kKindPushButton; }
  // True when it drew the background itself.
  virtual bool BackgroundHook(PaintContext&, int /*state*/) { return false; }
  // May move the icon and text rects; true when no focus rectangle is wanted.
  virtual bool RectangleHook(PaintContext&, int /*state*/, FloatRect& /*icon*/, FloatRect& /*text*/) { return false; }
  // Runs first for every event; kNotHandled lets the shared handler go on.
  virtual std::intptr_t EventHook(int /*code*/, std::intptr_t /*argument1*/, std::intptr_t /*argument2*/) {
    return kNotHandled;
  }

 private:
  void Configure(const runtime::Text& caption, const PushButtonOptions& options, const HostSurface* host);
  std::intptr_t SharedHandler(int code);
  void RegisterAccelerator();
  void FadeTo(int state);
  // True when the rectangle hook asked for no focus rectangle.
  bool DrawCaptionAndIcon(PaintContext& context, int state);
  Color EffectiveTextColour() const;

  int state_ = kButtonNormal;
  std::u16string caption_;
  FontHandle font_;
  int text_effect_ = kNoEffect;
  Color text_colour_ = 0xD2000000;
  bool rounded_ = false;
  FormatHandle format_;
  Color halo_colour_ = 0;
  bool automatic_text_colour_ = false;
  std::vector<std::uint8_t> icon_bytes_;
  ImageHandle icon_;  // the decoded icon_bytes_
  IconTextLayout icon_layout_ = IconTextLayout::kIconLeftOfText;
  float offset_x_ = 0;
  float offset_y_ = 0;
  float gap_ = 0;
};

}  // namespace razezazo
