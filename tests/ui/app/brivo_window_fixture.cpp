#include "tests/ui/app/brivo_window_fixture.h"

#include <chrono>
#include <sstream>
#include <thread>

#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"
#include "tests/support/headless_host.h"
#include "tests/ui/app/message_box_reading.h"

namespace brivo_window_test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The openers run detached: their records come a little later.
std::vector<std::string> RecordedLines(const std::filesystem::path& record, size_t at_least, int wait_ms) {
  std::vector<std::string> lines;
  for (int waited = 0; waited <= wait_ms; waited += 50) {
    lines = Lines(testing_support::ReadWholeFile(record));
    if (lines.size() >= at_least) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return lines;
}

}  // namespace

std::unique_ptr<testing_support::DemoSite> BrivoWindowFixture::site_;

void BrivoWindowFixture::SetUpTestSuite() { site_ = std::make_unique<testing_support::DemoSite>(); }
void BrivoWindowFixture::TearDownTestSuite() { site_.reset(); }

BrivoWindowFixture::BrivoWindowFixture() {
  for (const auto& [name, value] : site_->ProgramEnvironment()) Set(name.c_str(), value);
  Set("BRIVO_DOWNLOAD_DIR", Downloads().string());
  Set("no_proxy", "127.0.0.1,localhost");
  for (const char* tool : {"opener", "file-manager"}) {
    const std::filesystem::path script = folder_.path() / tool;
    testing_support::WriteScript(script, "printf '%s\\n' \"$1\" >> \"$0.record\"\n");
  }
  Set("BRIVO_OPENER", (folder_.path() / "opener").string());
  Set("BRIVO_FILE_MANAGER", (folder_.path() / "file-manager").string());

  headless_ = &testing_support::StartHeadless();
  headless_->SetIdleHandler([this] { return AnswerBox(); });
}

BrivoWindowFixture::~BrivoWindowFixture() {
  window_.reset();
  headless_->SetIdleHandler(nullptr);
}

void BrivoWindowFixture::Set(const char* name, const std::string& value) {
  environment_.push_back(std::make_unique<testing_support::ScopedEnv>(name, value));
}

void BrivoWindowFixture::Open() {
  start_window_ = app::gui::CreateStartWindow();
  window_ = std::make_unique<app::gui::BrivoWindow>(start_window_);
  window_->Start();
  headless_->RunPending();
}

void BrivoWindowFixture::Click(const razezazo::ControlBase& control) {
  headless_->Advance(600);  // apart from the click before, so no double click
  headless_->Click(window_->window(), static_cast<int>(control.x() + control.width() / 2),
                   static_cast<int>(control.y() + control.height() / 2));
}

bool BrivoWindowFixture::RunUntil(const std::function<bool()>& done, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  headless_->RunPending();
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    headless_->WaitForPost(50);
    headless_->RunPending();
  }
  return true;
}

bool BrivoWindowFixture::AnswerBox() {
  for (winsys::WindowId box : headless_->Windows()) {
    std::optional<BoxContent> content = ReadMessageBox(*headless_, box);
    if (!content) continue;
    std::vector<std::int64_t> look;
    if (const razezazo::RazezaZOHost* host = razezazo::HostOfWindow(box))
      look = {host->GetField(razezazo::host_field::kBackgroundColour),
              host->GetField(razezazo::host_field::kLayerAlpha),
              host->GetField(razezazo::host_field::kFrameStyle),
              host->GetField(razezazo::host_field::kImageEdges),
              host->GetField(razezazo::host_field::kBlurBehind),
              host->GetField(razezazo::host_field::kCaptionFlags) & ~std::int64_t{razezazo::kCaptionCreated}};
    boxes_.push_back({content->title, content->text, razezazo::HostOfWindow(start_window_) != nullptr, look});
    const std::optional<int> wanted = answers_.empty() ? std::nullopt : std::optional<int>(answers_.front());
    if (!answers_.empty()) answers_.pop_front();
    if (ClickBoxButton(*headless_, box, wanted)) return true;
    ADD_FAILURE() << "the box has no button to answer with";
    headless_->Post(box, winsys::WM_CLOSE, 0, 0);
    return true;
  }
  // No box yet: a worker may be about to ask for one.
  return headless_->WaitForPost(50);
}

std::vector<std::string> BrivoWindowFixture::Opened(size_t at_least, int wait_ms) const {
  return RecordedLines(folder_.path() / "opener.record", at_least, wait_ms);
}

std::vector<std::string> BrivoWindowFixture::Shown(size_t at_least, int wait_ms) const {
  return RecordedLines(folder_.path() / "file-manager.record", at_least, wait_ms);
}

std::string BrivoWindowFixture::Text(razezazo::EditBox& box) const { return runtime::GbkToUtf8(box.text()); }

}  // namespace brivo_window_test
