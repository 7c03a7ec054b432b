// brivo: the window program. `brivo [address]` opens the main window, with the
// play-page address in the address box when one is given; the user still
// presses "解析&&下载".
#include <cstdio>
#include <string>
#include <vector>

#include "app/gui/brivo_window.h"
#include "razezazo/core/framework.h"
#include "razezazo/drawing/font_warm_up.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/console.h"
#include "runtime/gbk.h"

namespace {

constexpr char kUsage[] = "usage: brivo [play-page-address]\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = runtime::ProgramArguments(argc, argv);
  if (arguments.size() > 1 || (arguments.size() == 1 && arguments[0] == "--help")) {
    std::fputs(kUsage, arguments.size() > 1 ? stderr : stdout);
    return arguments.size() > 1 ? 64 : 0;
  }
  const razezazo::FontWarmUp fonts;  // while the display opens and the version file comes
  if (!winsys::Start()) {
    std::fputs("brivo: no display to show the window on; brivo-cli downloads on the console\n", stderr);
    return 1;
  }
  razezazo::FrameworkStartup();
  const winsys::WindowId start_window = app::gui::CreateStartWindow();
  if (!start_window) {
    std::fputs("brivo: the window could not be created\n", stderr);
    return 1;
  }
  app::gui::BrivoWindow program(start_window);
  program.EndOnTerminationSignals();
  program.StopDownloadsOnDisplayLoss();
  program.Start();
  if (arguments.size() == 1) program.SetAddress(runtime::Utf8ToGbk(arguments[0]));
  program.Run();
  return program.ExitStatus();
}
