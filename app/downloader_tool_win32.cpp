#include <windows.h>

#include <string_view>
// windows.h names its ANSI/wide pairs by macros that would rename ours.
#undef SetFileAttributes

#include "app/downloader_tool.h"
#include "app/texts.h"
#include "runtime/environment.h"
#include "runtime/files.h"

namespace app {
namespace {

constexpr char kToolFileName[] = "下载器_.exe";
// The resource that holds the tool (downloader_tool.rc).
constexpr wchar_t kToolResource[] = L"DOWNLOADER_TOOL";

// The tool's bytes as the program holds them; empty when it holds none.
std::string_view HeldTool() {
  HRSRC resource = FindResourceW(nullptr, kToolResource, RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), SizeofResource(nullptr, resource)};
}

}  // namespace

void InstallDownloaderTool(AppState& state) {
  if (std::optional<std::string> named = runtime::EnvironmentValue("BRIVO_RTMPDUMP")) {
    state.tool_path = runtime::TextPath(*named);
    return;
  }
  state.tool_path = runtime::ProgramDir() / runtime::TextPath(kToolFileName);
  if (runtime::FileExists(state.tool_path)) return;
  const std::string_view tool = HeldTool();
  if (!tool.empty() && runtime::WriteFile(state.tool_path, {tool}))
    runtime::SetFileAttributes(state.tool_path, runtime::kAttributeHidden);
}

runtime::Text ToolNotStartedAdvice() { return texts::kToolNotStartedFolderAdvice; }

}  // namespace app
