#pragma once
// The undo and redo history of an edit box. A step replaces the bytes
// `removed` at a 1-based byte position by `inserted`; undoing puts them back.
// As in GTK, a run of typed characters makes one step, and so does every
// other change (a paste, a cut, a deletion); a new change ends the redo list.
#include <cstddef>
#include <vector>

#include "razezazo/controls/text_place.h"
#include "runtime/text.h"

namespace razezazo {

struct EditStep {
  int position = 1;
  runtime::Text removed;
  runtime::Text inserted;
  // The selection before the change, given back by undo.
  TextPlace anchor;
  TextPlace caret;
  bool typed = false;
};

class EditHistory {
 public:
  // A typed character right after the open typed run joins it.
  void Record(EditStep step);
  // The next typed character starts a step of its own (the caret was moved).
  void Seal() { open_ = false; }
  void Clear();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The step to undo (redo), moved onto the other list.
  const EditStep* Undo();
  const EditStep* Redo();
  std::size_t size() const { return undo_.size(); }

 private:
  // The last step of `from` moved onto `to`.
  const EditStep* Move(std::vector<EditStep>& from, std::vector<EditStep>& to);

  std::vector<EditStep> undo_;
  std::vector<EditStep> redo_;
  bool open_ = false;  // the last undo step is a typed run that may grow
};

}  // namespace razezazo
