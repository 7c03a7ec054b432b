// brivo-cli: the downloader engine on the console. It does what a click on
// "解析&&下载" does in the window: parse the play page, then download the track
// into the download folder.
#include <getopt.h>

#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "app/app_context.h"
#include "app/cli/console_text.h"
#include "app/cli/console_view.h"
#include "app/download_folder.h"
#include "app/download_job.h"
#include "app/downloader_tool.h"
#include "app/play_page_parser.h"
#include "app/safe_names.h"
#include "app/task_queue.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/gbk.h"
#include "runtime/termination_signals.h"

namespace {

enum ExitStatus { kExitDownloaded = 0, kExitFailed = 1, kExitError = 2, kExitUsage = 64, kExitBySignal = 128 };

constexpr char kUsage[] =
    "usage: brivo-cli [--parse-only] [--keep-flv] [-o DIR | --output-dir DIR] <play-page-address>\n";
constexpr char kHelp[] =
    "\n"
    "Saves the track of a play page: parses the page, runs rtmpdump and reports\n"
    "the result as the window's message boxes would, one line each.\n"
    "\n"
    "  --parse-only         print the track name and play path, download nothing\n"
    "  --keep-flv           save the stream as it came, an FLV file (<track>.flv);\n"
    "                       also BRIVO_KEEP_FLV=1. Without it AAC audio is saved as\n"
    "                       <track>.aac (ADTS) and MP3 audio as <track>.mp3, each\n"
    "                       with an ID3 tag naming the track; other audio as .flv\n"
    "  -o, --output-dir DIR save into DIR (made if missing) instead of the download\n"
    "                       folder: BRIVO_DOWNLOAD_DIR, else the program's folder when\n"
    "                       it is writable, else the music folder's brivo/\n"
    "  --help               print this help\n"
    "\n"
    "Ctrl+C stops a download and removes its partial file.\n"
    "\n"
    "Exit status: 0 saved, 1 download failed, 2 no usable play path or address,\n"
    "64 bad usage, 128 + the signal's number when stopped (130 for Ctrl+C).\n";

struct Arguments {
  bool help = false;
  bool parse_only = false;
  bool keep_flv = false;
  std::optional<std::string> output_dir;
  std::string address;
};

// `arguments` are UTF-8, without the program's name.
std::optional<Arguments> ParseArguments(std::vector<std::string> arguments_text) {
  std::vector<char*> argv{const_cast<char*>("brivo-cli")};
  for (std::string& argument : arguments_text) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(argv.size() - 1);
  static const option kOptions[] = {{"parse-only", no_argument, nullptr, 'p'},
                                    {"output-dir", required_argument, nullptr, 'o'},
                                    {"keep-flv", no_argument, nullptr, 'k'},
                                    {"help", no_argument, nullptr, 'h'},
                                    {nullptr, 0, nullptr, 0}};
  Arguments arguments;
  opterr = 0;  // one usage line says it all
  for (int c; (c = getopt_long(argc, argv.data(), "o:", kOptions, nullptr)) != -1;) {
    if (c == 'p') {
      arguments.parse_only = true;
    } else if (c == 'k') {
      arguments.keep_flv = true;
    } else if (c == 'h') {
      arguments.help = true;
    } else if (c == 'o' && *optarg) {
      arguments.output_dir = optarg;
    } else {
      return std::nullopt;
    }
  }
  if (arguments.help) return arguments;
  if (optind != argc - 1) return std::nullopt;
  arguments.address = argv[optind];
  return arguments;
}

std::optional<runtime::Path> OutputFolder(const Arguments& arguments) {
  if (!arguments.output_dir) return std::nullopt;
  return runtime::TextPath(*arguments.output_dir);
}

// The box and its reason were printed; a stop has no box, so it is said here.
void ExplainStop(app::JobOutcome outcome) {
  if (outcome == app::JobOutcome::kStopped) std::cerr << "brivo-cli: download stopped; its partial file was removed\n";
}

int ExitStatusOf(app::JobOutcome outcome) {
  switch (outcome) {
    case app::JobOutcome::kSucceeded: return kExitDownloaded;
    case app::JobOutcome::kFailed:
    case app::JobOutcome::kIncomplete:
    case app::JobOutcome::kToolNotStarted:
    case app::JobOutcome::kNoDownloadFolder:
    case app::JobOutcome::kCannotWrite: return kExitFailed;
    case app::JobOutcome::kStopped: {
      const int signal = runtime::CaughtTerminationSignal();
      return kExitBySignal + (signal ? signal : SIGINT);
    }
    case app::JobOutcome::kNotRun: break;
  }
  return kExitError;
}

// Runs the download job on a thread of its own while this thread carries out
// what it asks of the window, and returns once that thread has ended: a process
// that ends while one of its threads is ending can crash under Wine (the thread,
// its data already gone, is told that the process ends).
app::JobOutcome DownloadToTheEnd(app::AppContext& context, app::TaskQueue& ui) {
  std::optional<app::JobOutcome> outcome;
  std::thread job;
  try {
    job = std::thread([&context, &ui, &outcome] {
      const app::JobOutcome result = app::DownloadJob(context);
      ui.Post([&outcome, result] { outcome = result; });
    });
  } catch (const std::system_error&) {
    return app::JobOutcome::kNotRun;
  }
  ui.RunUntil([&outcome] { return outcome.has_value(); });
  job.join();
  return *outcome;
}

}  // namespace

int main(int argc, char** argv) {
  runtime::PrepareConsole();
  std::optional<Arguments> arguments = ParseArguments(runtime::ProgramArguments(argc, argv));
  if (!arguments) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  if (arguments->help) {
    std::cout << kUsage << kHelp;
    return kExitDownloaded;
  }

  // Progress is for a person watching; a pipe or log gets only the result lines.
  app::ConsoleView view(std::cout, runtime::ErrorsGoToTerminal() ? &std::cerr : nullptr, &std::cerr);
  app::TaskQueue ui;
  app::AppContext context{
      .config = app::Config::FromEnvironment(),
      .view = view,
      .ui = ui,
      .download_folder = app::DownloadFolder(app::FolderSources::FromEnvironment(OutputFolder(*arguments)))};
  context.keep_flv = arguments->keep_flv || app::KeepFlvRequested();
  app::InstallDownloaderTool(context.state);
  // Ctrl+C, a hang-up or a polite kill stops the download: the tool runs in a
  // process group of its own and would otherwise go on writing its partial file.
  runtime::StopOnTerminationSignals(context.stop);
  context.download_progress = [&view, &ui](const app::DownloadProgress& progress) {
    ui.Post([&view, progress] { view.ShowProgress(progress); });
  };
  view.SetEditText(app::EditBox::kAddress, runtime::Utf8ToGbk(arguments->address));

  if (!app::ParsePlayPage(context)) return kExitError;
  std::cout << "track: " << app::ForConsole(context.state.track_name) << '\n'
            << "path: " << app::ForConsole(context.state.stream_path) << std::endl;
  if (arguments->parse_only) return app::IsUsablePlayPath(context.state.stream_path) ? kExitDownloaded : kExitError;

  const app::JobOutcome outcome = DownloadToTheEnd(context, ui);
  view.EndProgress();
  ExplainStop(outcome);
  return ExitStatusOf(outcome);
}
