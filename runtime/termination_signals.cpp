#include "runtime/termination_signals.h"

#include <signal.h>

namespace runtime {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "read from a signal handler");

StopSignal* g_stop = nullptr;
const std::atomic<bool>* g_only_while = nullptr;
volatile sig_atomic_t g_caught = 0;

// SA_RESETHAND has put the default action back: raising the signal again
// takes it.
void OnTermination(int signal) {
  if (g_only_while && !g_only_while->load()) {
    raise(signal);
    return;
  }
  g_caught = signal;
  g_stop->Request();
}

}  // namespace

void StopOnTerminationSignals(StopSignal& stop, const std::atomic<bool>* only_while) {
  g_stop = &stop;
  g_only_while = only_while;
  struct sigaction action = {};
  action.sa_handler = OnTermination;
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

int CaughtTerminationSignal() { return g_caught; }

}  // namespace runtime
