#pragma once
#include "app/app_state.h"

namespace app {

// Decides which downloader tool the download jobs run: the program named by
// BRIVO_RTMPDUMP, else on Linux the installed rtmpdump (its 2.3 command line),
// the first executable "rtmpdump" on PATH, else the bare name (which then
// fails to start and the job reports the failure); nothing is written. On
// Windows the program holds its rtmpdump.exe and writes it into the program's
// folder as "下载器_.exe", hidden, when no file of that name is there (an
// existing one is used as it is); a failed write is not reported, the job
// then fails to start the tool.
void InstallDownloaderTool(AppState& state);

// What the user can do when the tool did not start, after its path in the
// reason of the "下载失败" box.
runtime::Text ToolNotStartedAdvice();

}  // namespace app
