#include "app/gui/responsive_fetch.h"

#include <memory>
#include <thread>

#include "platform/window/window_system.h"

namespace app::gui {

runtime::ByteBlock FetchWhileTheWindowRuns(const runtime::Text& address, runtime::FetchLimits limits,
                                           runtime::StopSignal& stop, UiThread& ui) {
  struct Result {
    runtime::ByteBlock body;
    bool done = false;
  };
  auto result = std::make_shared<Result>();
  limits.stop = &stop;
  // The result is handed over as a task of the UI thread: the loop below wakes for it.
  std::thread fetch([&address, &limits, &ui, result] {
    runtime::ByteBlock body = runtime::HttpGet(address, limits);
    ui.Post([result, body = std::move(body)]() mutable {
      result->body = std::move(body);
      result->done = true;
    });
  });
  winsys::WindowSystem& system = winsys::Current();
  winsys::Message message;
  bool quit = false;
  while (!result->done && !quit) {
    quit = !system.GetMessage(message);
    if (quit) break;
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
  if (quit) stop.Request();
  fetch.join();
  if (quit) system.PostQuitMessage(0);
  return quit ? runtime::ByteBlock() : std::move(result->body);
}

}  // namespace app::gui
