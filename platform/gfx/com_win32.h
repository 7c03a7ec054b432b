#pragma once
// COM for the drawing code on Windows: owning pointers, the apartment a call
// needs, and the WIC factory.
#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

namespace gfx::detail {

using Microsoft::WRL::ComPtr;

// Joins the calling thread to COM for a scope: a thread already in an
// apartment of either kind keeps it.
class ComScope {
 public:
  ComScope();
  ~ComScope();
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool joined_ = false;
};

// Null when WIC is missing.
ComPtr<IWICImagingFactory> WicFactory();

}  // namespace gfx::detail
