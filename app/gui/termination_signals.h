#pragma once
// A polite end while a track downloads (a kill, the session's end, Ctrl+C in
// the terminal that started brivo) goes the way closing the window goes: the
// stop is requested, the job ends the tool and removes its partial file, then
// the window closes. Without a download the program ends at once, as it would
// have; so does a second such signal.
#include <atomic>

#include "app/stop_request.h"

namespace app::gui {

// For SIGINT, SIGTERM and SIGHUP, for the rest of the process.
void StopDownloadsOnTermination(StopRequest& stop, const std::atomic<bool>& downloading);

}  // namespace app::gui
