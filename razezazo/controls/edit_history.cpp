#include "razezazo/controls/edit_history.h"

#include <utility>

namespace razezazo {

void EditHistory::Record(EditStep step) {
  redo_.clear();
  if (open_ && step.typed && step.removed.empty() && !undo_.empty()) {
    EditStep& run = undo_.back();
    if (step.position == run.position + static_cast<int>(run.inserted.size())) {
      run.inserted += step.inserted;
      return;
    }
  }
  open_ = step.typed;
  undo_.push_back(std::move(step));
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  open_ = false;
}

const EditStep* EditHistory::Undo() {
  open_ = false;
  if (undo_.empty()) return nullptr;
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return &redo_.back();
}

const EditStep* EditHistory::Redo() {
  open_ = false;
  if (redo_.empty()) return nullptr;
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return &undo_.back();
}

}  // namespace razezazo
