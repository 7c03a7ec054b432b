#include "razezazo/widgets/message_payload.h"

#include <mutex>
#include <unordered_map>

namespace razezazo {
namespace {

struct Payload {
  winsys::WindowId receiver;
  std::any value;
};

// Workers post events too, so the store is shared between threads.
struct PayloadStore {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, Payload> values;
  std::uintptr_t next = 1;
};

PayloadStore& Store() {
  static PayloadStore store;
  return store;
}

}  // namespace

std::uintptr_t StorePayload(winsys::WindowId receiver, std::any value) {
  PayloadStore& store = Store();
  std::lock_guard lock(store.mutex);
  std::uintptr_t id = store.next++;
  store.values.emplace(id, Payload{receiver, std::move(value)});
  return id;
}

std::any TakePayload(std::uintptr_t id) {
  PayloadStore& store = Store();
  std::lock_guard lock(store.mutex);
  auto found = store.values.find(id);
  if (found == store.values.end()) return {};
  std::any value = std::move(found->second.value);
  store.values.erase(found);
  return value;
}

void DropPayloadsFor(winsys::WindowId receiver) {
  PayloadStore& store = Store();
  std::lock_guard lock(store.mutex);
  std::erase_if(store.values, [receiver](const auto& entry) { return entry.second.receiver == receiver; });
}

std::size_t PendingPayloadCount() {
  PayloadStore& store = Store();
  std::lock_guard lock(store.mutex);
  return store.values.size();
}

}  // namespace razezazo
