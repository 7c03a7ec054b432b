#include "platform/gfx/com_win32.h"

namespace gfx::detail {

ComScope::ComScope() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}

ComScope::~ComScope() {
  if (joined_) CoUninitialize();
}

ComPtr<IWICImagingFactory> WicFactory() {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
    return nullptr;
  return factory;
}

}  // namespace gfx::detail
