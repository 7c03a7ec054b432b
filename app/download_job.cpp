#include "app/download_job.h"

#include "app/page_address.h"
#include "app/safe_names.h"
#include "app/texts.h"
#include "runtime/files.h"
#include "runtime/gbk.h"
#include "runtime/process.h"
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

std::string QuotedWhenBlank(const std::string& program) {
  return program.empty() || program.find(' ') != std::string::npos ? Concat("\"", program, "\"") : program;
}

constexpr char kPartialSuffix[] = ".part";

// Runs the tool into the partial file; a stale partial file of an earlier run
// goes first, so that only what this run wrote can be judged. The tool's console
// output is read here: its progress lines go to the context, the rest nowhere.
runtime::ProgramEnd RunTool(const AppContext& context, const DownloadRequest& request) {
  runtime::DeleteFile(PartialFile(context.download_folder, request.track_name));
  runtime::ProgramWatch watch{.stop = &context.stop};
  if (context.download_progress)
    watch.on_line = [&context](std::string_view line) {
      // After a stop the tool's last words are nobody's business.
      if (context.stop.Requested()) return;
      if (std::optional<DownloadProgress> progress = ParseToolProgress(line)) context.download_progress(*progress);
    };
  return runtime::RunWatchedProgram(DownloadCommandLine(context.config, context.state.tool_path, request),
                                    {.working_directory = context.download_folder}, watch);
}

// The documented size test, on the partial file; a tool that never ran or was
// killed cannot have finished it, whatever it left. A good partial file then
// replaces any earlier file of the result's name.
bool KeepIfGood(const runtime::ProgramEnd& end, const runtime::Path& partial, const runtime::Path& result) {
  return end.started && !end.killed && runtime::FileSize(partial) > 0 && runtime::RenameFile(partial, result);
}

}  // namespace

std::string DownloadCommandLine(const Config& config, const runtime::Path& tool_path, const DownloadRequest& request) {
  Text address = AddressAsArgument(NormalizedPageAddress(request.page_url));
  Text page = address.empty() ? Text() : Concat(texts::kPageSwitch, address);
  Text switches = Concat(texts::kRtmpSwitch, config.site_rtmp_host, texts::kApplication, page, texts::kPlayPathSwitch,
                         request.play_path, texts::kPlayerSwitch, config.site_web_host, texts::kOutputSwitch);
  // The tool's path is already the system's bytes; only the GBK texts are converted.
  return Concat(QuotedWhenBlank(tool_path.native()), runtime::GbkToUtf8(switches),
                PartialFile({}, request.track_name).native(), texts::kOutputEnd);
}

runtime::Path ResultFile(const runtime::Path& folder, const Text& track_name) {
  return folder / Concat(SafeFileName(track_name), texts::kResultSuffix);
}

runtime::Path PartialFile(const runtime::Path& folder, const Text& track_name) {
  return folder / Concat(SafeFileName(track_name), texts::kResultSuffix, kPartialSuffix);
}

JobOutcome DownloadJob(AppContext& context) {
  MainView& view = context.view;
  UiThread& ui = context.ui;
  if (context.stop.Requested()) return JobOutcome::kStopped;

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
  const bool have_folder = runtime::MakeFolders(context.download_folder);
  // The path box is read again for the command line; it cannot have become
  // unusable in between, but a tool started with a bad path must never run.
  runtime::ProgramEnd end;
  if (have_folder && IsUsablePlayPath(request.play_path)) end = RunTool(context, request);
  // Whatever the tool left is unfinished, and the window may be going away.
  if (end.stopped || (!end.started && context.stop.Requested())) {
    runtime::DeleteFile(PartialFile(context.download_folder, request.track_name));
    return JobOutcome::kStopped;
  }

  Text track_name;
  ui.Send([&] {
    SetLocked(view, false);
    track_name = view.EditText(EditBox::kResult);
  });
  // The tool wrote the partial file of the name it was given; the result takes
  // the name the box holds now.
  const runtime::Path partial = PartialFile(context.download_folder, request.track_name);
  const runtime::Path result_file = ResultFile(context.download_folder, track_name);
  const bool saved = KeepIfGood(end, partial, result_file);
  ui.Send([&] {
    view.ShowMessageBox({.content = track_name,
                         .type = kBoxOk,
                         .title = saved ? texts::kSuccessTitle : texts::kFailureTitle,
                         .icon = saved ? kIconInformation : kIconError});
  });
  if (saved) {
    ui.Send([&] { view.ShowSavedFile(result_file); });
    return JobOutcome::kSucceeded;
  }
  runtime::DeleteFile(partial);
  if (!have_folder) return JobOutcome::kNoDownloadFolder;
  return end.started ? JobOutcome::kFailed : JobOutcome::kToolNotStarted;
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
