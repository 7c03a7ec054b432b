#include "runtime/termination_signals.h"

#include <signal.h>

namespace runtime {
namespace {

StopSignal* g_stop = nullptr;
volatile sig_atomic_t g_caught = 0;

// SA_RESETHAND has put the default action back for a second signal.
void OnTermination(int signal) {
  g_caught = signal;
  g_stop->Request();
}

}  // namespace

void StopOnTerminationSignals(StopSignal& stop) {
  g_stop = &stop;
  struct sigaction action = {};
  action.sa_handler = OnTermination;
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

int CaughtTerminationSignal() { return g_caught; }

}  // namespace runtime
