#pragma once
// The brivo window program without its entry point: everything the program
// keeps for its whole run, built over a start window of the current window
// system (the GTK one in brivo, the headless one in tests).
//
//   BrivoWindow window(CreateStartWindow());
//   window.Start();        // may end the process (the update question's 是)
//   window.Run();          // until the window is closed and no job runs
//
// The object is the program's end: it outlives every job it started, and its
// destruction releases the window, its host and controls, then the state.
#include <atomic>
#include <memory>

#include "app/app_context.h"
#include "app/gui/coalesced_progress.h"
#include "app/gui/main_window.h"
#include "app/gui/stop_watcher.h"
#include "app/gui/window_ui_thread.h"
#include "app/gui/window_view.h"
#include "razezazo/core/host.h"

namespace app::gui {

// The start window: a plain top-level framework window as big as the
// background picture, centred, with a minimise button (the picture does not
// grow, so there is nothing to maximise), brivo's window class and icon.
winsys::WindowId CreateStartWindow();

class BrivoWindow {
 public:
  explicit BrivoWindow(winsys::WindowId start_window);
  ~BrivoWindow();
  BrivoWindow(const BrivoWindow&) = delete;
  BrivoWindow& operator=(const BrivoWindow&) = delete;

  // The start-up routine: the title, the update check (whose 是 ends the
  // process), the downloader tool, the host, the controls, their bindings,
  // the click hook and the show animation.
  void Start();
  // Puts an address into the address box, as `brivo <address>` does.
  void SetAddress(const runtime::Text& address);
  // The UI thread's message loop, until the start window is gone (closed,
  // destroyed or ended by a signal) and the last job has ended.
  void Run();
  // The program's exit status: 128 + the signal's number after a stop by
  // SIGINT, SIGTERM or SIGHUP, else 0.
  int ExitStatus() const;

  winsys::WindowId window() const { return window_; }
  razezazo::RazezaZOHost& host() { return host_; }
  MainWindow& controls() { return controls_; }
  AppContext& context() { return context_; }
  bool job_running() const { return job_running_.load(); }
  // SIGINT, SIGTERM and SIGHUP end the program in any state: a running
  // download stops, an open box and the window go at once, no file manager opens.
  void EndOnTerminationSignals();
  // A lost display (the X server's end, xkill) stops a running download
  // before the program ends.
  void StopDownloadsOnDisplayLoss();

 private:
  void BindHandlers();
  void OnParseClick();
  void OnDownloadClick();
  void StartJob();
  void OnJobFinished(JobOutcome outcome);
  winsys::LResult OnMessage(unsigned message);
  runtime::ByteBlock FetchPage(const runtime::Text& address, const runtime::FetchLimits& limits);
  bool Busy() const { return job_running_ || fetching_; }
  void WaitForJob();

  winsys::WindowId window_;
  WindowUiThread ui_;
  razezazo::RazezaZOHost host_;
  MainWindow controls_;
  WindowView view_;
  AppContext context_;
  CoalescedProgress progress_;
  std::atomic<bool> job_running_{false};
  bool fetching_ = false;  // a parse's page fetch runs (the window's loop goes on meanwhile)
  bool waiting_for_job_ = false;
  std::unique_ptr<StopWatcher> signal_watcher_;  // last: it goes first
};

}  // namespace app::gui
