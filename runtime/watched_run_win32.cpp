// RunWatchedProgram on Windows: the program runs in a job object that ends it
// and everything it starts when the job's handle closes (a stop, or this
// process ending however it ends). Its output comes through a pipe that is
// read here, between short waits for the program's end.
#include <io.h>
#include <windows.h>

#include <chrono>

#include "runtime/line_splitter.h"
#include "runtime/process.h"
#include "runtime/stop_signal.h"
#include "runtime/win32_spawn.h"

namespace runtime {
namespace {

// How long a wait for the program's end lasts before the pipe and the stop
// signal are looked at again.
constexpr DWORD kWaitSliceMs = 10;
// After the program's end, output still in the pipe is read up to this much: a
// grandchild that keeps the pipe open and writes must not hold us up.
constexpr size_t kMostTrailingOutput = 1 << 20;

// An inheritable copy of `handle` for the child; this process keeps its own.
UniqueHandle InheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  const HANDLE self = GetCurrentProcess();
  if (!DuplicateHandle(self, handle, self, &copy, 0, TRUE, DUPLICATE_SAME_ACCESS)) return {};
  return UniqueHandle(copy);
}

UniqueHandle NullInput() {
  SECURITY_ATTRIBUTES inherit{
      .nLength = sizeof(SECURITY_ATTRIBUTES), .lpSecurityDescriptor = nullptr, .bInheritHandle = TRUE};
  return UniqueHandle(
      CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
}

// A job that kills its processes when its last handle closes.
UniqueHandle KillingJob() {
  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job.valid() && !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
    job.Reset();
  return job;
}

// Reads what the pipe holds now, up to `limit` bytes; false once the writing
// side has closed.
bool ReadAvailable(HANDLE pipe, LineSplitter& lines, size_t limit = static_cast<size_t>(-1)) {
  char buffer[16 * 1024];
  for (size_t total = 0; total < limit;) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return false;
    if (available == 0) return true;
    DWORD n = 0;
    if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &n, nullptr) || n == 0) return false;
    lines.Feed({buffer, n});
    total += n;
  }
  return true;
}

struct OutputPipe {
  UniqueHandle read_end;
  UniqueHandle write_end;  // inheritable
};

std::optional<OutputPipe> MakePipe() {
  SECURITY_ATTRIBUTES inherit{
      .nLength = sizeof(SECURITY_ATTRIBUTES), .lpSecurityDescriptor = nullptr, .bInheritHandle = TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return std::nullopt;
  OutputPipe pipe{UniqueHandle(read_end), UniqueHandle(write_end)};
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

}  // namespace

ProgramEnd RunWatchedProgram(const std::string& command_line, const RunOptions& options, const ProgramWatch& watch) {
  if (watch.stop && watch.stop->Requested()) return {.stopped = true};
  std::optional<OutputPipe> pipe = MakePipe();
  UniqueHandle input = NullInput();
  UniqueHandle job = KillingJob();
  UniqueHandle output_file;
  if (watch.output_file >= 0)
    output_file = InheritableCopy(reinterpret_cast<HANDLE>(_get_osfhandle(watch.output_file)));
  if (!pipe || !input.valid() || !job.valid() || (watch.output_file >= 0 && !output_file.valid())) return {};
  const ChildHandles handles{.input = input.get(),
                             .output = output_file.valid() ? output_file.get() : pipe->write_end.get(),
                             .error = pipe->write_end.get()};
  // Suspended until it is in the job, so that nothing it starts escapes; in a
  // process group of its own and without our console, so that a Ctrl+C on our
  // console reaches only us.
  std::optional<StartedChild> child =
      StartChild(command_line, options, &handles, CREATE_SUSPENDED | CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW);
  // The pipe reports its end once the child's copy closes.
  pipe->write_end.Reset();
  output_file.Reset();
  if (!child) return {};
  if (!AssignProcessToJobObject(job.get(), child->process.get())) {
    TerminateProcess(child->process.get(), 1);
    return {};
  }
  ResumeThread(child->thread.get());

  LineSplitter lines(watch.on_line);
  bool reading = true;
  bool stopped = false;
  auto slice = [&] { return reading || (watch.stop && !stopped) ? kWaitSliceMs : INFINITE; };
  while (WaitForSingleObject(child->process.get(), slice()) == WAIT_TIMEOUT) {
    if (!stopped && watch.stop && watch.stop->Requested()) {
      stopped = true;
      TerminateJobObject(job.get(), 1);
    }
    if (reading) reading = ReadAvailable(pipe->read_end.get(), lines);
  }
  if (reading) ReadAvailable(pipe->read_end.get(), lines, kMostTrailingOutput);
  lines.Finish();
  ProgramEnd end = EndOf(child->process.get());
  end.killed = stopped;
  end.stopped = stopped;
  return end;
}

}  // namespace runtime
