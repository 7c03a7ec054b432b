#pragma once
// What must hold for an edit box after any operation, as checks that name the
// broken property (an empty answer when all hold). Shared by the randomized
// test and the edit box fuzz target, which has no test framework to assert with.
#include <algorithm>
#include <string>

#include "razezazo/controls/edit_box.h"
#include "runtime/gbk.h"

namespace edit_box_checks {

inline std::string Describe(const char* what, const razezazo::TextPlace& place) {
  return std::string(what) + " at line " + std::to_string(place.line) + ", column " + std::to_string(place.column);
}

// Caret and anchor on a line of the text and within it; the scroll offsets
// between the content's far edge and zero.
inline std::string BrokenInvariant(const razezazo::EditBox& box) {
  const razezazo::EditText& store = box.store();
  for (const auto& [name, place] : {std::pair{"caret", box.caret()}, std::pair{"anchor", box.anchor()}}) {
    if (!store.IsValidLine(place.line)) return Describe(name, place) + ": no such line";
    if (place.column < 0 || place.column > store.LineChars(place.line))
      return Describe(name, place) + ": beyond the line's " + std::to_string(store.LineChars(place.line)) +
             " characters";
  }
  if (store.WholeText() != runtime::GbkWholeCharacters(store.WholeText()))
    return "the text holds a byte of no whole character";
  const razezazo::FloatRect& view = box.view_rect();
  const int lowest_y = std::min(0, static_cast<int>(view.height) - store.content_height());
  const int lowest_x = std::min(0, static_cast<int>(view.width) - store.content_width());
  if (box.scroll_y() > 0 || box.scroll_y() < lowest_y)
    return "vertical scroll " + std::to_string(box.scroll_y()) + " outside [" + std::to_string(lowest_y) + ", 0]";
  if (box.scroll_x() > 0 || box.scroll_x() < lowest_x)
    return "horizontal scroll " + std::to_string(box.scroll_x()) + " outside [" + std::to_string(lowest_x) + ", 0]";
  return {};
}

// The incrementally kept layout, once every line is laid out, equals one made
// from scratch.
inline std::string LayoutDiffersFromFull(razezazo::EditBox& box) {
  const gfx::Graphics* g = box.canvas_graphics();
  if (!g) return {};  // a box without a canvas (no size) lays nothing out
  razezazo::EditText incremental = box.store();
  razezazo::EditText full = box.store();
  full.InvalidateGeometry();
  full.Layout(*g, box.store().measuring_rect().width, box.font(), box.format());
  for (razezazo::EditText* store : {&incremental, &full})
    store->Measure(*g, box.font(), box.format(), 1, store->line_count());
  if (full.line_count() != incremental.line_count())
    return "line count " + std::to_string(incremental.line_count()) + ", full layout " +
           std::to_string(full.line_count());
  if (full.content_width() != incremental.content_width()) return "content width differs from a full layout";
  if (full.content_height() != incremental.content_height()) return "content height differs from a full layout";
  for (int line = 1; line <= full.line_count(); ++line) {
    const razezazo::FloatRect a = full.LineRect(line), b = incremental.LineRect(line);
    if (!(a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height))
      return "line " + std::to_string(line) + "'s rectangle differs from a full layout";
  }
  return {};
}

}  // namespace edit_box_checks
