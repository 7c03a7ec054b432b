// Sizing the lines of an EditText. A layout measures the reference character,
// then sizes only the lines that are not sized yet (all of them when the font,
// format, measuring width, display form or line height changed): wrapping
// lines by laying them out, the others by their characters' advances, until
// Measure lays out the ones the view shows. The lines are then placed again
// from the first one whose height may have changed.
#include <algorithm>

#include "platform/gfx/text_measurer.h"
#include "razezazo/controls/edit_characters.h"
#include "razezazo/controls/edit_text.h"
#include "razezazo/drawing/text.h"

namespace razezazo {
namespace {

// The character whose box sets the line height and the reference width.
constexpr std::u16string_view kReferenceCharacter = u"泆";
// What an empty line (or one that does not measure) is wide.
constexpr float kEmptyLineWidth = 2.0f;
// Unwrapped lines a layout lays out rather than estimates, when no more are new.
constexpr std::size_t kLaidOutAtOnce = 8;

// Whole-text bounds as MeasureText gives them (nothing when the text is empty
// or does not lay out, or there is no font), through one layout that is made
// when the first line needs it.
class LineMeasurer {
 public:
  LineMeasurer(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, const FloatRect& rect)
      : g_(g), font_(font), format_(format), rect_(rect) {}
  std::optional<FloatRect> operator()(std::u16string_view text) {
    if (!font_ || text.empty()) return std::nullopt;
    if (!measurer_) measurer_.emplace(g_, *font_, rect_, format_ ? *format_ : gfx::StringFormat{});
    const FloatRect bounds = measurer_->WholeBounds(text);
    if (bounds.IsEmpty()) return std::nullopt;
    return bounds;
  }

