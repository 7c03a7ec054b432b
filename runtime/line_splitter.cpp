#include "runtime/line_splitter.h"

namespace runtime {

void LineSplitter::Feed(std::string_view bytes) {
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      Emit();
      continue;
    }
    pending_.push_back(c);
    if (pending_.size() >= longest_) Emit();
  }
}

void LineSplitter::Finish() { Emit(); }

void LineSplitter::Emit() {
  if (pending_.empty()) return;
  if (on_line_) on_line_(pending_);
  pending_.clear();
}

}  // namespace runtime
