#pragma once
// How runtime starts a child on Windows: CreateProcessW on the command line
// as it is (the child splits it by the same rules SplitCommandLine follows).
// Shared by the process operations of this folder.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "runtime/process.h"

namespace runtime {

// Owns one kernel object handle and closes it when it goes.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

struct StartedChild {
  UniqueHandle process;
  UniqueHandle thread;
};

// The standard handles a child gets; each must be inheritable. Without them
// the child shares this process's.
struct ChildHandles {
  HANDLE input = nullptr;
  HANDLE output = nullptr;
  HANDLE error = nullptr;
};

// Starts `command_line` (UTF-8) with `creation_flags`; nothing when it could
// not be started (no such program, no such working directory).
std::optional<StartedChild> StartChild(const std::string& command_line, const RunOptions& options,
                                       const ChildHandles* handles, DWORD creation_flags);

// How a child that has ended ended.
ProgramEnd EndOf(HANDLE process);

}  // namespace runtime
