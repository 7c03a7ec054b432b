#pragma once
#include "app/app_state.h"

namespace app {

// Decides which downloader tool the download jobs run. On Linux the tool is the
// installed rtmpdump (its 2.3 command line): the program named by BRIVO_RTMPDUMP,
// else the first executable "rtmpdump" on PATH, else the bare name (which then
// fails to start and the job reports the failure). Nothing is written. The path
// is kept as the system's bytes.
void InstallDownloaderTool(AppState& state);

}  // namespace app
