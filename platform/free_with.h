#pragma once
// Deleters that let std::unique_ptr own the objects of C libraries.
#include <glib-object.h>

#include <memory>

namespace platform {

// Calls Free on a non-null pointer.
template <typename T, auto Free>
struct FreeWith {
  void operator()(T* p) const {
    if (p) Free(p);
  }
};

inline void UnrefObject(gpointer p) { g_object_unref(p); }

template <typename T>
using GObjectPtr = std::unique_ptr<T, FreeWith<T, UnrefObject>>;

}  // namespace platform
