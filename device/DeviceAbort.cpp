#include "device/DeviceAbort.h"

namespace Device {
namespace {

std::atomic<bool> g_aborted{false};
thread_local const std::atomic<bool>* t_retired = nullptr;

}  // namespace

bool IsDeviceThreadAborted() { return g_aborted.load() || (t_retired && t_retired->load()); }

void SetDeviceThreadAborted(bool aborted) { g_aborted.store(aborted); }

void SetThreadRetiredFlag(const std::atomic<bool>* retired) { t_retired = retired; }

bool IsThreadRetired() { return t_retired && t_retired->load(); }

}  // namespace Device
