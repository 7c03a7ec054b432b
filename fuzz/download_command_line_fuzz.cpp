// The downloader tool's command line built from hostile page texts (track name,
// play path, page address): splitting it gives back exactly the intended
// arguments, one each, so no page can add a switch or name a file; the file
// the track is saved under stays in the download folder.
#include <vector>

#include "app/config.h"
#include "app/download_job.h"
#include "app/page_address.h"
#include "app/safe_names.h"
#include "fuzz/fuzz_input.h"
#include "runtime/command_line.h"
#include "runtime/gbk.h"

namespace {

app::Config DemoConfig() {
  app::Config config;
  config.site_web_host = "127.0.0.1:18080";
  config.site_rtmp_host = "127.0.0.1:11935";
  return config;
}

std::vector<std::string> IntendedArguments(const app::Config& config, const std::string& tool,
                                           const app::DownloadRequest& request) {
  std::vector<std::string> args{tool, "-r", "rtmp://" + config.site_rtmp_host + "/rozezeri/"};
  runtime::Text address = app::AddressAsArgument(app::NormalizedPageAddress(request.page_url));
  if (!address.empty()) args.insert(args.end(), {"-p", runtime::GbkToUtf8(address)});
  args.insert(args.end(), {"-y", "mp4:" + runtime::GbkToUtf8(request.play_path) + ".mp4", "-s",
                           "http://" + config.site_web_host + "/js/mp.swf/", "-o", "-"});
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const app::Config config = DemoConfig();
  fuzzing::FuzzInput input(data, size);
  const std::string tool = input.TakeByte() & 1 ? "/opt/dj tools/rtmpdump" : "/usr/bin/rtmpdump";
  app::DownloadRequest request;
  request.play_path = input.TakeText();
  request.page_url = input.TakeText();
  request.track_name = input.TakeRest();
  // The job runs the tool only for a usable play path.
  if (!app::IsUsablePlayPath(request.play_path)) return 0;

  const std::string line = app::DownloadCommandLine(config, tool, request);
  fuzzing::Check(runtime::SplitCommandLine(line) == IntendedArguments(config, tool, request),
                 "the command line does not split into the intended arguments");
  const std::string output = app::ResultFile({}, request.track_name, ".aac").native();
  fuzzing::Check(output.find('/') == std::string::npos && !output.starts_with('.') && !output.starts_with('-'),
                 "the saved file can leave the download folder or pass for a hidden file");
  return 0;
}
