// Moving, maximising and resizing a window that has no system frame.
#include "razezazo/core/host.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

struct BorderHit {
  int code;  // WMSZ_ numbering: 1 left ... 8 bottom-right; 0 none
  winsys::Cursor cursor;
};

// The left and top bands are 8 px deep, the right and bottom ones 10; the
// corners reach 10 px across.
BorderHit HitBorder(int x, int y, int width, int height) {
  using winsys::Cursor;
  bool right = width - x < 10;
  if (y <= 7) {
    if (x <= 9) return {4, Cursor::SizeNWSE};
    return right ? BorderHit{5, Cursor::SizeNESW} : BorderHit{3, Cursor::SizeNS};
  }
  if (height - y >= 10) {
    if (x <= 7) return {1, Cursor::SizeWE};
    if (right) return {2, Cursor::SizeWE};
    return {0, Cursor::Arrow};
  }
  if (x <= 9) return {7, Cursor::SizeNESW};
  return right ? BorderHit{8, Cursor::SizeNWSE} : BorderHit{6, Cursor::SizeNS};
}

// The system's size loop takes hit-test codes, which run parallel to WMSZ_ codes.
constexpr int kHitTestOfBorder = winsys::HTLEFT - 1;

}  // namespace

bool RazezaZOHost::ResizeBorder(unsigned message, winsys::LParam position) {
  if (message != winsys::WM_MOUSEMOVE && message != winsys::WM_LBUTTONDOWN) return false;
  if (!resizable_ || pressing_ || System().IsZoomed(window_)) return false;
  BorderHit hit = HitBorder(winsys::PointX(position), winsys::PointY(position), width_, height_);
  if (hit.code == 0) return false;
  System().SetCursor(hit.cursor);
  if (ControlBase* left = hot_) {
    hot_ = nullptr;
    left->Deliver(event::kMouseLeave, 0, 0);
  }
  if (message == winsys::WM_LBUTTONDOWN) System().BeginResizeDrag(window_, hit.code + kHitTestOfBorder);
  return true;
}

void RazezaZOHost::StartMoving() { System().BeginMoveDrag(window_); }

void RazezaZOHost::ToggleMaximize() {
  System().Post(window_, winsys::WM_SYSCOMMAND, System().IsZoomed(window_) ? winsys::SC_RESTORE : winsys::SC_MAXIMIZE,
                0);
}

}  // namespace razezazo
