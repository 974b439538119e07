#include "platform/io/HidBackend.h"

#include <atomic>

#include "platform/io/HidrawBackend.h"

namespace {

std::atomic<CHidBackend*> g_installed{nullptr};

}  // namespace

CHidBackend& GetHidBackend() {
  static CHidrawBackend system;
  CHidBackend* installed = g_installed.load();
  return installed ? *installed : system;
}

void SetHidBackend(CHidBackend* backend) { g_installed.store(backend); }
