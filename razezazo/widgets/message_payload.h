#pragma once
// Values that travel with a window message but do not fit its two arguments (a
// rectangle, an event record). The sender stores the value for the receiving
// window and puts the returned id in the message; the receiver takes it out.
// A message can be lost on the way (its window destroyed, its host detached):
// the host then drops every value stored for its window, so none is leaked.
#include <any>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/window/window_system.h"

namespace razezazo {

std::uintptr_t StorePayload(winsys::WindowId receiver, std::any value);
std::any TakePayload(std::uintptr_t id);
// Frees the values of messages to `receiver` that will never be delivered.
void DropPayloadsFor(winsys::WindowId receiver);
// Values stored and not yet taken or dropped.
std::size_t PendingPayloadCount();

template <typename T>
std::optional<T> TakePayloadAs(std::uintptr_t id) {
  std::any value = TakePayload(id);
  if (const T* typed = std::any_cast<T>(&value)) return *typed;
  return std::nullopt;
}

}  // namespace razezazo
