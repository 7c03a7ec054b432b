#pragma once

namespace razezazo {

// A (line, column) place in an edit box's text: lines 1-based, columns 0-based
// character counts.
struct TextPlace {
  int line = 1;
  int column = 0;
  bool operator==(const TextPlace&) const = default;
};

}  // namespace razezazo
