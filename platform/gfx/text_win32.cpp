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

TextOn::TextOn(const Gdiplus::Graphics& g, std::u16string_view text, const Font& font, const RectF& layout,
               const StringFormat& format)
    : g_(g), text_(text), font_(font), layout_(layout), format_(format), gdiplus_format_(ToGdiplus(format)) {}

RectF TextOn::Bounds() const {
  Gdiplus::RectF box;
  g_.MeasureString(Wide(text_), static_cast<INT>(text_.size()), GdiplusFont(font_), ToRect(layout_),
                   gdiplus_format_.get(), &box);
  return FromRect(box);
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
    g_.MeasureCharacterRanges(Wide(text_), static_cast<INT>(text_.size()), GdiplusFont(font_), ToRect(layout_),
                              &format, static_cast<INT>(n), regions.data());
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
  std::vector<RectF> rects;
  if (!Valid(range, text_.size())) return rects;
  ForEachRange(std::span(&range, 1), [&](size_t, Gdiplus::Region& region) {
    Gdiplus::Matrix identity;
    const INT count = static_cast<INT>(region.GetRegionScansCount(&identity));
    std::vector<Gdiplus::RectF> scans(static_cast<size_t>(std::max(count, 0)));
    INT got = count;
    if (count > 0) region.GetRegionScans(&identity, scans.data(), &got);
    for (INT i = 0; i < got; ++i) rects.push_back(FromRect(scans[static_cast<size_t>(i)]));
  });
  return Rows(std::move(rects));
}

// Each character measured on its own; the lines are the rows they make. Blanks
// at a line's end count only when the format measures trailing spaces.
std::vector<RectF> TextOn::LineRects() const {
  std::vector<CharacterRange> characters;
  for (int i = 0; i < static_cast<int>(text_.size()); ++i) {
    const bool pair = (text_[i] & 0xFC00) == 0xD800 && i + 1 < static_cast<int>(text_.size()) &&
                      (text_[i + 1] & 0xFC00) == 0xDC00;
    characters.push_back({i, pair ? 2 : 1});
    i += pair;
  }
  std::vector<RectF> ink, blanks;
  const std::vector<RectF> boxes = RangeBounds(characters);
  for (size_t i = 0; i < boxes.size(); ++i) {
    const char16_t c = text_[static_cast<size_t>(characters[i].first)];
    (c == u' ' || c == u'\t' || c == u'\u3000' ? blanks : ink).push_back(boxes[i]);
  }
  if (format_.Has(format_flags::kMeasureTrailingSpaces)) ink.insert(ink.end(), blanks.begin(), blanks.end());
  return Rows(std::move(ink));
}

}  // namespace gfx::detail
