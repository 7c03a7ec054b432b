#include "app/gui/brivo_window.h"

#include "app/download_folder.h"
#include "app/download_job.h"
#include "app/gui/feedback.h"
#include "app/gui/main_window_look.h"
#include "app/gui/program_icon.h"
#include "app/gui/responsive_fetch.h"
#include "app/play_page_parser.h"
#include "razezazo/core/framework.h"
#include "runtime/termination_signals.h"

namespace app::gui {
namespace {

// The tool ends within a second of a stop (SIGTERM, then SIGKILL).
constexpr std::chrono::seconds kDisplayLossCleanUp{2};

}  // namespace

winsys::WindowId CreateStartWindow() {
  winsys::WindowSystem& system = winsys::Current();
  // Docks match the windows to the desktop entry by this class.
  system.SetProgramClass("brivo");
  const winsys::WindowId window = razezazo::CreateFrameworkWindow(MainWindowOptions());
  if (window) system.SetWindowIcon(window, ProgramIconImages());
  return window;
}

BrivoWindow::BrivoWindow(winsys::WindowId start_window)
    : window_(start_window),
      view_(controls_, start_window),
      context_{.config = Config::FromEnvironment(),
               .view = view_,
               .ui = ui_,
               .download_folder = DownloadFolder(FolderSources::FromEnvironment(std::nullopt)),
               .keep_flv = KeepFlvRequested(),
               .job_finished = [this](JobOutcome outcome) { OnJobFinished(outcome); },
               .fetch_page = [this](const runtime::Text& address,
                                    const runtime::FetchLimits& limits) { return FetchPage(address, limits); },
               .download_progress = [this](const DownloadProgress& progress) { progress_.Report(progress); }},
      progress_(ui_, [this](const DownloadProgress& progress) { view_.ShowProgress(progress); }) {}

// The program's end: the job goes first (it uses everything below), then the
// window, whose host destroys the controls; the state goes with the object.
BrivoWindow::~BrivoWindow() {
  if (job_running_) context_.stop.Request();
  WaitForJob();
  winsys::WindowSystem& system = winsys::Current();
  if (system.IsWindow(window_)) system.DestroyWindow(window_);
}

void BrivoWindow::SetAddress(const runtime::Text& address) { view_.SetEditText(EditBox::kAddress, address); }

void BrivoWindow::BindHandlers() {
  using razezazo::event::kClick;
  controls_.address_edit.AddEventHandler(kClick, [this](const razezazo::Event&) { ClearFields(view_); });
  controls_.parse_button.AddEventHandler(kClick, [this](const razezazo::Event&) { OnParseClick(); });
  // An address typed or pasted is sent off with Enter, as with "解析&&下载".
  controls_.address_edit.AddEventHandler(winsys::WM_KEYDOWN, [this](const razezazo::Event& event) {
    if (event.argument1 == winsys::VK_RETURN) OnParseClick();
  });
  controls_.download_button.AddEventHandler(kClick, [this](const razezazo::Event&) { OnDownloadClick(); });
  host_.hooks().click = FeedbackHook(context_.config);
  host_.hooks().message = [this](winsys::WindowId, unsigned message, winsys::WParam, winsys::LParam) {
    return OnMessage(message);
  };
}

// The job disables the buttons itself, but only once it runs on its thread; a
// click that comes before must not start a second job on the same files.
void BrivoWindow::OnParseClick() {
  if (Busy()) return;
  if (ParsePlayPage(context_)) StartJob();
}

// The download button repeats the download with what the boxes hold. It runs
// on a worker like the parse's job, so the window keeps painting and can be
// closed while the tool works.
void BrivoWindow::OnDownloadClick() {
  if (!Busy()) StartJob();
}

// The window keeps painting and taking input while the page comes; a second
// parse or download waits for this one (the handlers above), and a close stops it.
runtime::ByteBlock BrivoWindow::FetchPage(const runtime::Text& address, const runtime::FetchLimits& limits) {
  fetching_ = true;
  runtime::ByteBlock page = FetchWhileTheWindowRuns(address, limits, context_.stop, ui_);
  fetching_ = false;
  return page;
}

void BrivoWindow::StartJob() {
  job_running_ = true;
  StartDownloadJob(context_);
}

void BrivoWindow::OnJobFinished(JobOutcome) {
  job_running_ = false;
  if (waiting_for_job_) winsys::Current().PostQuitMessage(0);  // ends WaitForJob's loop
}

// The window goes with any box it owns; the boxes' loops end with it, the
// job that waited for an answer gets "cancel" and finds no window to show its
// file in. The quit ends whichever loop runs now.
void BrivoWindow::EndOnTerminationSignals() {
  runtime::StopOnTerminationSignals(context_.stop);
  signal_watcher_ = std::make_unique<StopWatcher>(context_.stop, ui_, [window = window_] {
    winsys::WindowSystem& system = winsys::Current();
    if (runtime::CaughtTerminationSignal() && system.IsWindow(window)) system.DestroyWindow(window);
  });
}

int BrivoWindow::ExitStatus() const {
  const int signal = runtime::CaughtTerminationSignal();
  return signal ? 128 + signal : 0;
}

// A lost display ends the program the moment the handler returns; until then a
// running download is stopped as a close stops it, so no tool and no partial
// file outlive the window.
void BrivoWindow::StopDownloadsOnDisplayLoss() {
  winsys::Current().SetDisplayLostHandler([this] {
    context_.stop.Request();
    WaitForWorkerJobs(context_, kDisplayLossCleanUp);
  });
}

// Closing the window during a download stops the tool; Run() then waits the
// moment it takes to end, and the window closes as usual meanwhile. However
// the window goes (closed, destroyed by the window manager or by a signal),
// the program's loop ends with it, also when it runs inside a box or a menu.
winsys::LResult BrivoWindow::OnMessage(unsigned message) {
  if ((message == winsys::WM_CLOSE || message == winsys::WM_DESTROY) && Busy()) context_.stop.Request();
  if (message == winsys::WM_DESTROY) winsys::Current().PostQuitMessage(0);
  return -1;
}

void BrivoWindow::Run() {
  winsys::WindowSystem& system = winsys::Current();
  winsys::Message message;
  while (system.IsWindow(window_) && system.GetMessage(message)) {
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
  WaitForJob();
}

// Answers the job's calls until it has ended; the window may be gone already,
// and the quit its destruction posted may still be waiting.
void BrivoWindow::WaitForJob() {
  winsys::WindowSystem& system = winsys::Current();
  winsys::Message message;
  waiting_for_job_ = true;
  while (job_running_)
    if (system.GetMessage(message)) system.DispatchMessage(message);
  waiting_for_job_ = false;
}

}  // namespace app::gui
