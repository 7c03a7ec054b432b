// brivo's window under a long run of random user input on the headless
// window system, against the demo site's nginx with the real rtmpdump, so
// that downloads, failed downloads and failed parses happen while the input
// goes on. Then the window is closed with its close button, and the program
// must end cleanly: no thread or child process of it left, its memory back
// near where it was after start-up, and every download it reported done a
// complete copy of its stream.
//
// 10,000 events; BRIVO_SOAK_EVENTS=N gives N (the long soak: 100000). The seed is fixed and printed;
// BRIVO_SOAK_SEED=S repeats a run with another.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <thread>

#include "app/download_job.h"
#include "app/media/track_file.h"
#include "razezazo/controls/caption_button.h"
#include "runtime/gbk.h"
#include "tests/support/child_process.h"
#include "tests/support/cutting_relay.h"
#include "tests/support/media_files.h"
#include "tests/support/own_usage.h"
#include "tests/support/process_table.h"
#include "tests/ui/app/brivo_window_fixture.h"
#include "tests/ui/app/window_soak.h"

namespace brivo_window_test {
namespace {

namespace fs = std::filesystem;

constexpr long kDefaultEvents = 10000;
#if defined(__SANITIZE_ADDRESS__)
// The allocator's quarantine keeps freed memory resident: the memory figures
// say nothing there.
constexpr bool kMemoryComparable = false;
#else
constexpr bool kMemoryComparable = true;
#endif
constexpr unsigned kDefaultSeed = 20151102;
// A run this long reaches every outcome: a saved track and a failed parse.
constexpr long kEventsForEveryOutcome = 2000;
// Memory after the run may exceed the start-up figure by this share.
constexpr double kMemoryGrowthAllowed = 0.10;
// The detached openers and their collecting threads end shortly after the
// program; so do the threads of the last job.
constexpr int kSettleMs = 10000;

constexpr char kDone[] = "下载完成";
constexpr char kFailed[] = "下载失败";
constexpr char kParseFailed[] = "错误";
constexpr char kNoAddress[] = "提示：";

long FromEnvironment(const char* name, long fallback) {
  const char* given = std::getenv(name);
  return given && *given ? std::strtol(given, nullptr, 10) : fallback;
}

double Megabytes(long kilobytes) { return static_cast<double>(kilobytes) / 1024.0; }

class BrivoWindowSoakTest : public BrivoWindowFixture {
 protected:
  // Counted before the fixture starts the framework: reading the desktop's
  // title-bar font through GSettings leaves two GLib threads (gmain, dconf
  // worker) that live as long as the process.
  static void SetUpTestSuite() {
    threads_before_framework_ = testing_support::OwnThreadNames().size();
    BrivoWindowFixture::SetUpTestSuite();
  }

  BrivoWindowSoakTest() {
    // Random typing can turn the address's host into any name: every address
    // but the loopback one goes to a closed port instead of the network.
    for (const char* proxy : {"http_proxy", "https_proxy"}) Set(proxy, "http://127.0.0.1:9");
    // The tracks come at full speed, except from one page whose track comes
    // in real time, so that its download runs for seconds while the input
    // goes on, its progress showing in the window. One page's stream is cut
    // half-way by a relay, and one page's track meets a full disk (a file
    // size limit): both name a track that other pages download whole, which
    // their failures must leave as it was.
    testing_support::WriteScript(folder_.path() / "rtmpdump",
                                 "case \"$*\" in\n"
                                 "  *" +
                                     std::string(kRealtimePage) + "*) exec '" + site_->RealtimeTool() +
                                     "' \"$@\";;\n"
                                     "  *" +
                                     std::string(kCutPage) +
                                     "*)\n"
                                     "    for a do shift; case $a in rtmp://*) a=rtmp://127.0.0.1:" +
                                     std::to_string(relay_.port()) +
                                     "/rozezeri/;; esac; set -- \"$@\" \"$a\"; done;;\n"
                                     "  *" +
                                     std::string(kFullDiskPage) +
                                     "*) trap '' XFSZ; ulimit -f 20;;\n"
                                     "esac\nexec rtmpdump \"$@\"\n");
    Set("BRIVO_RTMPDUMP", (folder_.path() / "rtmpdump").string());
  }

  static constexpr char kRealtimePage[] = "soak/realtime.html";
  static constexpr char kCutPage[] = "soak/cut.html";
  static constexpr char kFullDiskPage[] = "soak/full.html";

