#include "app/downloader_tool.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "app/texts.h"
#include "runtime/environment.h"
#include "runtime/files.h"

namespace app {
namespace {

constexpr char kToolName[] = "rtmpdump";

std::string FindOnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!rest.empty()) {
    size_t colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return program;
}

}  // namespace

void InstallDownloaderTool(AppState& state) {
  state.tool_path = runtime::TextPath(runtime::EnvironmentValue("BRIVO_RTMPDUMP").value_or(FindOnPath(kToolName)));
}

runtime::Text ToolNotStartedAdvice() { return texts::kToolNotStartedInstallAdvice; }

}  // namespace app
