#include "platform/io/UsbBackend.h"

#include <atomic>

#include "platform/io/LibusbBackend.h"

namespace {

std::atomic<CUsbBackend*> g_installed{nullptr};

}  // namespace

CUsbBackend& GetUsbBackend() {
  static CLibusbBackend system;
  CUsbBackend* installed = g_installed.load();
  return installed ? *installed : system;
}

void SetUsbBackend(CUsbBackend* backend) { g_installed.store(backend); }
