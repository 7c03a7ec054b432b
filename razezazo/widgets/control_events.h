#pragma once
// Events for a control named by its handle, from any thread. A worker holds no
// ControlBase pointer and reads no control: it copies the handle on the UI
// thread, and these functions find the control's host window in a table of
// their own, guarded for threads. The event is delivered on the UI thread by
// the host (host message 10258), which drops it when the control has gone.
#include <cstdint>

#include "platform/window/window_system.h"
#include "razezazo/widgets/framework_object.h"

namespace razezazo {

// Queues the event; false when the handle names no live control (or the host
// window refused the message).
bool PostControlEvent(Handle control, int code, std::intptr_t argument1, std::intptr_t argument2);
// Delivers the event and waits for the answer of the control's class handler;
// 0 when the handle names no live control. From a worker it blocks until the UI
// thread has handled it.
std::intptr_t SendControlEvent(Handle control, int code, std::intptr_t argument1, std::intptr_t argument2);

// The table behind them; ControlBase keeps it: a control is entered when it is
// created in a host and removed when it is destroyed.
void EnterControlWindow(Handle control, winsys::WindowId host_window);
void RemoveControlWindow(Handle control);

class ControlBase;
// The host's side: delivers the record a 10258 message carries to `control`.
std::intptr_t DeliverEventRecord(ControlBase& control, std::uintptr_t payload);

}  // namespace razezazo
