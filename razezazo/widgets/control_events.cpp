#include "razezazo/widgets/control_events.h"

#include <mutex>
#include <optional>
#include <unordered_map>

#include "razezazo/widgets/control_base.h"
#include "razezazo/widgets/events.h"
#include "razezazo/widgets/message_payload.h"

namespace razezazo {
namespace {

struct EventRecord {
  int code;
  std::intptr_t argument1;
  std::intptr_t argument2;
};

struct ControlWindows {
  std::mutex mutex;
  std::unordered_map<Handle, winsys::WindowId> windows;
};

ControlWindows& Table() {
  static ControlWindows table;
  return table;
}

winsys::WindowId HostWindowOf(Handle control) {
  if (!control) return 0;
  ControlWindows& table = Table();
  std::lock_guard lock(table.mutex);
  auto found = table.windows.find(control);
  return found == table.windows.end() ? 0 : found->second;
}

}  // namespace

void EnterControlWindow(Handle control, winsys::WindowId host_window) {
  ControlWindows& table = Table();
  std::lock_guard lock(table.mutex);
  table.windows[control] = host_window;
}

void RemoveControlWindow(Handle control) {
  ControlWindows& table = Table();
  std::lock_guard lock(table.mutex);
  table.windows.erase(control);
}

bool PostControlEvent(Handle control, int code, std::intptr_t argument1, std::intptr_t argument2) {
  const winsys::WindowId window = HostWindowOf(control);
  if (!window) return false;
  std::uintptr_t payload = StorePayload(window, EventRecord{code, argument1, argument2});
  if (winsys::Current().Post(window, host_message::kDeliverEvent, control, static_cast<winsys::LParam>(payload)))
    return true;
  TakePayload(payload);
  return false;
}

std::intptr_t SendControlEvent(Handle control, int code, std::intptr_t argument1, std::intptr_t argument2) {
  const winsys::WindowId window = HostWindowOf(control);
  if (!window) return 0;
  std::uintptr_t payload = StorePayload(window, EventRecord{code, argument1, argument2});
  winsys::LResult result =
      winsys::Current().Send(window, host_message::kDeliverEvent, control, static_cast<winsys::LParam>(payload));
  TakePayload(payload);  // not delivered: drop it
  return result;
}

std::intptr_t DeliverEventRecord(ControlBase& control, std::uintptr_t payload) {
  std::optional<EventRecord> record = TakePayloadAs<EventRecord>(payload);
  if (!record) return 0;
  return control.Deliver(record->code, record->argument1, record->argument2);
}

}  // namespace razezazo
