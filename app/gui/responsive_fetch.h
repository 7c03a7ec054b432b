#pragma once
// Fetching a play page from a click handler without freezing the window: the
// fetch runs on a worker while the UI thread's loop goes on (painting, timers,
// input, a close), so a page server that hangs never hangs the window.
#include "app/ui_thread.h"
#include "runtime/http_get.h"
#include "runtime/stop_signal.h"

namespace app::gui {

// HttpGet(address, limits) with `stop` as its stop, run on a worker; returns
// its body once it has come. When the loop is told to quit meanwhile (the
// window went), `stop` is raised, the fetch is waited for (a second at most)
// and the quit is passed on to the loop outside.
runtime::ByteBlock FetchWhileTheWindowRuns(const runtime::Text& address, runtime::FetchLimits limits,
                                           runtime::StopSignal& stop, UiThread& ui);

}  // namespace app::gui
