#pragma once
// The brivo window on the headless window system, pointed at a demo site of
// its own. Message boxes are answered as they open (by the answer code the
// test queued, else the rightmost button) and recorded; the browser and the
// file manager are scripts that record what they were given.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/brivo_window.h"
#include "platform/window/backend/headless/headless_system.h"
#include "tests/support/demo_site.h"
#include "tests/support/temp_dir.h"

namespace brivo_window_test {

struct SeenBox {
  std::string title;               // UTF-8
  std::string text;                // UTF-8
  bool main_window_built = false;  // the main window had its host when the box came
  // The box host's look: background colour, layer alpha, frame style, image
  // edges, blur, caption flags (without the "created" mark).
  std::vector<std::int64_t> look;
};

class BrivoWindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  BrivoWindowFixture();
  ~BrivoWindowFixture() override;

  // Builds the program's window as brivo does and runs what that queued.
  void Open();
  // A left click in the middle of a control of the main window.
  void Click(const razezazo::ControlBase& control);
  // Runs the UI thread (posted tasks, boxes) until `done` holds; false when
  // it did not come within the time.
  bool RunUntil(const std::function<bool()>& done, int timeout_ms = 30000);
  bool RunUntilJobEnds() {
    return RunUntil([this] { return !window_->job_running(); });
  }
  // Answers the next box with this code instead of its rightmost button.
  void AnswerNextBoxWith(int code) { answers_.push_back(code); }

  // What the browser and the file manager were asked to open, in order;
  // waits (at most `wait_ms`) until there are at least `at_least` lines.
  std::vector<std::string> Opened(size_t at_least = 1, int wait_ms = 5000) const;
  std::vector<std::string> Shown(size_t at_least = 1, int wait_ms = 5000) const;
  std::filesystem::path Downloads() const { return folder_.path() / "downloads"; }
  std::string Text(razezazo::EditBox& box) const;
  // Sets an environment variable for this test (before Open).
  void Set(const char* name, const std::string& value);

  static std::unique_ptr<testing_support::DemoSite> site_;
  testing_support::TempDir folder_;
  winsys::HeadlessSystem* headless_ = nullptr;
  winsys::WindowId start_window_ = 0;
  std::unique_ptr<app::gui::BrivoWindow> window_;
  std::vector<SeenBox> boxes_;

 private:
  // The idle handler of every message loop: answers an open box.
  bool AnswerBox();

  std::vector<std::unique_ptr<testing_support::ScopedEnv>> environment_;
  std::deque<int> answers_;
};

}  // namespace brivo_window_test
