#include "app/gui/termination_signals.h"

#include <signal.h>

namespace app::gui {
namespace {

StopRequest* g_stop = nullptr;
const std::atomic<bool>* g_downloading = nullptr;

// The handler is reset on entry (SA_RESETHAND): raising the signal again takes
// its default action.
void OnTermination(int signal) {
  if (g_downloading->load()) {
    g_stop->Request();
  } else {
    raise(signal);
  }
}

}  // namespace

void StopDownloadsOnTermination(StopRequest& stop, const std::atomic<bool>& downloading) {
  static_assert(std::atomic<bool>::is_always_lock_free, "read from a signal handler");
  g_stop = &stop;
  g_downloading = &downloading;
  struct sigaction action = {};
  action.sa_handler = OnTermination;
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace app::gui
