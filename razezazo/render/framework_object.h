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

}  // namespace razezazo