 private:
  const gfx::Graphics& g_;
  const FontHandle& font_;
  const FormatHandle& format_;
  FloatRect rect_;
  std::optional<gfx::TextMeasurer> measurer_;
};

}  // namespace

void EditText::Layout(const gfx::Graphics& g, float wrap_width, const FontHandle& font, const FormatHandle& format) {
  lines_measured_ = 0;
  measuring_rect_ = {0, 0, multi_line_ ? std::max(wrap_width, 0.0f) : 0.0f, 0};
  const std::optional<FloatRect> reference = MeasureText(g, kReferenceCharacter, font, format, measuring_rect_);
  line_height_ = reference ? static_cast<int>(reference->height) : 0;
  reference_width_ = reference ? static_cast<int>(reference->width) : 0;

  LayoutKey key{font ? font->Family() : std::string(),
                font ? font->Size() : 0.0f,
                font ? font->Style() : 0,
                format ? *format : gfx::StringFormat{},
                measuring_rect_.width,
                mode_ == InputMode::kPassword,
                mode_ == InputMode::kPassword ? mask_ : runtime::Text(),
                line_height_};
  if (!layout_key_ || *layout_key_ != key) {
    layout_key_ = std::move(key);
    advances_.Clear();
    InvalidateGeometry();
  }
  if (wraps()) {
    Measure(g, font, format, static_cast<int>(first_unplaced_) + 1, line_count());
    return;
  }
  // A keystroke's few lines are laid out at once, as the view shows them
  // anyway; a paste's or a new text's many are estimated. Lines are new only
  // from where the lines need placing again.
  std::vector<std::size_t> unsized;
  for (std::size_t i = first_unplaced_; i < lines_.size() && unsized.size() <= kLaidOutAtOnce; ++i)
    if (lines_[i].sizing == Sizing::kNone) unsized.push_back(i);
  if (unsized.size() <= kLaidOutAtOnce) {
    MeasureLines(g, font, format, unsized);
  } else {
    for (std::size_t i = first_unplaced_; i < lines_.size(); ++i) {
      if (lines_[i].sizing != Sizing::kNone) continue;
      if (IsLong(static_cast<int>(i) + 1))
        SizeLongLine(g, font, format, i);
      else
        StoreEstimate(i, advances_.Width(g, font, format, DisplayLine(static_cast<int>(i) + 1)));
    }
  }
  if (geometry_changed_) PlaceLines();
}

bool EditText::Measure(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, int first,
                       int last) {
  const int width_before = content_width_;
  std::vector<std::size_t> unmeasured;
  for (int line = std::max(first, 1); line <= std::min(last, line_count()); ++line)
    if (lines_[static_cast<std::size_t>(line - 1)].sizing != Sizing::kMeasured)
      unmeasured.push_back(static_cast<std::size_t>(line - 1));
  MeasureLines(g, font, format, unmeasured);
  if (geometry_changed_) PlaceLines();
  return content_width_ != width_before;
}

void EditText::MeasureLines(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format,
                            const std::vector<std::size_t>& indices) {
  lines_measured_ = static_cast<int>(indices.size());
  LineMeasurer measure(g, font, format, measuring_rect_);
  for (const std::size_t i : indices) {
    if (IsLong(static_cast<int>(i) + 1))
      SizeLongLine(g, font, format, i);
    else
      StoreMeasurement(i, measure(DisplayLine(static_cast<int>(i) + 1)));
  }
}

void EditText::StoreMeasurement(std::size_t index, const std::optional<FloatRect>& box) {
  LineEntry& line = lines_[index];
  line.rect.x = 0;
  line.rect.width = box ? box->width : kEmptyLineWidth;
  line.rect.height = box && wraps() ? box->height : static_cast<float>(line_height_);
  line.overflow = box ? std::max(box->height - line.rect.height, 0.0f) : 0.0f;
  line.sizing = Sizing::kMeasured;
  first_unplaced_ = std::min(first_unplaced_, index);
  geometry_changed_ = true;
}

void EditText::StoreEstimate(std::size_t index, float width) {
  LineEntry& line = lines_[index];
  line.rect = {0, line.rect.y, width > 0 ? width : kEmptyLineWidth, static_cast<float>(line_height_)};
  line.overflow = 0;
  line.sizing = Sizing::kEstimated;
  first_unplaced_ = std::min(first_unplaced_, index);
  geometry_changed_ = true;
}

bool EditText::IsLong(int line) const {
  return LineLength(line) > kLongLineColumns && LineChars(line) > kLongLineColumns;
}

// The stretches' places come from the characters' advances, each stretch's
// tabs counted from its own start as its layout counts them.
void EditText::SizeLongLine(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format,
                            std::size_t index) {
  const int line = static_cast<int>(index) + 1;
  const std::u16string units = DisplayLine(line);
  const std::string_view bytes = LineBytes(line);
  const int k = units_per_column(), columns = LineChars(line);
  const float wrap = measuring_rect_.width, height = static_cast<float>(line_height_);
  const auto advance = [&](int column, float x) {
    for (int u = 0; u < k; ++u)
      x = advances_.Advance(g, font, format, units[static_cast<std::size_t>(column * k + u)], x);
    return x;
  };
  std::vector<Stretch> stretches;
  double start_x = 0, start_y = 0;  // the current stretch's place in the line
  float x = 0, widest = 0;          // the pen within the current stretch
  for (int column = 0, byte = 0; column < columns; ++column) {
    float next = advance(column, x);
    const bool cut = column > 0 && (wrap > 0 ? next > wrap : column % kStretchColumns == 0);
    if (cut) {
      if (wrap > 0)
        start_y += height;
      else
        start_x += x;
      next = advance(column, 0);
    }
    if (column == 0 || cut) stretches.push_back({column, byte, start_x, start_y});
    x = next;
    widest = std::max(widest, x);
    byte += static_cast<int>(edit_chars::CharLength(bytes, static_cast<std::size_t>(byte)));
  }
  LineEntry& entry = lines_[index];
  entry.rect = {0, entry.rect.y, static_cast<float>(wrap > 0 ? widest : start_x + x),
                static_cast<float>(start_y + height)};
  entry.overflow = 0;
  entry.sizing = Sizing::kMeasured;
  entry.stretches = std::move(stretches);
  first_unplaced_ = std::min(first_unplaced_, index);
  geometry_changed_ = true;
}

// y of every line is the content height above it; the content height is kept
// in whole pixels, as the running sum always was.
void EditText::PlaceLines() {
  std::size_t i = std::min(first_unplaced_, lines_.size());
  int running = i == 0 ? 0 : static_cast<int>(static_cast<double>(lines_[i - 1].rect.y) + lines_[i - 1].rect.height);
  for (; i < lines_.size(); ++i) {
    lines_[i].rect.y = static_cast<float>(running);
    running = static_cast<int>(running + static_cast<double>(lines_[i].rect.height));
  }
  content_height_ = running;
  float widest = 0;
  overflow_ = 0;
  for (const LineEntry& line : lines_) {
    widest = std::max(widest, line.rect.width);
    overflow_ = std::max(overflow_, line.overflow);
  }
  content_width_ = static_cast<int>(widest);
  first_unplaced_ = lines_.size();
  geometry_changed_ = false;
}

void EditText::InvalidateGeometry() {
  for (LineEntry& line : lines_) {
    line.sizing = Sizing::kNone;
    line.stretches.clear();
  }
  first_unplaced_ = 0;
  geometry_changed_ = true;
}

}  // namespace razezazo
