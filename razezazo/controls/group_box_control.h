#pragma once
// GroupBoxControl: a frame, square or rounded, whose top edge runs through the
// middle of a caption set into it. The frame line never crosses the caption.
#include <cstdint>
#include <string>

#include "razezazo/controls/control_font.h"
#include "razezazo/drawing/border.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text.h"
#include "razezazo/drawing/text_format.h"
#include "razezazo/widgets/control_base.h"
#include "runtime/text.h"

namespace razezazo {

struct GroupBoxOptions {
  ::razezazo::alignment::Kind caption_alignment = ::razezazo::alignment::kNear;
  FontRequest font;
  Color text_colour = 0xD2000000;  // black at alpha 210
  int text_effect = kNoEffect;
  Color halo_colour = 0;        // 0: chosen from the text colour
  Color background_colour = 0;  // 0: no background
  // Rounded frames take it as the pen colour; square ones as a BorderStyle,
  // where values beyond the styles are themselves the colour.
  BorderStyle border = 0x50000000;  // black at alpha 80
  bool rounded = false;
  bool visible = true;
};

class GroupBoxControl : public ControlBase {
 public:
  GroupBoxControl() = default;
  ~GroupBoxControl() override { Destroy(); }

  bool Create(winsys::WindowId host_window, const FloatRect& bounds, const runtime::Text& caption,
              const GroupBoxOptions& options = {});
  bool Create(ControlBase& parent, const FloatRect& bounds, const runtime::Text& caption,
              const GroupBoxOptions& options = {});

  runtime::Text caption() const;
  const std::u16string& wide_caption() const { return caption_; }
  void SetCaption(const runtime::Text& caption);
  const FontHandle& font() const { return font_; }
  void SetFont(FontHandle font);
  Color text_colour() const { return text_colour_; }
  void SetTextColour(Color colour);
  alignment::Kind caption_alignment() const { return caption_alignment_; }
  void SetCaptionAlignment(alignment::Kind alignment);
  Color background_colour() const { return background_colour_; }
  void SetBackgroundColour(Color colour);
  BorderStyle border() const { return border_; }
  void SetBorder(BorderStyle border);
  bool rounded() const { return rounded_; }
  void SetRounded(bool rounded);
  const FormatHandle& format() const { return format_; }
  int text_effect() const { return text_effect_; }
  Color halo_colour() const { return halo_colour_; }

  float caption_width() const { return caption_width_; }
  float caption_height() const { return caption_height_; }
  void Measure();
  void Paint();

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  void Configure(const runtime::Text& caption, const GroupBoxOptions& options);

  std::u16string caption_;
  alignment::Kind caption_alignment_ = alignment::kNear;
  FontHandle font_;
  Color text_colour_ = 0xD2000000;
  FormatHandle format_;
  int text_effect_ = kNoEffect;
  Color halo_colour_ = 0;
  Color background_colour_ = 0;
  BorderStyle border_ = 0x50000000;
  bool rounded_ = false;
  float caption_width_ = 0;
  float caption_height_ = 0;
};

// The parts of a group box of size W x H whose caption measures cw x ch.
struct GroupBoxGeometry {
  FloatRect frame;    // the frame's top edge runs through the caption's middle
  FloatRect caption;  // kept free of the frame line
};
GroupBoxGeometry LayOutGroupBox(float width, float height, float caption_width, float caption_height,
                                alignment::Kind caption_alignment);

}  // namespace razezazo
