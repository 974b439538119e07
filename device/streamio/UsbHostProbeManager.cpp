#include "device/streamio/UsbHostProbeManager.h"

#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/io/HidBackend.h"
#include "platform/kernel/SyncObject.h"

namespace StreamIO {

CUsbHostProbeManager& CUsbHostProbeManager::Instance() {
  static CUsbHostProbeManager manager;
  return manager;
}

CUsbHostProbeManager::CUsbHostProbeManager()
    : m_close(false, true, u"VeyCloseEvent"),
      m_detach(false, true, u"HidVey-Detach"),
      m_attach(false, true, u"HidVey-Attach") {}

CUsbHostProbeManager::~CUsbHostProbeManager() {
  // Handles still shared at exit belong to streams that were never closed; release them.
  for (const auto& device : m_devices)
    if (device.handle >= 0) GetHidBackend().Close(device.handle);
}

void CUsbHostProbeManager::WaitForEvents(int& value, DWORD ms) {
  ++m_waiters;
  const DWORD result = WaitForObjects({&m_close, &m_attach, &m_detach}, false, ms);
  const bool alone = m_waiters.load() == 1;
  switch (result) {
    case WAIT_OBJECT_0:
      value = eClose;
      break;
    case WAIT_OBJECT_0 + 1:
      value = eAttach;
      if (alone) m_attach.ResetEvent();
      break;
    case WAIT_OBJECT_0 + 2:
      value = eDetach;
      if (alone) m_detach.ResetEvent();
      break;
    default:
      value = eTimeout;
      break;
  }
  --m_waiters;
}

int CUsbHostProbeManager::FindHandle(const std::string& path, int kind, int& index) {
  CSingleLock lock(m_lock);
  index = 0xFFFF;
  for (size_t i = 0; i < m_devices.size(); ++i) {
    const SDeviceData& device = m_devices[i];
    if (device.path != path || device.handle < 0) continue;
    index = int(i);
    const int users = kind == eControl ? device.controlUsers : device.dataUsers;
    return users != 0 ? device.handle : -1;
  }
  return -1;
}

int CUsbHostProbeManager::OpenHandle(const std::string& path, int kind, int& handle) {
  CSingleLock lock(m_lock);
  SDeviceData* device = nullptr;
  for (auto& entry : m_devices)
    if (entry.path == path) device = &entry;
  if (device) {
    int& users = kind == eControl ? device->controlUsers : device->dataUsers;
    if (users != 0) return ERROR_NOT_SUPPORTED;
    users = 1;
    handle = device->handle;
    return 0;
  }
  int opened = -1;
  if (int error = GetHidBackend().Open(path, false, opened))
    ThrowFileException(error, CString::FromUtf8(path));
  SDeviceData entry;
  entry.path = path;
  entry.handle = opened;
  (kind == eControl ? entry.controlUsers : entry.dataUsers) = 1;
  m_devices.push_back(entry);
  handle = opened;
  return 0;
}

void CUsbHostProbeManager::ReleaseHandle(const std::string& path, int kind) {
  int error = 0;
  {
    CSingleLock lock(m_lock);
    for (auto it = m_devices.begin(); it != m_devices.end(); ++it) {
      if (it->path != path) continue;
      int& users = kind == eControl ? it->controlUsers : it->dataUsers;
      if (users > 0) --users;
      if (it->controlUsers == 0 && it->dataUsers == 0) {
        if (it->handle >= 0) error = GetHidBackend().Close(it->handle);
        m_devices.erase(it);
      }
      break;
    }
  }
  if (error != 0) ThrowFileException(error, CString::FromUtf8(path));
}

}  // namespace StreamIO
