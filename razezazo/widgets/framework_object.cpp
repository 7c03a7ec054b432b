#include "razezazo/widgets/framework_object.h"

#include <unordered_map>

namespace razezazo {
namespace {

struct Registry {
  std::unordered_map<Handle, FrameworkObject*> objects;
  Handle next = 2;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

FrameworkObject::~FrameworkObject() { ReleaseHandle(); }

void FrameworkObject::AcquireHandle() {
  if (handle_) return;
  Registry& registry = TheRegistry();
  handle_ = registry.next;
  registry.next += 2;
  registry.objects[handle_] = this;
}

void FrameworkObject::ReleaseHandle() {
  if (!handle_) return;
  TheRegistry().objects.erase(handle_);
  handle_ = 0;
}

FrameworkObject* LookupObject(Handle handle) {
  if (!handle) return nullptr;
  auto& objects = TheRegistry().objects;
  auto found = objects.find(handle);
  return found == objects.end() ? nullptr : found->second;
}

}  // namespace razezazo
