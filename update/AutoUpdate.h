#pragma once
// The program-update wizard: a background check at frame creation reports the newest
// installer version on the update server; the wizard itself searches the program folder on
// the server again, tells the user what it found, downloads the installer into the program
// folder block by block and starts it. In mandatory mode a text file on the server gives the
// range of program versions that may run, and the wizard offers an installer inside it.

#include <memory>
#include <vector>

#include "device/FileVersionInfo.h"
#include "device/Version.h"
#include "platform/net/FtpConnection.h"
#include "platform/ui/Dialog.h"
#include "update/AppHelper.h"
#include "update/CheckWorker.h"

class CPageSearch;
class CPageDownload;

// The wizard buttons a page enables.
constexpr DWORD kWizardBack = 0x1;
constexpr DWORD kWizardNext = 0x2;
constexpr DWORD kWizardFinish = 0x4;
// What the wizard ends with when the user presses Finish.
constexpr int kWizardFinished = 12325;

class CAutoUpdate : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  // `programFolder` is where the installer goes.
  CAutoUpdate(CWnd* parent, const CString& programFolder);
  ~CAutoUpdate() override;

  // Starts the background check, which posts `resultMessage` to the parent window; false
  // when its thread cannot start.
  bool StartCheck(UINT resultMessage);
  // Waits up to `ms` (scaled) for the background check to end; true when it has.
  bool WaitForCheck(DWORD ms) { return m_checkWorker.Wait(ms); }
  // Stops the check, runs the wizard modally; true when it ended after starting the installer.
  bool Run(bool mandatory, bool showMessages, bool finishAutomatically);
  // Connects to the program folder on the server unless a connection is alive; false with
  // the connection's error text.
  bool Connect(CString& errorText);
  void CloseConnection();

  // The installer version in a file name ("..._V_1_9_0_2.exe" gives 1.9.0.2); 0 otherwise.
  static CVersion VersionFromInstallerName(const CString& name);
  // A name that stays inside the folder it is put in: no separators, not "." or "..".
  static bool IsPlainFileName(const CString& name);
  // The listed installer with the highest version above `own` (the first listed of equal
  // ones); false when none is newer.
  static bool ChooseNewest(const std::vector<SFtpFileEntry>& files, const CVersion& own,
                           SFtpFileEntry& chosen, CVersion& version);
  // The listed installer with the highest version within the limits (exactly the limit when
  // both are equal; the first listed of equal ones); false when none fits.
  static bool ChooseWithinLimits(const std::vector<SFtpFileEntry>& files, const CVersion& lower,
                                 const CVersion& upper, SFtpFileEntry& chosen, CVersion& version);

  void SetWizardButtons(DWORD flags);
  DWORD GetWizardButtons() const;
  // Presses Next or Finish (kWizardNext, kWizardFinish) when it is enabled; no page enables
  // Back, since a started download is not taken back into the search.
  void PressButton(DWORD button);
  // Ends the wizard with the result.
  void End(int result);
  bool HasEnded() const { return m_bEnded; }
  // The page shown, or none before the wizard starts.
  CDialog* GetActivePage() const { return m_pActivePage; }
  CPageSearch& GetSearchPage() const { return *m_pSearchPage; }
  // True while the shown page has a step posted and not yet run.
  bool IsBusy() const;

  const CString& GetProgramFolder() const { return m_strProgramFolder; }
  CString GetProductName() const { return m_versionInfo.GetProductName(); }
  CVersion GetOwnVersion() const { return CVersion(m_versionInfo.GetProductVersion()); }
  CAppHelper& GetServer() { return m_server; }
  bool IsMandatory() const { return m_bMandatory; }
  bool IsShowingMessages() const { return m_bShowMessages; }
  bool IsFinishAutomatically() const { return m_bFinishAutomatically; }
  const CString& GetInstallerName() const { return m_strInstallerName; }
  ULONGLONG GetInstallerSize() const { return m_installerSize; }
  void SetInstaller(const CString& name, ULONGLONG size);
  // The path handed to the desktop opener, empty until the installer was started.
  const CString& GetStartedInstaller() const { return m_strStartedInstaller; }
  void SetStartedInstaller(const CString& path) { m_strStartedInstaller = path; }

  BOOL OnInitDialog() override;
  void OnCancel() override;

 private:
  void OnNext();
  void OnFinish();
  void ShowPage(CDialog& page, UINT templateId);
  void StopCheck() { m_checkWorker.Stop(); }
  static DWORD Check(UINT resultMessage, const CVersion& own, CCheckWorkerState& state);

  CString m_strProgramFolder;
  CFileVersionInfo m_versionInfo;
  CAppHelper m_server;
  CString m_strInstallerName;
  ULONGLONG m_installerSize = 0;
  bool m_bMandatory = false;
  bool m_bShowMessages = true;
  bool m_bFinishAutomatically = false;
  CCheckWorker m_checkWorker;
  std::unique_ptr<CPageSearch> m_pSearchPage;
  std::unique_ptr<CPageDownload> m_pDownloadPage;
  CDialog* m_pActivePage = nullptr;
  CString m_strStartedInstaller;
  bool m_bEnded = false;
};
