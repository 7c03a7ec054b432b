#pragma once
// What the test process itself holds, as the kernel counts it: its threads
// and its resident memory.
#include <string>
#include <vector>

namespace testing_support {

// The names of this process's threads (/proc/self/task/*/comm), one each.
std::vector<std::string> OwnThreadNames();

// Resident memory (VmRSS) and its peak since the start or the last reset (VmHWM), in kB.
long OwnResidentKilobytes();
long OwnPeakResidentKilobytes();
// Starts the peak anew from the memory resident now; false where the kernel
// does not allow it (the peak then stays the whole run's).
bool ResetOwnPeakResident();

}  // namespace testing_support
