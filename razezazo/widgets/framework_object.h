#pragma once
// Framework objects are referred to by handles: small even integers from one
// registry, 0 for none. A handle stays dead once its object is gone, so a
// message that names a destroyed object finds nothing instead of freed memory.
// Handles are even so that a control's transition timer id (handle + 1) never
// equals another control's animation timer id (its handle).
#include <cstdint>

namespace razezazo {

using Handle = std::uint32_t;

class FrameworkObject {
 public:
  virtual ~FrameworkObject();
  Handle handle() const { return handle_; }

 protected:
  FrameworkObject() = default;
  FrameworkObject(const FrameworkObject&) = delete;
  FrameworkObject& operator=(const FrameworkObject&) = delete;

  // Gives the object a new handle (when it has none) or takes it away.
  void AcquireHandle();
  void ReleaseHandle();

 private:
  Handle handle_ = 0;
};

// The live object behind a handle, or null. UI thread only.
FrameworkObject* LookupObject(Handle handle);

template <typename T>
T* Lookup(Handle handle) {
  return dynamic_cast<T*>(LookupObject(handle));
}

// How framework code calls application code (an event handler, a hook) and
// comes back safely: it holds the object by handle across the call and looks it
// up again afterwards. The code may have destroyed the object (its handle is
// dead for good) or deleted it; either way get() answers null.
//   WeakRef<RazezaZOHost> self(*this);
//   hooks_.size_changed(...);
//   if (!self) return;
template <typename T>
class WeakRef {
 public:
  explicit WeakRef(const T& object) : handle_(object.handle()), object_(&object) {}
  Handle handle() const { return handle_; }
  T* get() const { return handle_ && LookupObject(handle_) == object_ ? const_cast<T*>(object_) : nullptr; }
  explicit operator bool() const { return get() != nullptr; }

 private:
  Handle handle_;
  const T* object_;
};

}  // namespace razezazo
