#pragma once
// The process-wide keeper of the HID handles that a probe's control and data streams share:
// one handle per device path, with a count of control users and data users, closed when both
// counts fall to zero. Three manual-reset events let one thread's detach or the library's
// shut-down reach the streams of the others.

#include <atomic>
#include <string>
#include <vector>

#include "platform/kernel/CriticalSection.h"
#include "platform/kernel/Event.h"

namespace StreamIO {

class CUsbHostProbeManager {
 public:
  enum NKind { eControl = 1, eData = 2 };
  // What WaitForEvents saw.
  enum NEvent { eTimeout = 1, eAttach = 2, eDetach = 4, eClose = 8 };

  struct SDeviceData {
    std::string path;
    int handle = -1;
    int controlUsers = 0;
    int dataUsers = 0;
  };

  // Made on first use, destroyed at exit.
  static CUsbHostProbeManager& Instance();

  // Waits up to `ms` for the close, attach or detach event; `value` is one of NEvent. The
  // attach and detach events are reset by the only waiter that sees them.
  virtual void WaitForEvents(int& value, DWORD ms);
  // The handle of the path when the kind uses it, else -1; `index` is the path's table entry,
  // 0xFFFF when the path is not in the table.
  virtual int FindHandle(const std::string& path, int kind, int& index);
  virtual ~CUsbHostProbeManager();
  // 0 with the handle, or 50 when the kind already uses the path. Opening the device fails
  // with CFileException.
  virtual int OpenHandle(const std::string& path, int kind, int& handle);
  // The last user closes the handle; a close failure raises CFileException.
  virtual void ReleaseHandle(const std::string& path, int kind);

  CEvent& GetCloseEvent() { return m_close; }
  CEvent& GetAttachEvent() { return m_attach; }

 protected:
  CUsbHostProbeManager();

 private:
  CCriticalSection m_lock;
  std::vector<SDeviceData> m_devices;
  std::atomic<int> m_waiters{0};
  CEvent m_close;
  CEvent m_detach;
  CEvent m_attach;
};

}  // namespace StreamIO
