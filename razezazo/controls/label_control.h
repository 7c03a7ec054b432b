#pragma once
// LabelControl: a passive caption with an optional gradient background and
// border, vertical alignment, multi-line wrapping, automatic text colour and
// animated text changes (the old text slides or fades out, the new one in).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "razezazo/controls/control_font.h"
#include "razezazo/drawing/border.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text.h"
#include "razezazo/drawing/text_format.h"
#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/transition.h"
#include "runtime/text.h"

namespace razezazo {

// A label's background: none, or a gradient between its two colours.
namespace label_background {
enum Kind : int { kNone = -1, kHorizontal = 0, kVertical = 1, kForwardDiagonal = 2, kBackwardDiagonal = 3 };
}  // namespace label_background

// Where a single line stands in a label's height.
namespace vertical_alignment {
enum Kind : int { kTop = 0, kCentre = 1, kBottom = 2 };
}  // namespace vertical_alignment

// Colours are ready 0xAARRGGBB values (build them with ToArgb).
struct LabelOptions {
  FontRequest font;
  Color text_colour = 0xD2000000;  // black at alpha 210
  ::razezazo::label_background::Kind background_mode = ::razezazo::label_background::kNone;
  Color background_colour1 = 0;  // 0: transparent
  Color background_colour2 = 0;
  bool multi_line = false;
  ::razezazo::alignment::Kind alignment = ::razezazo::alignment::kNear;
  int trimming = 0;
  ::razezazo::vertical_alignment::Kind vertical_alignment = ::razezazo::vertical_alignment::kCentre;
  int text_effect = kNoEffect;
  BorderStyle border = border_style::kNone;
  bool automatic_text_colour = false;
  Color halo_colour = 0;  // 0: chosen from the text colour
  bool visible = true;
};

// A text change that arrives through a transition.
struct TextChange {
  TransitionKind kind = TransitionKind::kFade;
  int steps = 5;
  int interval_ms = 60;
};

class LabelControl : public ControlBase {
 public:
  LabelControl() = default;
  ~LabelControl() override { Destroy(); }

  // A top-level label of the host of `host_window`, or a child of `parent`.
  bool Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& text,
              const LabelOptions& options = {});
  bool Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& text,
              const LabelOptions& options = {});

  // GBK text. With a change the old text leaves and the new one arrives
  // through a transition of that kind.
  runtime::Text text() const;
  const std::u16string& wide_text() const { return text_; }
  void SetText(const runtime::Text& text, std::optional<TextChange> change = std::nullopt);

  Color text_colour() const { return text_colour_; }
  void SetTextColour(Color colour);
  Color halo_colour() const { return halo_colour_; }
  void SetHaloColour(Color colour);
  Color background_colour1() const { return background_colour1_; }
  void SetBackgroundColour1(Color colour);
  Color background_colour2() const { return background_colour2_; }
  void SetBackgroundColour2(Color colour);
  label_background::Kind background_mode() const { return background_mode_; }
  void SetBackgroundMode(label_background::Kind mode);

  // Each rebuilds the font from the other two current parts.
  runtime::Text font_name() const { return FontName(font_); }
  void SetFontName(const runtime::Text& name);
  float font_size() const { return font_ ? font_->Size() : 0.0f; }
  void SetFontSize(float size);
  int font_style() const { return font_ ? font_->Style() : 0; }
  void SetFontStyle(int style);
  const FontHandle& font() const { return font_; }
  void SetFont(FontHandle font);

  // The string format and the settings kept in it. The label never changes a
  // format in place: its setters give it a changed copy, so a handle shared
  // with other controls stays as they set it.
  const FormatHandle& format() const { return format_; }
  void SetFormat(FormatHandle format);
  int trimming() const;
  void SetTrimming(int trimming);
  int format_flags() const;
  void SetFormatFlags(int flags);
  alignment::Kind alignment() const;
  void SetAlignment(alignment::Kind alignment);
  bool multi_line() const { return multi_line_; }
  // Also switches the format between no-wrap and the multi-line flags.
  void SetMultiLine(bool multi_line);

  vertical_alignment::Kind vertical_alignment() const { return vertical_alignment_; }
  void SetVerticalAlignment(vertical_alignment::Kind alignment);
  int text_effect() const { return text_effect_; }
  void SetTextEffect(int effect);
  BorderStyle border() const { return border_; }
  void SetBorder(BorderStyle border);
  bool automatic_text_colour() const { return automatic_text_colour_; }
  void SetAutomaticTextColour(bool automatic);

  // The text's size as measured last, in whole pixels.
  float text_width() const { return text_width_; }
  float text_height() const { return text_height_; }
  void Measure();
  void Paint();

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;
  // Called with the text rectangle just before the text is drawn.
  virtual void OnDrawText(gfx::Graphics&, const FloatRect& /*text_rect*/) {}

 private:
  void Configure(const runtime::Text& text, const LabelOptions& options);
  void Release();
  void ApplyPendingChange();
  void DrawCaption(gfx::Graphics& g, const FloatRect& paint_rect);
  FloatRect TextRect(const FloatRect& text_area) const;
  Color EffectiveTextColour() const;
  void Remeasure();
  bool ChangeFormat(const std::function<void(gfx::StringFormat&)>& change);

  FontHandle font_;
  std::u16string text_;
  Color text_colour_ = 0xD2000000;
  label_background::Kind background_mode_ = label_background::kNone;
  Color background_colour1_ = 0;
  Color background_colour2_ = 0;
  bool multi_line_ = false;
  vertical_alignment::Kind vertical_alignment_ = vertical_alignment::kCentre;
  int text_effect_ = kNoEffect;
  BorderStyle border_ = border_style::kNone;
  bool automatic_text_colour_ = false;
  Color halo_colour_ = 0;
  FormatHandle format_;
  float text_width_ = 0;
  float text_height_ = 0;
  std::optional<TextChange> pending_change_;
};

// Where a label draws its text inside the text area (the paint rect inset by
// 2): a multi-line text gets the whole area and one line more, so that a
// partly visible last line is still drawn; a single line is placed by the
// vertical alignment.
FloatRect LabelTextRect(const FloatRect& text_area, float text_height, float font_height, bool multi_line,
                        vertical_alignment::Kind vertical_alignment);

}  // namespace razezazo
