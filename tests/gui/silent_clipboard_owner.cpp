// A clipboard owner that never answers: it takes the X CLIPBOARD selection,
// says so on standard output, and then ignores every request for it until it
// is killed. A program that waits for the clipboard's text waits in vain.
#include <X11/Xlib.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != window) return 1;
  std::printf("owning the clipboard\n");
  std::fflush(stdout);
  for (XEvent event;;) XNextEvent(display, &event);  // SelectionRequest events go unanswered
}
