#include "app/download_job.h"

#include "app/safe_names.h"
#include "app/texts.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"

namespace app {
namespace {

using runtime::Concat;
using runtime::Text;

constexpr Control kLockedWhileRunning[] = {Control::kParseButton, Control::kDownloadButton,
                                           Control::kAddressEdit};

void SetLocked(MainView& view, bool locked) {
  for (Control control : kLockedWhileRunning) view.SetDisabled(control, locked);
}

Text QuotedWhenBlank(const Text& program) {
  return program.empty() || program.find(' ') != Text::npos ? Concat("\"", program, "\"") : program;
}

}  // namespace

Text DownloadCommandLine(const Config& config, const Text& tool_path, const DownloadRequest& request) {
  return Concat(QuotedWhenBlank(tool_path), texts::kRtmpSwitch, config.site_rtmp_host,
                texts::kApplicationAndPageSwitch, AddressAsArgument(request.page_url), texts::kPlayPathSwitch,
                request.play_path, texts::kPlayerSwitch, config.site_web_host, texts::kOutputSwitch,
                SafeFileName(request.track_name), texts::kOutputSuffix);
}

Text ResultFile(const Text& program_dir, const Text& track_name) {
  return Concat(program_dir, "/", SafeFileName(track_name), texts::kResultSuffix);
}

JobOutcome DownloadJob(AppContext& context) {
  MainView& view = context.view;
  UiThread& ui = context.ui;

  bool usable = false;
  ui.Send([&] {
    usable = IsUsablePlayPath(view.EditText(EditBox::kPath));
    if (!usable)
      view.ShowMessageBox({.content = texts::kParseFailed, .type = kBoxOk, .title = texts::kErrorTitle,
                           .icon = kIconError});
  });
  if (!usable) return JobOutcome::kNotRun;

  DownloadRequest request;
  ui.Send([&] {
    SetLocked(view, true);
    request = {view.EditText(EditBox::kAddress), view.EditText(EditBox::kPath), view.EditText(EditBox::kResult)};
  });
  // The path box is read again for the command line; it cannot have become
  // unusable in between, but a tool started with a bad path must never run.
  if (IsUsablePlayPath(request.play_path))
    runtime::RunProgram(DownloadCommandLine(context.config, context.state.tool_path, request), true,
                        {.working_directory = context.program_dir});

  Text track_name;
  ui.Send([&] {
    SetLocked(view, false);
    track_name = view.EditText(EditBox::kResult);
  });
  Text result_file = ResultFile(context.program_dir, track_name);
  bool saved = runtime::FileSize(result_file) > 0;
  ui.Send([&] {
    view.ShowMessageBox({.content = track_name,
                         .type = kBoxOk,
                         .title = saved ? texts::kSuccessTitle : texts::kFailureTitle,
                         .icon = saved ? kIconInformation : kIconError});
  });
  if (saved) {
    runtime::ShowInFileManager(result_file);
    return JobOutcome::kSucceeded;
  }
  runtime::DeleteFile(result_file);
  return JobOutcome::kFailed;
}

void StartDownloadJob(AppContext& context) {
  const bool started = runtime::StartThread([&context] {
    JobOutcome outcome = DownloadJob(context);
    if (context.job_finished) context.ui.Post([&context, outcome] { context.job_finished(outcome); });
  });
  // Whoever waits for the job's end must hear of it even when no thread came.
  if (!started && context.job_finished) context.ui.Post([&context] { context.job_finished(JobOutcome::kNotRun); });
}

}  // namespace app
