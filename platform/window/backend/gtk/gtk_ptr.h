#pragma once
// Owning pointers for the GLib, GDK and Cairo objects of the GTK backend.
#include <cairo.h>
#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <memory>

#include "platform/free_with.h"

namespace winsys::gtk {

using platform::FreeWith;

inline void FreeMemory(gpointer p) { g_free(p); }

template <typename T>
using ObjectPtr = platform::GObjectPtr<T>;
using RegionPtr = std::unique_ptr<cairo_region_t, FreeWith<cairo_region_t, cairo_region_destroy>>;
using CharPtr = std::unique_ptr<gchar, FreeWith<gchar, FreeMemory>>;
using Utf16Ptr = std::unique_ptr<gunichar2, FreeWith<gunichar2, FreeMemory>>;
using EventPtr = std::unique_ptr<GdkEvent, FreeWith<GdkEvent, gdk_event_free>>;

// A GLib source removed when the owner goes away.
class SourceId {
 public:
  SourceId() = default;
  explicit SourceId(guint id) : id_(id) {}
  SourceId(SourceId&& other) noexcept : id_(other.Release()) {}
  SourceId& operator=(SourceId&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~SourceId() { Reset(); }
  void Reset(guint id = 0) {
    if (id_) g_source_remove(id_);
    id_ = id;
  }
  guint Release() {
    const guint id = id_;
    id_ = 0;
    return id;
  }
  explicit operator bool() const { return id_ != 0; }

 private:
  guint id_ = 0;
};

}  // namespace winsys::gtk
