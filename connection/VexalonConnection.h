#pragma once
// The one global holder of the connected ZD-2 that the program's own commands use (download,
// delete all, firmware update, Live View): it hands the device out, checks that it still
// answers, runs the device-connection wizard when there is none, releases it, and starts the
// background check for newer firmware whenever it gets a new device.
//
// A download uses the device on a thread of its own while the user-interface commands stay
// available: the download takes the holder for itself (CConnectionUse), and while it holds
// it every other thread is refused (Connect fails, Disconnect and CheckConnection leave the
// device alone), so that no command pulls the device from under the download.

#include <memory>
#include <mutex>
#include <thread>

#include "device/JvDevice.h"
#include "platform/base/String.h"
#include "platform/ui/Wnd.h"
#include "update/FwUpdateCheck.h"

// The wizard's remembered choices live under the upgrade program's settings.
inline constexpr const char16_t* kConnWizardKey = u"Software\\Jovant\\DiVudodav\\Settings\\ConnWizard";

class CVexalonConnection {
 public:
  CVexalonConnection() = default;
  // Stops and deletes the firmware check; the device is released by the main frame's end.
  ~CVexalonConnection() = default;
  CVexalonConnection(const CVexalonConnection&) = delete;
  CVexalonConnection& operator=(const CVexalonConnection&) = delete;

  // The held device or null.
  Device::CJvDevice* GetDevice() const { return m_device.get(); }
  // False without a device; a device that no longer answers is released.
  bool CheckConnection();
  // Releases the device, then stops and deletes the firmware check.
  void Disconnect();
  void SetNotify(CWnd* window, UINT message, DWORD parameter);
  // True when a device is held afterwards; runs the wizard when there is none. noCheck skips
  // the identity check of a held device.
  bool Connect(bool noCheck);
  // Takes a found device as the wizard hands it over: a held device is released first, and
  // the firmware check starts unless one runs already.
  void Adopt(std::unique_ptr<Device::CJvDevice> device);

  // True when no firmware check runs or the running one ended within ms.
  bool WaitForFirmwareCheck(DWORD ms) { return !m_firmwareCheck || m_firmwareCheck->WaitForEnd(ms); }

  // True while a thread other than the calling one has taken the holder.
  bool IsInUseByOther() const;
  bool IsInUse() const;

 private:
  friend class CConnectionUse;
  bool TryTake();
  void Give();
  void Release();

  std::unique_ptr<Device::CJvDevice> m_device;
  // The receiver of the firmware check's result, the message it posts and its extra value.
  CWnd* m_notifyWindow = nullptr;
  UINT m_notifyMessage = 0;
  DWORD m_notifyParameter = 0;
  // Present from the first device after a disconnect until the next disconnect.
  std::unique_ptr<CFwUpdateCheck> m_firmwareCheck;
  mutable std::mutex m_useLock;
  std::thread::id m_user;  // the thread that has taken the holder; none while free
};

// The holder for the current thread alone while the object lives.
class CConnectionUse {
 public:
  explicit CConnectionUse(CVexalonConnection& connection)
      : m_connection(connection), m_taken(connection.TryTake()) {}
  ~CConnectionUse() {
    if (m_taken) m_connection.Give();
  }
  CConnectionUse(const CConnectionUse&) = delete;
  CConnectionUse& operator=(const CConnectionUse&) = delete;
  // False when another thread had taken the holder.
  bool IsTaken() const { return m_taken; }

 private:
  CVexalonConnection& m_connection;
  bool m_taken;
};

// The program's holder.
CVexalonConnection& TheConnection();
