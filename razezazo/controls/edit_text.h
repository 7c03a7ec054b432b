#pragma once
// EditText: the text of an edit box as GBK bytes split into lines at CR LF,
// with the measured geometry of every line.
//
// Every change goes through SetText, so the line table always matches the
// bytes. SetText keeps the table entries (and their measured geometry) of the
// lines that lie wholly in the unchanged head or tail of the text, and Layout
// sizes only the lines that changed; the results are those of splitting and
// sizing the whole text again, at the cost of what changed. Lines that do not
// wrap are laid out only when shown (see Layout and Measure), so setting or
// pasting many lines costs what the view shows of them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/graphics.h"
#include "razezazo/controls/edit_advances.h"
#include "razezazo/drawing/float_rect.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text_format.h"
#include "runtime/text.h"

namespace razezazo {

enum class InputMode : int { kNormal = 0, kReadOnly = 1, kPassword = 2, kInteger = 3, kDecimal = 4 };

class EditText {
 public:
  // The text ends at its first zero byte, as a C string would. A single-line
  // text is cut at its first CR LF; an LF that does not follow a CR is dropped.
  // Bytes that start no whole GBK character are dropped, here and in
  // InsertAt, so every byte with the high bit set is the lead of a pair.
  void SetText(std::string_view text, bool multi_line, InputMode mode, const runtime::Text& mask);

  // Sizes the lines for a view that wraps them at `wrap_width` (0: lines do
  // not wrap; a single line never does). Wrapping lines are measured now,
  // since their heights place every line below them. Lines that do not wrap
  // are one reference line high; when a change brought more than a
  // keystroke's few, their width is estimated from their characters'
  // advances until Measure lays them out.
  void Layout(const gfx::Graphics& g, float wrap_width, const FontHandle& font, const FormatHandle& format);
  // Lays out the lines first..last (kept within the text) that have an
  // estimated width only; true when that changed the content width.
  bool Measure(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, int first, int last);

  // The line's bytes without its CR LF, or the first `byte_count` of them. In
  // display form a password shows the mask once per character and every other
  // mode shows each space as a tab. Empty for an invalid line.
  runtime::Text LineText(int line, std::optional<int> byte_count = std::nullopt, bool display = false) const;
  // Bytes from min(a, b) inclusive to max(a, b) exclusive (1-based positions).
  runtime::Text RangeText(int a, int b) const;
  // Positions lie on character boundaries, as Position gives them.
  void DeleteRange(int a, int b, bool multi_line);
  void InsertAt(int position, std::string_view text, bool multi_line);

  const runtime::Text& WholeText() const { return bytes_; }
  // The text as the get-text message hands it back: zero-terminated, valid
  // until the next change.
  const char* TextForMessage() const { return bytes_.c_str(); }
  int line_count() const { return static_cast<int>(lines_.size()); }
  int line_height() const { return line_height_; }
  int reference_width() const { return reference_width_; }
  FloatRect LineRect(int line) const;
  // 1-based position of the line's first byte; 0 for an invalid line.
  int LineStart(int line) const;
  int content_height() const { return content_height_; }
  int content_width() const { return content_width_; }
  int length() const { return static_cast<int>(bytes_.size()); }
  bool IsValidLine(int line) const { return line >= 1 && line <= line_count(); }
  InputMode mode() const { return mode_; }
  const runtime::Text& mask() const { return mask_; }

  // --- characters and columns ---------------------------------------------------
  int LineLength(int line) const;  // bytes, without CR LF
  int LineChars(int line) const;   // characters
  // 1-based byte position of (line, column); the column is kept within the line.
  int Position(int line, int column) const;
  // The display form as UTF-16: units_per_column() units for every character.
  std::u16string DisplayLine(int line) const;
  int units_per_column() const;
  // The rectangle lines were laid out in: origin 0, width 0 when they do not wrap.
  const FloatRect& measuring_rect() const { return measuring_rect_; }
  bool wraps() const { return measuring_rect_.width > 0; }

