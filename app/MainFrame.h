#pragma once
// The program's only top-level window. It owns the project document and the child view that
// fills its client area, carries the menu bar, the tool bar with the maker's logo, the status
// bar and the modeless progress dialog, and receives the download progress and the results of
// the update checks. Commands go to the child view first.

#include <atomic>
#include <memory>

#include "app/ExternCalReport.h"
#include "app/ToolBarExt.h"
#include "appbase/ProgressDlg.h"
#include "calibration/VexalonDoc.h"
#include "device/Callback.h"
#include "device/Version.h"
#include "document/ZedoDoc.h"
#include "platform/gdi/ImageList.h"
#include "platform/kernel/Thread.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/StatusBar.h"
#include "toolkit/Logo.h"

class CAutoUpdate;
class CChildView;
class CWindowPos;

// Messages the frame receives.
constexpr UINT WM_NEW_PROGRAM_VERSION = WM_USER + 11;
constexpr UINT WM_NEW_FIRMWARE_VERSION = WM_USER + 12;
constexpr UINT WM_DOWNLOAD_PROGRESS = WM_USER + 15;
// The calibration dialog asks for the external calibration report of the calibration document.
constexpr UINT WM_EXTERN_CAL_REPORT = WM_USER + 201;
// lParam of WM_DOWNLOAD_PROGRESS that shows and hides the progress dialog.
constexpr LPARAM kShowProgress = 1001;
constexpr LPARAM kHideProgress = 1002;

class CMainFrame : public CFrameWnd, public Device::CCallback {
  DECLARE_MESSAGE_MAP()

 public:
  CMainFrame();
  ~CMainFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& create) override;

  CZedoDoc& GetDocument() { return m_doc; }
  // What the calibration procedures know about the instrument they calibrate.
  CVexalonDoc& GetCalibrationDocument() { return m_calibrationDoc; }
  CChildView* GetChildView() const { return m_pView.get(); }
  CProgressDlg& GetProgressDlg() { return m_progressDlg; }
  CToolBarExt& GetToolBar() { return m_wndToolBar; }
  CLogo& GetLogo() { return m_wndLogo; }
  const CVersion& GetNewestProgramVersion() const { return m_newestProgram; }
  // The pop-up "New version available!" on the menu bar, or null while there is none.
  HMENU GetNewVersionMenu() const { return m_hNewVersionMenu; }
  // WM_USER+201's work on the calibration document's texts: the external calibration report
  // in the temporary log folder. Returns the report text, which the document keeps.
  CString WriteExternCalReport(const SExternCalTexts& texts);
  // The program-update wizard, made with the window; none once the window closes.
  CAutoUpdate* GetAutoUpdate() const { return m_pAutoUpdate.get(); }

  // The download thread's entry: connects, downloads every stored test into the project and
  // reports progress to the frame; returns 0.
  static DWORD DownloadThreadProc(CMainFrame* frame);
  bool IsDownloadRunning() const { return m_downloadThread.IsRunning(); }
  // Waits for a running download to end (the user-interface thread keeps working meanwhile).
  void WaitForDownload();
  // Whether the last Live View command found the instrument's firmware new enough.
  bool WasLiveViewAllowed() const { return m_liveViewAllowed; }

  // Device::CCallback: only the progress reaches the frame, as a posted message.
  void OnDeviceFound(Device::CJvDevice* device) override;
  void OnStatusText(const CString& text) override;
  void OnMessage(const CString& text, int result) override;
  void OnProgress(int percent, int mode, int expectedMs) override;

 private:
  int OnCreate(LPCREATESTRUCT create);
  bool CreateBars();
  void CreateToolBarImages();
  void OnClose();
  void OnPaint();
  void OnSize(UINT type, int cx, int cy);
  void OnSetFocus(CWnd* oldWnd);
  void OnDestroy();
  LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
  LRESULT OnNewProgramVersion(WPARAM wParam, LPARAM lParam);
  LRESULT OnNewFirmwareVersion(WPARAM wParam, LPARAM lParam);
  LRESULT OnDownloadProgress(WPARAM wParam, LPARAM lParam);
  LRESULT OnExternCalReport(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  void OnAppSettings();
  void OnAppAbout();
  void OnCheckUpdates();
  void RemoveNewVersionMenu();
  void RebuildNewVersionMenu();

  // Device and service commands.
  void OnDownloadAll();
  void OnDeleteAllOnDevice();
  void OnDisconnect();
  void OnUpdateFirmware();
  void OnLiveView();
  void OnCalibrationAdjustment();
  void OnCalibrationVerification();
  void OnRestoreFactoryCalibration();
  void OnRestoreLastUsedCalibration();
  void OnCertificateTemplate();
  void OnCertificateExample();
  void OnCustomerFeedback();
  void OnProductRegistration();
  LRESULT OnLogoClick(WPARAM wParam, LPARAM lParam);
  void OnUpdateDeviceCommand(CCmdUI* cmdUI);
  void OnUpdateDisconnect(CCmdUI* cmdUI);
  // The delete-all step shared by commands 9 and 35; true when the data was deleted.
  bool DeleteAllOnDevice();
  // Reset for a new procedure, whose class-1 requirements are not asked for.
  void ResetCalibrationDocument();
  // Ends a running download before the frame goes: its stream is cancelled and the thread
  // joined.
  void StopDownload();
  // Shows a box of the download thread, unless the frame is closing meanwhile.
  void ShowDownloadBox(const CString& text, UINT type);

  CString m_strIdleText;
  CStatusBar m_wndStatusBar;
  CToolBarExt m_wndToolBar;
  CLogo m_wndLogo;
  CProgressDlg m_progressDlg;
  HMENU m_hNewVersionMenu = nullptr;
  CVersion m_newestProgram;
  CVersion m_newestFirmware;
  CZedoDoc m_doc;
  CVexalonDoc m_calibrationDoc;
  std::unique_ptr<CChildView> m_pView;
  std::unique_ptr<CWindowPos> m_pWindowPos;
  std::unique_ptr<CAutoUpdate> m_pAutoUpdate;
  CImageList m_normalImages;
  CImageList m_disabledImages;
  CThread m_downloadThread;
  // Set when the frame goes during a download: the thread then leaves the project and the
  // user alone.
  std::atomic<bool> m_downloadAbandoned{false};
  bool m_liveViewAllowed = false;
};
