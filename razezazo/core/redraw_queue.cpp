#include "razezazo/core/redraw_queue.h"

#include "razezazo/core/host.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {

void RedrawQueue::Add(const FloatRect& rect, int mode) {
  if (!host_) return;
  if (mode == redraw_mode::kNow)
    RepaintHostRegion(*host_, rect, host_->layer_alpha() == -1);
  else if (mode == redraw_mode::kFront)
    entries_.push_front(rect);
  else
    entries_.push_back(rect);
  if (!draining_) Drain();
}

// A layered window is pushed whole once at the end instead of once per rectangle.
void RedrawQueue::Drain() {
  draining_ = true;
  bool layered = host_->layer_alpha() != -1;
  while (!entries_.empty()) {
    FloatRect rect = entries_.front();
    entries_.pop_front();
    RepaintHostRegion(*host_, rect, !layered);
  }
  if (layered && !host_->busy())
    Present(*host_, {0, 0, static_cast<float>(host_->width()), static_cast<float>(host_->height())});
  draining_ = false;
}

}  // namespace razezazo