  // --- long lines ---------------------------------------------------------------
  // A line of more characters than kLongLineColumns is never laid out whole:
  // Pango's coordinates overflow on it and one layout would take seconds. It
  // is cut into stretches, each laid out on its own when shown and placed by
  // its characters' advances: without wrapping a stretch holds
  // kStretchColumns characters and they follow one another along the line;
  // with wrapping a stretch is one row, cut at the character that would pass
  // the wrap width (not at a word), and the rows stand one below the other.
  static constexpr int kLongLineColumns = 8192;
  static constexpr int kStretchColumns = 512;
  struct Stretch {
    int column = 0;  // its first character
    int byte = 0;    // that character's offset in the line
    double x = 0;    // from the line's top-left corner; a float would lose
    double y = 0;    // whole pixels along a line of millions
  };
  // Empty for a line that is laid out whole, and until the line is sized.
  const std::vector<Stretch>& Stretches(int line) const;
  // The display form of `count` characters of the line from the stretch's first.
  std::u16string DisplayStretch(int line, const Stretch& from, int count) const;

  // --- layout bookkeeping -------------------------------------------------------
  // The next layout measures every line again, as a first layout would.
  void InvalidateGeometry();
  // How far the tallest line's text reaches below its line rectangle (a
  // fallback font may make a line's text taller than the reference line).
  float overflow() const { return overflow_; }
  // Lines the last Layout or Measure laid out.
  int lines_measured_by_last_layout() const { return lines_measured_; }
  // Whether the line's width is its laid-out one, not an estimate.
  bool IsMeasured(int line) const {
    return IsValidLine(line) && lines_[static_cast<std::size_t>(line - 1)].sizing == Sizing::kMeasured;
  }

 private:
  enum class Sizing { kNone, kEstimated, kMeasured };
  struct LineEntry {
    int start = 0;  // 0-based offset of the line's first byte
    FloatRect rect;
    float overflow = 0;
    Sizing sizing = Sizing::kNone;
    std::vector<Stretch> stretches;  // a long line's, once sized
    mutable int chars = -1;          // counted when first asked for
  };
  // What every line's measurement depends on besides its own bytes.
  struct LayoutKey {
    std::string family;
    float size = 0;
    int style = 0;
    gfx::StringFormat format;
    float measuring_width = 0;
    bool password = false;
    runtime::Text mask;
    int line_height = 0;
    bool operator==(const LayoutKey&) const = default;
  };

  void Replace(std::string bytes);
  void ReplaceBytes(std::size_t from, std::size_t to, std::string_view inserted);
  void SpliceLines(std::size_t prefix, std::size_t suffix, std::size_t old_size);
  std::string_view LineBytes(int line) const;
  void MeasureLines(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format,
                    const std::vector<std::size_t>& indices);
  void StoreMeasurement(std::size_t index, const std::optional<FloatRect>& box);
  void StoreEstimate(std::size_t index, float width);
  bool IsLong(int line) const;
  void SizeLongLine(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, std::size_t index);
  void PlaceLines();

  runtime::Text bytes_;
  std::vector<LineEntry> lines_{LineEntry{}};
  bool multi_line_ = false;
  InputMode mode_ = InputMode::kNormal;
  runtime::Text mask_ = "*";
  int content_width_ = 0;
  int content_height_ = 0;
  int line_height_ = 0;
  int reference_width_ = 0;
  float overflow_ = 0;
  FloatRect measuring_rect_;
  std::optional<LayoutKey> layout_key_;
  CharacterAdvances advances_;
  std::size_t first_unplaced_ = 0;  // lines from here on need their y again
  bool geometry_changed_ = true;
  int lines_measured_ = 0;
};

// The text a setText of `text` stores.
std::string NormalizeEditText(std::string_view text, bool multi_line);

}  // namespace razezazo