  // What the user pastes, with how often in a hundred-odd pastes: the demo
  // pages (the long one too), a page whose track comes in real time, one with
  // a name no file may carry as it is, a cut stream, a full disk, addresses
  // with blanks and without
  // "http://", a page without a player (a failed parse), a page whose stream
  // does not exist (a failed download), a closed port and a text that is no
  // address.
  std::vector<SoakAddress> Addresses() {
    const std::string demo = site_->Get("BRIVO_DEMO_PAGE_URL");
    const std::string base = demo.substr(0, demo.rfind("demo01"));
    streams_ = {{"晨岚测试曲一", "demo01"},   {"Demo Track 2", "demo02"}, {"晨岚测试曲三", "demo03"},
                {"晨岚测试长曲四", "demo04"}, {"实时的曲", "demo03"},     {"晨岚/测试:曲?五", "demo02"}};
    return {{base + "demo01.html", 16},
            {base + "demo02.html", 16},
            {base + "demo03.html", 16},
            {site_->LongTrackPage(), 4},
            {site_->AddPage(kRealtimePage, "实时的曲", "music/2015/", "demo03"), 1},
            {site_->AddPage("soak/odd.html", "晨岚/测试:曲?五", "music/2015/", "demo02"), 8},
            {site_->AddPage(kCutPage, "晨岚测试长曲四", "music/2015/", "demo04"), 4},
            {site_->AddPage(kFullDiskPage, "晨岚测试曲三", "music/2015/", "demo03"), 4},
            {"  " + base + "demo03.html\r\n", 4},
            {(base + "demo01.html").substr(std::string("http://").size()), 4},
            {site_->AddFile("soak/garbage.html", "<html><body>no player here</body></html>"), 12},
            {site_->AddPage("soak/missing.html", "缺失的曲", "music/2015/", "nosuch"), 11},
            {"http://127.0.0.1:9/play/demo01.html", 4},
            {"晨岚DJ", 4}};
  }

  // The audio of a stream as a saved track holds it behind its tag: rtmpdump's
  // own copy of the stream (the same at any pace), rewritten without a tag.
  std::string Reference(const std::string& stream) {
    const std::optional<app::media::TrackFile> track = app::media::TrackFileFrom(Stream(stream), {});
    return track && track->bytes ? testing_support::WithoutId3Tag(*track->bytes) : std::string();
  }

  // The bytes rtmpdump itself saves of a stream.
  std::string Stream(const std::string& stream) {
    std::string& bytes = references_[stream];
    if (bytes.empty()) {
      const fs::path file = folder_.path() / (stream + ".reference");
      testing_support::RunChild({"rtmpdump", "-q", "-r", "rtmp://" + site_->Get("BRIVO_SITE_RTMP_HOST") + "/rozezeri/",
                                 "-y", "mp4:music/2015/" + stream + ".mp4", "-o", file.string()});
      bytes = testing_support::ReadWholeFile(file);
    }
    return bytes;
  }

  // The click ends the host, and its caption buttons with it.
  void ClickClose() {
    const razezazo::CaptionButton* close = nullptr;
    for (const auto& button : window_->host().caption_buttons())
      if (button->button_kind() == razezazo::kCaptionButtonClose) close = button.get();
    ASSERT_TRUE(close);
    Click(*close);
  }

