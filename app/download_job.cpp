#include "app/download_job.h"

#include <ctime>
#include <thread>

#include "app/downloader_tool.h"
#include "app/media/track_file.h"
#include "app/page_address.h"
#include "app/partial_file.h"
#include "app/safe_names.h"
#include "app/texts.h"
#include "app/tool_verdict.h"
#include "runtime/environment.h"
#include "runtime/files.h"
#include "runtime/gbk.h"
#include "runtime/process.h"
#include "runtime/text_ops.h"

namespace app {
namespace {

using runtime::Concat;
using runtime::Text;

constexpr Control kLockedWhileRunning[] = {Control::kParseButton, Control::kDownloadButton, Control::kAddressEdit};

void SetLocked(MainView& view, bool locked) {
  for (Control control : kLockedWhileRunning) view.SetDisabled(control, locked);
}

std::string QuotedWhenBlank(const std::string& program) {
  return program.empty() || program.find(' ') != std::string::npos ? Concat("\"", program, "\"") : program;
}

// A path of the system's, in a reason the user reads.
Text ForReason(const runtime::Path& path) { return runtime::Utf8ToGbk(runtime::PathText(path)); }

struct ToolRun {
  runtime::ProgramEnd end;
  ToolReport report;
};

// Runs the tool with the partial file as its standard output. The tool's
// console output is read here: its progress lines go to the context, and what
// the verdict needs is kept.
ToolRun RunTool(const AppContext& context, const DownloadRequest& request, const PartialFile& partial) {
  ToolRun run;
  runtime::ProgramWatch watch{.stop = &context.stop, .output_file = partial.descriptor()};
  watch.on_line = [&context, &run](std::string_view line) {
    // After a stop the tool's last words are nobody's business.
    if (context.stop.Requested()) return;
    const std::optional<DownloadProgress> progress = run.report.Read(line);
    if (progress && context.download_progress) context.download_progress(*progress);
  };
  run.end = runtime::RunWatchedProgram(DownloadCommandLine(context.config, context.state.tool_path, request),
                                       {.working_directory = context.download_folder}, watch);
  return run;
}

struct Verdict {
  JobOutcome outcome;
  Text detail;            // why it failed, or the name of the file saved
  runtime::Path saved{};  // the file saved, on success
};

Verdict Kept(PartialFile& file, const runtime::Path& result) {
  if (!file.KeepAs(result)) return {JobOutcome::kFailed, Concat(texts::kNotKeptReason, ForReason(result))};
  return {JobOutcome::kSucceeded, runtime::Utf8ToGbk(runtime::PathText(result.filename())), result};
}

media::TrackTags TagsOf(const DownloadRequest& request, const Text& track_name) {
  char date[16] = "";
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local)) std::strftime(date, sizeof date, "%Y-%m-%d", &local);
  return {.title = runtime::GbkToUtf8(track_name),
          .page_address = runtime::GbkToUtf8(NormalizedPageAddress(request.page_url)),
          .date = date};
}

// The stream the tool wrote (FLV), saved as the file it should be: its audio
// as .aac or .mp3, rewritten into a partial file of its own first, or the FLV
// itself. An unreadable stream is a failed download.
Verdict SaveTrack(const AppContext& context, PartialFile& flv, const DownloadRequest& request, const Text& track_name) {
  const runtime::Path& folder = context.download_folder;
  if (context.keep_flv) return Kept(flv, ResultFile(folder, track_name, media::kFlvExtension));
  const std::optional<std::string> stream = flv.ReadAll();
  const std::optional<media::TrackFile> track =
      stream ? media::TrackFileFrom(*stream, TagsOf(request, track_name)) : std::nullopt;
  if (!track) return {JobOutcome::kFailed, texts::kUnreadableStreamReason};
  const runtime::Path result = ResultFile(folder, track_name, track->extension);
  if (!track->bytes) return Kept(flv, result);
  std::optional<PartialFile> rewritten = PartialFile::Create(folder, runtime::PathText(result.filename()));
  if (!rewritten || !rewritten->Append(*track->bytes))
    return {JobOutcome::kFailed, Concat(texts::kNotKeptReason, ForReason(result))};
  return Kept(*rewritten, result);
}

// Only a complete stream in a non-empty file that could be saved is a
// download; anything else leaves an earlier file of the name as it was.
Verdict KeepIfGood(const AppContext& context, const ToolRun& run, PartialFile& partial, const DownloadRequest& request,
                   const Text& track_name) {
  if (!run.end.started)
    return {JobOutcome::kToolNotStarted,
            Concat(texts::kToolNotStartedReason, ForReason(context.state.tool_path), ToolNotStartedAdvice())};
  switch (JudgeTool(run.end, run.report)) {
    case ToolVerdict::kIncomplete: return {JobOutcome::kIncomplete, texts::kIncompleteReason};
    case ToolVerdict::kFailed:
      return {JobOutcome::kFailed,
              run.report.last_error.empty() ? Text() : Concat(texts::kToolErrorReason, run.report.last_error)};
    case ToolVerdict::kComplete: break;
  }
  if (partial.Size() <= 0) return {JobOutcome::kFailed, texts::kNothingReceivedReason};
  return SaveTrack(context, partial, request, track_name);
}

