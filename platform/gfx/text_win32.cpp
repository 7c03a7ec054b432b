#include "platform/gfx/text_win32.h"

#include <algorithm>

#include "platform/gfx/font_native_win32.h"

namespace gfx::detail {

std::unique_ptr<Gdiplus::StringFormat> ToGdiplus(const StringFormat& format) {
  auto out = std::unique_ptr<Gdiplus::StringFormat>(Gdiplus::StringFormat::GenericTypographic()->Clone());
  // Fallback fonts stay on: GDI+ would otherwise drop what the font lacks.
  out->SetFormatFlags(format.flags & ~format_flags::kNoFontFallback);
  out->SetAlignment(static_cast<Gdiplus::StringAlignment>(format.alignment));
  out->SetLineAlignment(static_cast<Gdiplus::StringAlignment>(format.line_alignment));
  out->SetTrimming(static_cast<Gdiplus::StringTrimming>(format.trimming));
  out->SetHotkeyPrefix(static_cast<Gdiplus::HotkeyPrefix>(format.hotkey_prefix));
  if (!format.tab_stops.empty())
    out->SetTabStops(format.first_tab_offset, static_cast<INT>(format.tab_stops.size()), format.tab_stops.data());
  return out;
}

namespace {

// One side of the layout rectangle, unbounded as its alignment places it.
void Unbound(float& start, float& extent, StringAlignment alignment) {
  if (alignment == StringAlignment::Center) start += extent / 2 - kUnbounded / 2;
  if (alignment == StringAlignment::Far) start += extent - kUnbounded;
  extent = kUnbounded;
}

Gdiplus::Graphics& MeasuringGraphics(int text_hint) {
  UseGdiplus();
  thread_local Gdiplus::Bitmap pixel(1, 1, PixelFormat32bppPARGB);
  thread_local Gdiplus::Graphics g(&pixel);
  g.SetTextRenderingHint(static_cast<Gdiplus::TextRenderingHint>(text_hint));
  return g;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

}  // namespace

TextOn::TextOn(std::u16string_view text, const Font& font, const RectF& layout, const StringFormat& format,
               int text_hint)
    : g_(MeasuringGraphics(text_hint)), text_(text), font_(font), rect_(ToRect(layout)), format_(format) {
  StringFormat top = format;
  top.line_alignment = StringAlignment::Near;
  gdiplus_format_ = ToGdiplus(top);
  const bool ellipsis = format.trimming >= Trimming::EllipsisCharacter;
  if (rect_.Width <= 0 || (format.Has(format_flags::kNoWrap) && !ellipsis))
    Unbound(rect_.X, rect_.Width, format.alignment);
  if (rect_.Height <= 0 || !format.Has(format_flags::kLineLimit)) Unbound(rect_.Y, rect_.Height, StringAlignment::Near);
  if (format.line_alignment == StringAlignment::Near || text.empty()) return;
  const CharacterRange all{0, static_cast<int>(text.size())};
  const float text_height = RangeBounds({&all, 1})[0].height;
  const float free = std::max(layout.height, 0.0f) - text_height;
  rect_.Y += format.line_alignment == StringAlignment::Center ? free / 2 : free;
}

RectF TextOn::Bounds() const {
  int length = static_cast<int>(text_.size());
  if (!format_.Has(format_flags::kMeasureTrailingSpaces))
    while (length > 0 && IsBlank(text_[static_cast<size_t>(length) - 1])) --length;
  const CharacterRange all{0, length};
  return RangeBounds({&all, 1})[0];
}

template <typename Use>
void TextOn::ForEachRange(std::span<const CharacterRange> ranges, Use use) const {
  // GDI+ measures at most 32 ranges in one go.
  constexpr size_t kBatch = 32;
  for (size_t first = 0; first < ranges.size(); first += kBatch) {
    const size_t n = std::min(kBatch, ranges.size() - first);
    std::vector<Gdiplus::CharacterRange> batch;
    for (size_t i = 0; i < n; ++i) batch.emplace_back(ranges[first + i].first, ranges[first + i].length);
    Gdiplus::StringFormat format(gdiplus_format_.get());
    format.SetMeasurableCharacterRanges(static_cast<INT>(n), batch.data());
    std::vector<Gdiplus::Region> regions(n);
    g_.MeasureCharacterRanges(Wide(text_), static_cast<INT>(text_.size()), GdiplusFont(font_), rect_, &format,
                              static_cast<INT>(n), regions.data());
    for (size_t i = 0; i < n; ++i) use(first + i, regions[i]);
  }
}

namespace {

bool Valid(CharacterRange r, size_t size) {
  return r.length > 0 && r.first >= 0 && static_cast<size_t>(r.first) + static_cast<size_t>(r.length) <= size;
}

RectF Union(const RectF& a, const RectF& b) {
  if (a.IsEmpty()) return b;
  const float x = std::min(a.x, b.x), y = std::min(a.y, b.y);
  return {x, y, std::max(a.Right(), b.Right()) - x, std::max(a.Bottom(), b.Bottom()) - y};
}

// Rectangles of laid-out text merged into one per line, top to bottom: those
// that share their top stand on the same line.
std::vector<RectF> Rows(std::vector<RectF> rects) {
  std::sort(rects.begin(), rects.end(), [](const RectF& a, const RectF& b) { return a.y < b.y; });
  std::vector<RectF> rows;
  for (const RectF& r : rects) {
    if (r.IsEmpty()) continue;
    if (!rows.empty() && r.y < rows.back().y + rows.back().height / 2)
      rows.back() = Union(rows.back(), r);
    else
      rows.push_back(r);
  }
  return rows;
}

}  // namespace

std::vector<RectF> TextOn::RangeBounds(std::span<const CharacterRange> ranges) const {
  std::vector<RectF> out(ranges.size());
  std::vector<CharacterRange> valid(ranges.begin(), ranges.end());
  for (CharacterRange& r : valid)
    if (!Valid(r, text_.size())) r = {0, 0};
  ForEachRange(valid, [&](size_t i, Gdiplus::Region& region) {
    if (valid[i].length == 0 || region.IsEmpty(&g_)) return;
    Gdiplus::RectF box;
    region.GetBounds(&box, &g_);
    out[i] = FromRect(box);
  });
  return out;
}

std::vector<RectF> TextOn::RangeRows(CharacterRange range) const {
  std::vector<RectF> rows;
  if (!Valid(range, text_.size())) return rows;
  const std::vector<RectF> lines = CharacterRows(true);
  // GDI+ joins the range's parts on lines of the same extent into one
  // rectangle: the range is cut along each line instead.
  ForEachRange(std::span(&range, 1), [&](size_t, Gdiplus::Region& region) {
    for (const RectF& line : lines) {
      Gdiplus::Region part(Gdiplus::RectF(-kUnbounded, line.y, 2 * kUnbounded, line.height));
      part.Intersect(&region);
      if (part.IsEmpty(&g_)) continue;
      Gdiplus::RectF box;
      part.GetBounds(&box, &g_);
      rows.push_back(FromRect(box));
    }
  });
  return rows;
}

std::vector<RectF> TextOn::LineRects() const {
  return CharacterRows(format_.Has(format_flags::kMeasureTrailingSpaces));
}

// Each character measured on its own.
std::vector<RectF> TextOn::CharacterRows(bool blanks) const {
  std::vector<CharacterRange> characters;
  for (int i = 0; i < static_cast<int>(text_.size()); ++i) {
    const bool pair =
        (text_[i] & 0xFC00) == 0xD800 && i + 1 < static_cast<int>(text_.size()) && (text_[i + 1] & 0xFC00) == 0xDC00;
    if (blanks || !IsBlank(text_[i])) characters.push_back({i, pair ? 2 : 1});
    i += pair;
  }
  return Rows(RangeBounds(characters));
}

}  // namespace gfx::detail