  // Waits until the process is back to `threads` threads and has no child.
  bool Settles(size_t threads) {
    for (int waited = 0; waited < kSettleMs; waited += 50) {
      if (testing_support::OwnThreadNames().size() <= threads && testing_support::ChildProcesses(getpid()).empty())
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  static size_t threads_before_framework_;
  // Passes 200,000 bytes of a stream, then drops the connection.
  testing_support::CuttingRelay relay_{std::stoi(site_->Get("BRIVO_DEMO_RTMP_PORT")), 200000};
  std::map<std::string, std::string> streams_;  // track name (UTF-8) → stream
  std::map<std::string, std::string> references_;
};

size_t BrivoWindowSoakTest::threads_before_framework_ = 0;

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

// What a run measured, for its report line.
struct SoakFigures {
  long events = 0;
  double seconds = 0;
  double paused_seconds = 0;  // waiting for downloads between events
  long memory_started = 0, memory_half_way = 0, memory_after_events = 0, memory_closed = 0, memory_peak = 0;
  size_t threads_before_framework = 0, threads_before = 0, threads_at_end = 0;
  std::vector<std::string> threads_started;
  std::map<std::string, int> outcomes;  // box title → how many
  long menus = 0;

  std::string Describe() const {
    std::ostringstream out;
    out << std::fixed;
    out.precision(1);
    out << events << " events in " << seconds << " s, " << static_cast<double>(events) / seconds << " events/s ("
        << static_cast<double>(events) / (seconds - paused_seconds) << " without the pauses for downloads); memory "
        << "after start-up " << Megabytes(memory_started) << " MB, peak " << Megabytes(memory_peak) << " MB, half-way "
        << Megabytes(memory_half_way) << " MB, after the events " << Megabytes(memory_after_events)
        << " MB, after closing " << Megabytes(memory_closed) << " MB; threads before the framework's start-up "
        << threads_before_framework << ", before the window's " << threads_before << ", after it "
        << threads_started.size() << " (" << Joined(threads_started) << "), at the end " << threads_at_end
        << "; downloads done " << Count(kDone) << ", failed " << Count(kFailed) << "; failed parses "
        << Count(kParseFailed) << "; no address " << Count(kNoAddress) << "; menus " << menus;
    return out.str();
  }
  int Count(const std::string& title) const {
    const auto found = outcomes.find(title);
    return found == outcomes.end() ? 0 : found->second;
  }
};

TEST_F(BrivoWindowSoakTest, RandomInputWithDownloadsThenTheProgramEndsCleanly) {
  SoakFigures figures{.events = FromEnvironment("BRIVO_SOAK_EVENTS", kDefaultEvents),
                      .threads_before_framework = threads_before_framework_};
  const auto seed = static_cast<unsigned>(FromEnvironment("BRIVO_SOAK_SEED", kDefaultSeed));
  std::ostringstream trace;
  trace << "seed " << seed << " (repeat with BRIVO_SOAK_SEED=" << seed << " BRIVO_SOAK_EVENTS=" << figures.events
        << ")";
  SCOPED_TRACE(trace.str());
  std::cout << "soak: " << trace.str() << std::endl;

  const std::vector<SoakAddress> addresses = Addresses();
  figures.threads_before = testing_support::OwnThreadNames().size();
  Open();
  headless_->Advance(1000);  // the show animation
  figures.threads_started = testing_support::OwnThreadNames();
  figures.memory_started = testing_support::OwnResidentKilobytes();
  testing_support::ResetOwnPeakResident();

  auto soak = std::make_unique<WindowSoak>(*headless_, *window_, addresses, seed);
  const auto start = std::chrono::steady_clock::now();
  soak->Run(figures.events / 2);
  figures.memory_half_way = testing_support::OwnResidentKilobytes();
  soak->Run(figures.events);
  figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figures.paused_seconds = soak->paused().count();
  figures.memory_after_events = testing_support::OwnResidentKilobytes();
  EXPECT_TRUE(headless_->IsWindow(window_->window()))
      << "the window closed during the run, after " << soak->events() << " events";

  // The user closes the window; a download still running is stopped.
  // A result box that opens at that moment is modal and drops the click;
  // the user clicks again once it has been answered.
  for (int attempt = 0; attempt < 3 && headless_->IsWindow(window_->window()); ++attempt) {
    ClickClose();
    window_->Run();
  }
  EXPECT_FALSE(headless_->IsWindow(window_->window()));
  EXPECT_FALSE(window_->job_running());
  std::vector<std::string> done;
  for (const BoxContent& box : soak->boxes()) {
    ++figures.outcomes[box.title];
    // The track's name, then a line with the file it was saved as.
    if (box.title == kDone) done.push_back(box.text.substr(0, box.text.find('\n')));
  }
  figures.menus = soak->menus();
  soak.reset();
  window_.reset();
  const bool settled = Settles(figures.threads_before);
  figures.threads_at_end = testing_support::OwnThreadNames().size();
  figures.memory_closed = testing_support::OwnResidentKilobytes();
  figures.memory_peak = testing_support::OwnPeakResidentKilobytes();
  std::cout << "soak: " << figures.Describe() << std::endl;

  EXPECT_TRUE(settled) << "threads left: " << Joined(testing_support::OwnThreadNames())
                       << "; child processes: " << testing_support::ChildProcesses(getpid()).size();
  if (kMemoryComparable) {
    EXPECT_LE(figures.memory_closed, figures.memory_started * (1 + kMemoryGrowthAllowed)) << figures.Describe();
    // The first boxes, menus and downloads fill caches that stay; after them
    // the memory of the open window must not keep growing with the events.
    EXPECT_LE(figures.memory_after_events, figures.memory_half_way * (1 + kMemoryGrowthAllowed)) << figures.Describe();
  }
  if (figures.events >= kEventsForEveryOutcome) {
    EXPECT_GT(figures.Count(kDone), 0) << figures.Describe();
    EXPECT_GT(figures.Count(kFailed), 0) << figures.Describe();
    EXPECT_GT(figures.Count(kParseFailed), 0) << figures.Describe();
  }

  // Every track reported done is there, and each was shown in the file
  // manager; every saved file is its whole stream, whatever failed later
  // under the same name.
  EXPECT_EQ(Shown(done.size()).size(), done.size());
  for (const std::string& name : done)
    EXPECT_TRUE(fs::exists(app::ResultFile(Downloads(), runtime::Utf8ToGbk(name), ".aac"))) << name;
  std::map<fs::path, std::string> saved_streams;
  for (const auto& [name, stream] : streams_)
    saved_streams[app::ResultFile(Downloads(), runtime::Utf8ToGbk(name), ".aac")] = stream;
  if (fs::exists(Downloads())) {
    for (const auto& entry : fs::directory_iterator(Downloads())) {
      ASSERT_TRUE(saved_streams.count(entry.path())) << "a file no page names: " << entry.path();
      const std::string& reference = Reference(saved_streams[entry.path()]);
      ASSERT_FALSE(reference.empty()) << "rtmpdump saved nothing of " << saved_streams[entry.path()];
      EXPECT_TRUE(testing_support::WithoutId3Tag(testing_support::ReadWholeFile(entry.path())) == reference)
          << entry.path() << " is not the whole stream";
    }
  }
}

}  // namespace
}  // namespace brivo_window_test
