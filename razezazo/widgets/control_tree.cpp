#include "razezazo/widgets/control_tree.h"

#include "razezazo/widgets/control_base.h"

namespace razezazo {

bool ControlTree::IsLinked(const ControlBase& control) { return control.links_.list != nullptr; }

bool ControlTree::IsAncestor(const ControlBase& ancestor, const ControlBase& control) {
  for (const ControlBase* c = control.links_.parent; c; c = c->links_.parent)
    if (c == &ancestor) return true;
  return false;
}

bool ControlTree::MayPlace(const ControlBase& control, const ControlBase* parent) const {
  const Handle owner = owner_.handle();
  if (!owner || control.host_handle_ != owner) return false;
  if (!parent) return true;
  return parent != &control && parent->host_handle_ == owner && !IsAncestor(control, *parent);
}

SiblingList& ControlTree::ListUnder(ControlBase* parent) { return parent ? parent->links_.children : top_; }

void ControlTree::LinkBetween(ControlBase& control, SiblingList& list, ControlBase* parent, ControlBase* previous,
                              ControlBase* next) {
  TreeLinks& links = control.links_;
  links.parent = parent;
  links.previous = previous;
  links.next = next;
  links.list = &list;
  (previous ? previous->links_.next : list.first) = &control;
  (next ? next->links_.previous : list.last) = &control;
}

bool ControlTree::Append(ControlBase& control, ControlBase* parent) {
  if (!MayPlace(control, parent)) return false;
  Unlink(control);
  SiblingList& list = ListUnder(parent);
  LinkBetween(control, list, parent, list.last, nullptr);
  return true;
}

bool ControlTree::Prepend(ControlBase& control, ControlBase* parent) {
  if (!MayPlace(control, parent)) return false;
  Unlink(control);
  SiblingList& list = ListUnder(parent);
  LinkBetween(control, list, parent, nullptr, list.first);
  return true;
}

bool ControlTree::InsertBefore(ControlBase& control, ControlBase& sibling) {
  if (&control == &sibling || !IsLinked(sibling) || !MayPlace(control, sibling.links_.parent)) return false;
  Unlink(control);
  LinkBetween(control, *sibling.links_.list, sibling.links_.parent, sibling.links_.previous, &sibling);
  return true;
}

void ControlTree::Unlink(ControlBase& control) {
  TreeLinks& links = control.links_;
  if (!links.list) return;
  (links.previous ? links.previous->links_.next : links.list->first) = links.next;
  (links.next ? links.next->links_.previous : links.list->last) = links.previous;
  links.parent = links.previous = links.next = nullptr;
  links.list = nullptr;
}

namespace {

void CollectFrom(const ControlBase* first, const std::function<bool(const ControlBase&)>& include,
                 std::vector<Handle>& handles) {
  for (const ControlBase* c = first; c; c = c->next_sibling()) {
    if (!include(*c)) continue;
    handles.push_back(c->self());
    CollectFrom(c->first_child(), include, handles);
  }
}

}  // namespace

std::vector<Handle> ControlTree::Snapshot(const std::function<bool(const ControlBase&)>& include) const {
  std::vector<Handle> handles;
  CollectFrom(top_.first, include, handles);
  return handles;
}

}  // namespace razezazo
