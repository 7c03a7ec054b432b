#include "platform/window/window_table.h"

#include <algorithm>

namespace winsys {

WindowRecord& WindowTable::Add() {
  auto record = std::make_unique<WindowRecord>();
  record->id = next_id_++;
  WindowRecord& added = *record;
  records_.emplace(added.id, std::move(record));
  stacking_.push_back(added.id);
  std::lock_guard lock(live_mutex_);
  live_.insert(added.id);
  return added;
}

void WindowTable::Remove(WindowId id) {
  {
    std::lock_guard lock(live_mutex_);
    live_.erase(id);
  }
  std::erase(stacking_, id);
  records_.erase(id);
}

WindowRecord* WindowTable::Find(WindowId id) {
  auto it = records_.find(id);
  return it == records_.end() ? nullptr : it->second.get();
}

const WindowRecord* WindowTable::Find(WindowId id) const {
  auto it = records_.find(id);
  return it == records_.end() ? nullptr : it->second.get();
}

bool WindowTable::IsLive(WindowId id) const {
  std::lock_guard lock(live_mutex_);
  return live_.contains(id);
}

void WindowTable::Raise(WindowId id) {
  auto it = std::find(stacking_.begin(), stacking_.end(), id);
  if (it == stacking_.end()) return;
  std::rotate(it, it + 1, stacking_.end());
}

std::vector<WindowId> WindowTable::TopFirst() const {
  std::vector<WindowId> order(stacking_.rbegin(), stacking_.rend());
  std::stable_partition(order.begin(), order.end(), [this](WindowId id) { return Find(id)->Topmost(); });
  return order;
}

std::vector<WindowId> WindowTable::Ids() const {
  std::vector<WindowId> ids;
  for (const auto& [id, record] : records_) ids.push_back(id);
  return ids;
}

std::vector<WindowId> WindowTable::OwnedBy(WindowId owner) const {
  std::vector<WindowId> owned;
  for (const auto& [id, record] : records_)
    if (record->owner == owner) owned.push_back(id);
  return owned;
}

}  // namespace winsys
