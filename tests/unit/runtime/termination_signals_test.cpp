#include "runtime/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace runtime {
namespace {

// Each case runs in a child of its own: the handlers stay for the process.
TEST(TerminationSignalsDeathTest, TheFirstSignalRaisesTheStopAndTheSecondEndsTheProgram) {
  EXPECT_EXIT(
      {
        StopSignal stop;
        StopOnTerminationSignals(stop);
        raise(SIGHUP);
        if (!stop.Requested() || CaughtTerminationSignal() != SIGHUP) _exit(1);
        raise(SIGHUP);
        _exit(2);
      },
      ::testing::KilledBySignal(SIGHUP), "");
}

TEST(TerminationSignalsDeathTest, EachSignalIsCaughtOnceAndNamed) {
  EXPECT_EXIT(
      {
        StopSignal stop;
        StopOnTerminationSignals(stop);
        raise(SIGINT);
        const bool interrupt = CaughtTerminationSignal() == SIGINT;
        raise(SIGTERM);
        _exit(interrupt && CaughtTerminationSignal() == SIGTERM && stop.Requested() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace runtime
