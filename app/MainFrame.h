#pragma once
// The program's only top-level window. It owns the project document and the child view that
// fills its client area, carries the menu bar, the tool bar with the maker's logo, the status
// bar and the modeless progress dialog, and receives the download progress and the results of
// the update checks. Commands go to the child view first.

#include <memory>

#include "app/ExternCalReport.h"
#include "app/ProgressDlg.h"
#include "app/ToolBarExt.h"
#include "app/data/ZedoDoc.h"
#include "device/Callback.h"
#include "device/Version.h"
#include "platform/gdi/ImageList.h"
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
  CChildView* GetChildView() const { return m_pView.get(); }
  CProgressDlg& GetProgressDlg() { return m_progressDlg; }
  CToolBarExt& GetToolBar() { return m_wndToolBar; }
  CLogo& GetLogo() { return m_wndLogo; }
  const CVersion& GetNewestProgramVersion() const { return m_newestProgram; }
  const CVersion& GetNewestFirmwareVersion() const { return m_newestFirmware; }
  // The pop-up "New version available!" on the menu bar, or null while there is none.
  HMENU GetNewVersionMenu() const { return m_hNewVersionMenu; }
  // WM_USER+201's work on the calibration document's texts: the external calibration report
  // in the temporary log folder. Returns the report text, which the document keeps.
  CString WriteExternCalReport(const SExternCalTexts& texts);
  // The program-update wizard, made with the window; none once the window closes.
  CAutoUpdate* GetAutoUpdate() const { return m_pAutoUpdate.get(); }

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
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  void OnAppSettings();
  void OnAppAbout();
  void OnCheckUpdates();
  void RemoveNewVersionMenu();
  void RebuildNewVersionMenu();

  CString m_strIdleText;
  CStatusBar m_wndStatusBar;
  CToolBarExt m_wndToolBar;
  CLogo m_wndLogo;
  CProgressDlg m_progressDlg;
  HMENU m_hNewVersionMenu = nullptr;
  CVersion m_newestProgram;
  CVersion m_newestFirmware;
  CZedoDoc m_doc;
  std::unique_ptr<CChildView> m_pView;
  std::unique_ptr<CWindowPos> m_pWindowPos;
  std::unique_ptr<CAutoUpdate> m_pAutoUpdate;
  CImageList m_normalImages;
  CImageList m_disabledImages;
};
