#include "device/DeviceAbort.h"

#include <atomic>

namespace Device {
namespace {

std::atomic<bool> g_aborted{false};

}  // namespace

bool IsDeviceThreadAborted() { return g_aborted.load(); }

void SetDeviceThreadAborted(bool aborted) { g_aborted.store(aborted); }

}  // namespace Device
