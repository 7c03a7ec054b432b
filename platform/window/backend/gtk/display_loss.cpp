#include "platform/window/backend/gtk/display_loss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace winsys::gtk {
namespace {

// The exit status GDK gives a lost display.
constexpr int kDisplayLostStatus = 1;

std::function<void()>& Handler() {
  static std::function<void()> handler;
  return handler;
}

int OnInputOutputError(Display*) {
  std::fprintf(stderr, "%s: the connection to the display was lost\n", program_invocation_short_name);
  if (std::function<void()> handler = std::exchange(Handler(), nullptr)) handler();
  _exit(kDisplayLostStatus);
}

}  // namespace

void CallOnDisplayLoss(std::function<void()> handler) {
  Handler() = std::move(handler);
  XSetIOErrorHandler(&OnInputOutputError);
}

}  // namespace winsys::gtk