// The partial file of this run, made once the folder is there; what went wrong otherwise.
std::optional<PartialFile> PreparePartialFile(const runtime::Path& folder, const Text& track_name, Verdict& failure) {
  if (!runtime::MakeFolders(folder)) {
    failure = {JobOutcome::kNoDownloadFolder, Concat(texts::kNoFolderReason, ForReason(folder))};
    return std::nullopt;
  }
  // Runs that died (killed, or the machine went down) left theirs behind.
  RemoveAbandonedPartialFiles(folder);
  std::optional<PartialFile> partial =
      PartialFile::Create(folder, runtime::PathText(ResultFile({}, track_name, media::kFlvExtension)));
  if (!partial) failure = {JobOutcome::kCannotWrite, Concat(texts::kCannotWriteReason, ForReason(folder))};
  return partial;
}

}  // namespace

std::string DownloadCommandLine(const Config& config, const runtime::Path& tool_path, const DownloadRequest& request) {
  Text address = AddressAsArgument(NormalizedPageAddress(request.page_url));
  Text page = address.empty() ? Text() : Concat(texts::kPageSwitch, address);
  Text switches = Concat(texts::kRtmpSwitch, config.site_rtmp_host, texts::kApplication, page, texts::kPlayPathSwitch,
                         request.play_path, texts::kPlayerSwitch, config.site_web_host, texts::kOutputSwitch);
  // The tool's path is already UTF-8; only the GBK texts are converted.
  return Concat(QuotedWhenBlank(runtime::PathText(tool_path)), runtime::GbkToUtf8(switches));
}

runtime::Path ResultFile(const runtime::Path& folder, const Text& track_name, std::string_view extension) {
  return folder / runtime::TextPath(SafeFileName(track_name) + std::string(extension));
}

bool KeepFlvRequested() { return runtime::EnvironmentValue("BRIVO_KEEP_FLV") == "1"; }

JobOutcome DownloadJob(AppContext& context) {
  MainView& view = context.view;
  UiThread& ui = context.ui;
  if (context.stop.Requested()) return JobOutcome::kStopped;

  // The boxes are read, checked and locked in one step on the UI thread: a
  // click in between (into the address box, which empties the others) could
  // otherwise hand the tool a play path that was never checked.
  DownloadRequest request;
  bool usable = false;
  ui.Send([&] {
    request = {view.EditText(EditBox::kAddress), view.EditText(EditBox::kPath), view.EditText(EditBox::kResult)};
    usable = IsUsablePlayPath(request.play_path);
    if (usable) {
      SetLocked(view, true);
      return;
    }
    view.ShowMessageBox(
        {.content = texts::kParseFailed, .type = kBoxOk, .title = texts::kErrorTitle, .icon = kIconError});
  });
  if (!usable) return JobOutcome::kNotRun;

  Verdict verdict{JobOutcome::kFailed, {}};
  std::optional<PartialFile> partial = PreparePartialFile(context.download_folder, request.track_name, verdict);
  ToolRun run;
  if (partial) run = RunTool(context, request, *partial);
  // Whatever the tool left is unfinished (the partial file goes with `partial`),
  // and the window may be going away.
  if (run.end.stopped || (!run.end.started && context.stop.Requested())) return JobOutcome::kStopped;

  Text track_name;
  ui.Send([&] {
    SetLocked(view, false);
    track_name = view.EditText(EditBox::kResult);
  });
  // The result takes the name the box holds now.
  if (partial) verdict = KeepIfGood(context, run, *partial, request, track_name);
  const bool saved = verdict.outcome == JobOutcome::kSucceeded;
  ui.Send([&] {
    view.ShowMessageBox({.content = track_name,
                         .type = kBoxOk,
                         .title = saved ? texts::kSuccessTitle : texts::kFailureTitle,
                         .icon = saved ? kIconInformation : kIconError,
                         .detail = verdict.detail});
  });
  if (saved) ui.Send([&] { view.ShowSavedFile(verdict.saved); });
  return verdict.outcome;
}

void StartDownloadJob(AppContext& context) {
  ++context.jobs_on_workers;
  const bool started = runtime::StartThread([&context] {
    JobOutcome outcome = DownloadJob(context);
    --context.jobs_on_workers;
    if (context.job_finished) context.ui.Post([&context, outcome] { context.job_finished(outcome); });
  });
  if (started) return;
  --context.jobs_on_workers;
  // Whoever waits for the job's end must hear of it even when no thread came.
  if (context.job_finished) context.ui.Post([&context] { context.job_finished(JobOutcome::kNotRun); });
}

bool WaitForWorkerJobs(const AppContext& context, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (context.jobs_on_workers > 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return context.jobs_on_workers == 0;
}

}  // namespace app
