#pragma once
// Values that travel with a window message but do not fit its two arguments (a
// rectangle, an event record). The sender stores the value and puts the returned
// id in the message; the receiver takes it out. Values of messages that are never
// delivered (their window went away) are dropped with the store, not leaked.
#include <any>
#include <cstdint>
#include <optional>

namespace razezazo {

std::uintptr_t StorePayload(std::any value);
std::any TakePayload(std::uintptr_t id);

template <typename T>
std::optional<T> TakePayloadAs(std::uintptr_t id) {
  std::any value = TakePayload(id);
  if (const T* typed = std::any_cast<T>(&value)) return *typed;
  return std::nullopt;
}

}  // namespace razezazo
