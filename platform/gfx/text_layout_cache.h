#pragma once
// The text layouts of one thread, kept while a control measures and draws the
// same text again and again (measure, draw, draw again on hover), and the
// Pango contexts they are laid out in. Internal to platform/gfx.
#include <array>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/string_format.h"
#include "platform/gfx/text_layout.h"

namespace gfx::detail {

// Everything a layout depends on. Lookups use a view of the same fields, so a
// hit copies nothing.
struct LayoutKey {
  std::u16string text;
  std::string family;
  float size;
  int style;
  float width, height;
  StringFormat format;
  GlyphRendering rendering;
};

struct LayoutKeyView {
  std::u16string_view text;
  std::string_view family;
  float size;
  int style;
  float width, height;
  const StringFormat& format;
  GlyphRendering rendering;
};

struct LayoutKeyHash {
  using is_transparent = void;
  size_t operator()(const LayoutKeyView& key) const;
  size_t operator()(const LayoutKey& key) const;
};

struct LayoutKeyEqual {
  using is_transparent = void;
  static LayoutKeyView View(const LayoutKey& key);
  static LayoutKeyView View(const LayoutKeyView& key) { return key; }
  template <typename A, typename B>
  bool operator()(const A& a, const B& b) const {
    return Same(View(a), View(b));
  }
  static bool Same(const LayoutKeyView& a, const LayoutKeyView& b);
};

class TextLayoutCache {
 public:
  static TextLayoutCache& ForThisThread();

  // The layout of the text in a layout rectangle of width x height (0: unbounded).
  std::shared_ptr<const TextLayout> Get(std::u16string_view text, const Font& font, float width, float height,
                                        const StringFormat& format, GlyphRendering rendering);
  PangoContext* Context(GlyphRendering rendering);

  // A layout takes some tens of bytes per character: the cache keeps at most
  // kEntries layouts and kHeldUnits UTF-16 units of text in all, and never a
  // layout of more than kKeptUnits (which is laid out for each use instead).
  static constexpr size_t kEntries = 32;
  static constexpr size_t kHeldUnits = size_t{1} << 19;
  static constexpr size_t kKeptUnits = size_t{1} << 17;
  size_t held_units() const { return held_units_; }
  size_t held_layouts() const { return entries_.size(); }

 private:
  void DropOldest();

  struct Entry;
  using Map = std::unordered_map<LayoutKey, Entry, LayoutKeyHash, LayoutKeyEqual>;
  using Age = std::list<Map::value_type*>;  // most recently used first
  struct Entry {
    std::shared_ptr<const TextLayout> layout;
    Age::iterator age;
  };
  Map entries_;
  Age recent_;
  size_t held_units_ = 0;
  std::array<GObjectPtr<PangoContext>, 3> contexts_;
};

// The layout for these arguments from this thread's cache; text_hint is the
// graphics' text rendering hint.
std::shared_ptr<const TextLayout> LayoutFor(std::u16string_view text, const Font& font, const RectF& rect,
                                            const StringFormat& format, int text_hint);

}  // namespace gfx::detail
