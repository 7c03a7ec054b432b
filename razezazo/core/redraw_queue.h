#pragma once
// The host's queue of rectangles waiting to be recomposed and presented. A drain
// loops until the queue is empty, so entries added while it runs (a control that
// repaints while being composed) are picked up by the same drain.
#include <deque>

#include "razezazo/drawing/float_rect.h"

namespace razezazo {

class RazezaZOHost;

class RedrawQueue {
 public:
  void SetTarget(RazezaZOHost* host) { host_ = host; }
  void Clear() { entries_.clear(); }
  // redraw_mode::kAppend queues at the end, kFront at the start, kNow draws the
  // rectangle at once; then the queue is drained unless a drain is already running.
  void Add(const FloatRect& rect, int mode);
  bool IsIdle() const { return !draining_; }
  size_t size() const { return entries_.size(); }
  void Drain();

 private:
  RazezaZOHost* host_ = nullptr;
  std::deque<FloatRect> entries_;
  bool draining_ = false;
};

}  // namespace razezazo
