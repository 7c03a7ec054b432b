#pragma once
// The live windows of one window system: records by handle, the stacking order
// and a thread-safe "is it alive" for posts from other threads.
#include <map>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/window/window_record.h"

namespace winsys {

class WindowTable {
 public:
  // A new record with a fresh handle, on top of the stacking order.
  WindowRecord& Add();
  void Remove(WindowId id);

  WindowRecord* Find(WindowId id);
  const WindowRecord* Find(WindowId id) const;
  // Safe from any thread.
  bool IsLive(WindowId id) const;

  // Moves the window to the top of its band (topmost windows stay above the others).
  void Raise(WindowId id);
  // Handles from the top of the screen down: topmost windows first.
  std::vector<WindowId> TopFirst() const;
  // Handles in creation order.
  std::vector<WindowId> Ids() const;
  std::vector<WindowId> OwnedBy(WindowId owner) const;

 private:
  std::map<WindowId, std::unique_ptr<WindowRecord>> records_;
  std::vector<WindowId> stacking_;  // bottom first
  WindowId next_id_ = 1;
  mutable std::mutex live_mutex_;
  std::unordered_set<WindowId> live_;
};

}  // namespace winsys
