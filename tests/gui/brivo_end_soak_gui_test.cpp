// brivo ended many times, each time in a state drawn at random (idle, a
// download running, a result box open, the context menu open, the page fetch
// or a paste stalled) and in a way drawn at random (its close button, Alt+F4
// through openbox, SIGTERM, SIGINT, SIGHUP). Each end must come within two
// seconds, with the right exit status, no child process left and no partial
// file. The seed is fixed and printed; BRIVO_END_SOAK_SEED=S runs another,
// BRIVO_END_SOAK_RUNS=N makes N runs (default 12).
#include <signal.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "tests/gui/brivo_gui_fixture.h"
#include "tests/support/http_test_server.h"
#include "tests/support/process_table.h"

namespace winsys::testing {
namespace {

enum class State { kIdle, kDownloading, kResultBox, kMenuOpen, kFetchStalled, kPasteStalled, kCount };
enum class End { kCloseButton, kAltF4, kTerm, kInt, kHangUp, kCount };

const char* Name(State state) {
  static const char* const kNames[] = {"idle",      "downloading",   "result box",
                                       "menu open", "fetch stalled", "paste stalled"};
  return kNames[static_cast<int>(state)];
}
const char* Name(End end) {
  static const char* const kNames[] = {"close button", "Alt+F4", "SIGTERM", "SIGINT", "SIGHUP"};
  return kNames[static_cast<int>(end)];
}

// The main window's title, also behind a download's progress.
constexpr char kMainWindow[] = "晨岚DJ音乐网\\(brivo\\)";

long FromEnvironment(const char* name, long fallback) {
  const char* given = std::getenv(name);
  return given && *given ? std::strtol(given, nullptr, 10) : fallback;
}

class BrivoEndSoakTest : public BrivoManagedGuiTest {
 protected:
  // Starts brivo with `address` in its box and waits for its window; where openbox put it.
  gfx::RectI Start(const std::string& address) {
    brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, std::vector<std::string>{address});
    EXPECT_TRUE(WaitForWindow(kMainWindow)) << "no window";
    EXPECT_TRUE(ScreenSettles(display_.Name())) << "the show animation did not end";
    return WindowGeometry(kMainWindow);
  }
  void ClickIn(const gfx::RectI& window, int x, int y, const char* button = "1") {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(window.x + x), std::to_string(window.y + y), "click", button}), 0);
  }

  // Brings brivo into `state`; the address each state starts with.
  void Enter(State state) {
    const std::string demo = site_->Get("BRIVO_DEMO_PAGE_URL");
    switch (state) {
      case State::kIdle: Start(demo); break;
      case State::kDownloading: {
        // The minute-long track in real time: it runs until the end comes.
        const testing_support::ScopedEnv realtime("BRIVO_RTMPDUMP", site_->RealtimeTool());
        ClickIn(Start(site_->LongTrackPage()), 315, 70);
        EXPECT_TRUE(WaitForWindow("kB \\([0-9.]+%\\) - 晨岚DJ音乐网")) << "no progress";
        break;
      }
      case State::kResultBox:
        ClickIn(Start(demo), 315, 70);
        EXPECT_TRUE(WaitForWindow("下载完成"));
        break;
      case State::kMenuOpen:
        ClickIn(Start(demo), 150, 70, "3");
        EXPECT_TRUE(WaitForWindow(kMenuWindow)) << "no menu";
        break;
      case State::kFetchStalled:
        ClickIn(Start("http://127.0.0.1:" + std::to_string(stalled_server_.port()) + "/play/x.html"), 315, 70);
        EXPECT_TRUE(ScreenSettles(display_.Name()));  // the press has been handled: the fetch stalls
        break;
      case State::kPasteStalled: {
        const gfx::RectI window = Start(demo);
        clipboard_owner_ = std::make_unique<ExampleProcess>(SILENT_CLIPBOARD_OWNER_PATH);
        EXPECT_TRUE(clipboard_owner_->WaitForLine("owning the clipboard"));
        ClickIn(window, 150, 70);
        EXPECT_EQ(Xdotool({"key", "ctrl+v"}), 0);
        break;
      }
      case State::kCount: break;
    }
  }

  // Ends brivo the way drawn; the exit status that must follow.
  int Finish(End end) {
    switch (end) {
      case End::kCloseButton: ClickIn(WindowGeometry(kMainWindow), 354, 16); return 0;
      case End::kAltF4:
        EXPECT_EQ(Xdotool({"search", "--name", kMainWindow, "windowactivate", "--sync"}), 0);
        EXPECT_EQ(Xdotool({"key", "alt+F4"}), 0);
        return 0;
      case End::kTerm: ::kill(brivo_->pid(), SIGTERM); return 128 + SIGTERM;
      case End::kInt: ::kill(brivo_->pid(), SIGINT); return 128 + SIGINT;
      case End::kHangUp: ::kill(brivo_->pid(), SIGHUP); return 128 + SIGHUP;
      case End::kCount: break;
    }
    return -1;
  }

  testing_support::SilentServer stalled_server_;
  std::unique_ptr<ExampleProcess> clipboard_owner_;
};

TEST_F(BrivoEndSoakTest, EveryEndInEveryStateIsQuickCompleteAndClean) {
  const auto seed = static_cast<unsigned>(FromEnvironment("BRIVO_END_SOAK_SEED", 20151102));
  const long runs = FromEnvironment("BRIVO_END_SOAK_RUNS", 12);
  std::cout << "end soak: seed " << seed << ", " << runs << " runs" << std::endl;
  std::mt19937 random(seed);
  for (long run = 0; run < runs; ++run) {
    auto state = static_cast<State>(random() % static_cast<unsigned>(State::kCount));
    auto end = static_cast<End>(random() % static_cast<unsigned>(End::kCount));
    // A click on the main window reaches nothing while a box or a menu holds the input.
    if (end == End::kCloseButton && (state == State::kResultBox || state == State::kMenuOpen)) end = End::kAltF4;
    SCOPED_TRACE(std::string("run ") + std::to_string(run) + ": " + Name(state) + ", ended by " + Name(end) +
                 " (seed " + std::to_string(seed) + ")");
    Enter(state);
    const std::vector<pid_t> children = testing_support::ChildProcesses(brivo_->pid());
    const int expected = Finish(end);
    EXPECT_TRUE(brivo_->WaitForExit(2000)) << "still running after 2 s";
    EXPECT_EQ(brivo_->exit_status(), expected);
    for (pid_t child : children) EXPECT_TRUE(testing_support::EndsSoon(child)) << "child " << child;
    EXPECT_TRUE(testing_support::PartialFiles(Downloads()).empty()) << "a partial file stayed";
    brivo_.reset();
    clipboard_owner_.reset();
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace winsys::testing
