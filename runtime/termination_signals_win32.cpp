// On Windows the polite ends are console control events: Ctrl+C and
// Ctrl+Break, and the console's closing, the user's logoff or the system's
// shutdown, reported as SIGINT, SIGBREAK and SIGTERM. The handler runs on a
// thread of its own.
#include <windows.h>

#include <atomic>
#include <csignal>

#include "runtime/termination_signals.h"

namespace runtime {
namespace {

StopSignal* g_stop = nullptr;
std::atomic<int> g_caught{0};
// After a close, logoff or shutdown event Windows ends the process once the
// handler returns, or after this long: the wait gives the stopped download
// the time to end its tool and remove its partial file.
constexpr DWORD kCloseGraceMs = 4000;

int SignalOf(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT: return SIGINT;
    case CTRL_BREAK_EVENT: return SIGBREAK;
    default: return SIGTERM;
  }
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  // A second event gets the default handling: the program ends at once.
  if (g_caught.load() != 0) return FALSE;
  g_caught.store(SignalOf(event));
  g_stop->Request();
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(kCloseGraceMs);
  return TRUE;
}

}  // namespace

void StopOnTerminationSignals(StopSignal& stop) {
  g_stop = &stop;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

int CaughtTerminationSignal() { return g_caught.load(); }

}  // namespace runtime
