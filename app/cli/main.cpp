// brivo-cli: the downloader engine on the console. It does what a click on
// "解析&&下载" does in the window: parse the play page, then download the track
// into the program directory.
#include <getopt.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "app/app_context.h"
#include "app/cli/console_view.h"
#include "app/download_job.h"
#include "app/downloader_tool.h"
#include "app/play_page_parser.h"
#include "app/task_queue.h"
#include "runtime/files.h"
#include "runtime/gbk.h"

namespace {

enum ExitStatus { kExitDownloaded = 0, kExitFailed = 1, kExitError = 2, kExitUsage = 64 };

struct Arguments {
  bool parse_only = false;
  std::string address;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  static const option kOptions[] = {{"parse-only", no_argument, nullptr, 'p'},
                                    {"help", no_argument, nullptr, 'h'},
                                    {nullptr, 0, nullptr, 0}};
  Arguments arguments;
  for (int c; (c = getopt_long(argc, argv, "", kOptions, nullptr)) != -1;) {
    if (c != 'p') return std::nullopt;
    arguments.parse_only = true;
  }
  if (optind != argc - 1) return std::nullopt;
  arguments.address = argv[optind];
  return arguments;
}

int ExitStatusOf(app::JobOutcome outcome) {
  switch (outcome) {
    case app::JobOutcome::kSucceeded: return kExitDownloaded;
    case app::JobOutcome::kFailed: return kExitFailed;
    case app::JobOutcome::kNotRun: break;
  }
  return kExitError;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Arguments> arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << "usage: brivo-cli [--parse-only] <play-page-address>\n";
    return kExitUsage;
  }
  // Like the window program: tracks are saved in, and the tool runs from, the
  // program directory.
  runtime::Text program_dir = runtime::ProgramDir();
  if (::chdir(runtime::GbkToUtf8(program_dir).c_str()) != 0) std::perror("brivo-cli: program directory");

  app::ConsoleView view(std::cout);
  app::TaskQueue ui;
  app::AppContext context{.config = app::Config::FromEnvironment(), .view = view, .ui = ui,
                          .program_dir = program_dir};
  app::InstallDownloaderTool(context.state);
  view.SetEditText(app::EditBox::kAddress, runtime::Utf8ToGbk(arguments->address));

  if (!app::ParsePlayPage(context)) return kExitError;
  std::cout << "track: " << runtime::GbkToUtf8(context.state.track_name) << '\n'
            << "path: " << runtime::GbkToUtf8(context.state.stream_path) << std::endl;
  if (arguments->parse_only) return kExitDownloaded;

  std::optional<app::JobOutcome> outcome;
  context.job_finished = [&outcome](app::JobOutcome result) { outcome = result; };
  app::StartDownloadJob(context);
  ui.RunUntil([&outcome] { return outcome.has_value(); });
  return ExitStatusOf(*outcome);
}
