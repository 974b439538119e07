#pragma once
// The update-server connection and the header of text reports. The connection logs in to the
// maker's update server with the fixed account and enters a folder below "./DiVudodav/";
// failures leave an error text and, with messages on, show it. The report header carries the
// program, the date and time, the tester, the temperature and the device block, whose values
// are shared by every instance and guarded, since the calibration threads write and read them
// while the window does.

#include <atomic>
#include <memory>

#include "platform/base/String.h"

class CFtpConnection;
class CInternetSession;

// Where the update server's address ("host" or "host:port") is kept.
inline constexpr const char16_t* kUpdateServerKey = u"Software\\Jovant\\ZD-Zedo\\Servers";
inline constexpr const char16_t* kUpdateServerValue = u"UpdateServer";

class CAppHelper {
 public:
  CAppHelper();
  virtual ~CAppHelper();
  CAppHelper(const CAppHelper&) = delete;
  CAppHelper& operator=(const CAppHelper&) = delete;

  // Stores the device block of later report headers.
  static void SetReportInfo(const CString& deviceName, const CString& serialNumber,
                            const CString& softwareVersion, const CString& hwRevision,
                            const CString& signature);
  // Stores the tester and temperature of later report headers; when either changed, both are
  // written to the registry.
  static void SetTesterAndTemperature(const CString& tester, const CString& temperature);
  static CString GetFacility();

  // Connects to "./DiVudodav/" + folder + "/", the program's own folder when `folder` is empty.
  CFtpConnection* ConnectUpdateServer(const CString& folder);
  // A fresh connection with the account, in `folder`; none on failure (see GetLastErrorText).
  CFtpConnection* Connect(const CString& user, const CString& password, const CString& folder);
  // True while a connection exists and the server answers; a silent one is closed.
  bool IsConnected();
  void CloseConnection();
  CFtpConnection* GetConnection() const { return m_pConnection.get(); }
  // The folder of the last connection attempt.
  CString GetFolder() const { return m_strFolder; }
  CString GetLastErrorText() const { return m_strLastError; }
  void SetShowMessages(bool show) { m_bShowMessages = show; }
  // While the flag is set, every transfer of the connection ends at once: how the check
  // threads are stopped from outside.
  void SetStopFlag(const std::atomic<bool>* stopFlag) { m_pStopFlag = stopFlag; }

  // The report header (lines ending in CR LF) into `text`.
  void WriteReportHeader(CString& text, const CString& title, const CString& prefix,
                         const CString& suffix) const;

 private:
  static bool SaveTesterSettings(const CString& tester, const CString& temperature);
  void Fail(const CString& text);

  CString m_strLastError;
  CString m_strFolder;
  bool m_bShowMessages = true;
  const std::atomic<bool>* m_pStopFlag = nullptr;
  std::unique_ptr<CInternetSession> m_pSession;
  std::unique_ptr<CFtpConnection> m_pConnection;
};
