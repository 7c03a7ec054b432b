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

const EditStep* EditHistory::Undo() { return Move(undo_, redo_); }

const EditStep* EditHistory::Redo() { return Move(redo_, undo_); }

const EditStep* EditHistory::Move(std::vector<EditStep>& from, std::vector<EditStep>& to) {
  open_ = false;
  if (from.empty()) return nullptr;
  to.push_back(std::move(from.back()));
  from.pop_back();
  return &to.back();
}

}  // namespace razezazo
