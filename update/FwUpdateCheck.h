#pragma once
// The firmware-update check of a newly connected instrument: on its own thread it lists the
// firmware files of the instrument's folder on the update server and posts, for each kind of
// content, the highest version newer than the installed one. It counts the runs that could
// not reach the server and, after too many in a row, tells the user to go online now and then.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "platform/base/String.h"
#include "update/CheckWorker.h"

class CWnd;
namespace Device {
class CJvDevice;
}

class CFwUpdateCheck {
 public:
  // Content types with their own result.
  static constexpr int kApplicationFirmware = 1;
  static constexpr int kOperatingSystem = 2;
  static constexpr int kMultimediaFirmware = 12;
  // Exit codes of the check thread.
  static constexpr DWORD kExitPosted = 0;
  static constexpr DWORD kExitUserTold = 2;
  static constexpr DWORD kExitOffline = DWORD(-1);

  // An empty `registryKey` becomes the program's settings key at Start.
  CFwUpdateCheck(CWnd* notify, const CString& registryKey);
  virtual ~CFwUpdateCheck();
  CFwUpdateCheck(const CFwUpdateCheck&) = delete;
  CFwUpdateCheck& operator=(const CFwUpdateCheck&) = delete;

  // Stops a running check, identifies the instrument, reads its contents and starts the check
  // thread, which posts `firmwareMessage` always and `osMessage` and `mediaMessage` when not
  // 0. False when the instrument does not answer or the thread cannot start.
  bool Start(Device::CJvDevice* device, UINT firmwareMessage, UINT osMessage, UINT mediaMessage);

  // The version in a firmware file name for a content type; 0 when the name does not count.
  static CVersion VersionFromName(const CString& name, int contentType);

  const CString& GetDeviceCodeText() const { return m_strDeviceCode; }
  const CString& GetRegistryKey() const { return m_strRegistryKey; }
  DWORD GetExitCode() const { return m_worker.GetExitCode(); }
  bool WaitForEnd(DWORD ms) { return m_worker.Wait(ms); }

 private:
  // What one run of the thread works on, copied at Start.
  struct SRun {
    CString deviceCode;
    CString registryKey;
    int failCount = 0;
    int failMax = 0;
    UINT firmwareMessage = 0;
    UINT osMessage = 0;
    UINT mediaMessage = 0;
    Device::CContents contents;
    SDeviceIdent ident;
  };

  static DWORD Check(SRun run, CCheckWorkerState& state);
  static DWORD CountFailure(SRun& run);
  static void WriteCounters(const SRun& run);
  void ReadCounters();

  CWnd* m_pNotify;
  Device::CJvDevice* m_pDevice = nullptr;
  CString m_strDeviceCode;
  CString m_strRegistryKey;
  int m_nFailCount = 0;
  int m_nFailMax = 1;
  UINT m_firmwareMessage = 0;
  UINT m_osMessage = 0;
  UINT m_mediaMessage = 0;
  Device::CContents m_contents;
  SDeviceIdent m_ident;
  CCheckWorker m_worker;
};
