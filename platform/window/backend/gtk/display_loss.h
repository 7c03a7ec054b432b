#pragma once
// What the GTK backend does when the X connection is lost: Xlib calls the
// process's I/O error handler, and the process ends when that returns. GDK's
// own handler ends it at once; this one first gives the program a moment to
// finish what must not be left half done (a download's partial file).
#include <functional>

namespace winsys::gtk {

// Installs the handler (replacing GDK's, so call it after the display opened).
void CallOnDisplayLoss(std::function<void()> handler);

}  // namespace winsys::gtk
