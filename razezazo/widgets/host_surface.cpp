#include "razezazo/widgets/host_surface.h"

namespace razezazo {

HostSurface* HostSurfaceOfWindow(winsys::WindowId window) {
  if (!window) return nullptr;
  return Lookup<HostSurface>(static_cast<Handle>(winsys::Current().GetProp(window, property::kControl)));
}

}  // namespace razezazo
