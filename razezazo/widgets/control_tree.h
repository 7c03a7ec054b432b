#pragma once
// The control tree of one host: its top-level controls and, under each control,
// its children; every level is in z-order (the first is drawn first, the last
// lies on top). This type is the only code that writes the links, and it keeps
// the rules that every walk over the tree relies on:
//   - a control is in at most one sibling list, and its parent is the control
//     whose list that is (none at the top level);
//   - a control never becomes its own ancestor (a walk always ends);
//   - a control joins only the tree of its own host, under a parent of that host
//     (the host's slots that point at it are cleared when it goes).
// An unlinked control is in no list; it keeps its own children and can be
// linked again. Operations that would break a rule change nothing and answer false.
#include <functional>
#include <vector>

#include "razezazo/widgets/framework_object.h"

namespace razezazo {

class ControlBase;

// One level of the tree, back to front.
struct SiblingList {
  ControlBase* first = nullptr;
  ControlBase* last = nullptr;
};

// A control's own place in the tree; written by ControlTree only.
struct TreeLinks {
  ControlBase* parent = nullptr;
  ControlBase* previous = nullptr;
  ControlBase* next = nullptr;
  SiblingList children;
  SiblingList* list = nullptr;  // the list the control is in; null while unlinked
};

class ControlTree {
 public:
  // Holds the controls whose host is `owner`.
  explicit ControlTree(const FrameworkObject& owner) : owner_(owner) {}
  ControlTree(const ControlTree&) = delete;
  ControlTree& operator=(const ControlTree&) = delete;

  ControlBase* first() const { return top_.first; }
  ControlBase* last() const { return top_.last; }

  // Whether `control` may be placed under `parent` (null: the top level).
  bool MayPlace(const ControlBase& control, const ControlBase* parent) const;
  // Moves `control` to the end (on top) or the start (at the back) of `parent`'s
  // children, or of the top level when `parent` is null.
  bool Append(ControlBase& control, ControlBase* parent);
  bool Prepend(ControlBase& control, ControlBase* parent);
  // Moves `control` just below `sibling` (drawn before it), in sibling's list.
  bool InsertBefore(ControlBase& control, ControlBase& sibling);
  // Takes the control out of its list; nothing happens when it is in none. Needs
  // no tree: a control's list outlives it.
  static void Unlink(ControlBase& control);
  static bool IsLinked(const ControlBase& control);
  static bool IsAncestor(const ControlBase& ancestor, const ControlBase& control);

  // The handles of the controls in drawing order (parents before their
  // children); a control that `include` refuses is left out with its subtree.
  // Callers that run application code for many controls walk such a snapshot
  // and look each control up again, since the code may change the tree.
  std::vector<Handle> Snapshot(const std::function<bool(const ControlBase&)>& include) const;

 private:
  SiblingList& ListUnder(ControlBase* parent);
  static void LinkBetween(ControlBase& control, SiblingList& list, ControlBase* parent, ControlBase* previous,
                          ControlBase* next);

  const FrameworkObject& owner_;
  SiblingList top_;
};

}  // namespace razezazo
